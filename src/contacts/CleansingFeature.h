// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// Data cleansing and its period dialog.
class CleansingFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

  private:
    void cleanse(FrameServices& frame);
};
