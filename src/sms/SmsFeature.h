// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The SMS commands: queue a text to the ticked contacts, the outbox and the inbox.
class SmsFeature : public Feature {
  public:
    void install(FrameServices& frame) override;
};
