// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The "关联关系" tab of the detail pane.
class AssoFeature : public Feature {
  public:
    void install(FrameServices& frame) override;
};
