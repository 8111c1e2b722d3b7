// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The password of the logged-in user; the management of users and departments.
class UsersFeature : public Feature {
  public:
    void install(FrameServices& frame) override;
};
