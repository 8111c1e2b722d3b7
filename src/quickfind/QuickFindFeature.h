// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The find box in the toolbar (Ctrl+F): a chosen contact is shown in the list
// and the detail pane as a click on its row would, all the matches as a query.
class QuickFindFeature : public Feature {
  public:
    void install(FrameServices& frame) override;
};
