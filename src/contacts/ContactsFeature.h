// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The contact commands: add, the lifecycle walks on the ticked rows and the
// hand-over to another department.
class ContactsFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

  private:
    void addContacts(FrameServices& frame);
};
