// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"
#include "interactions/InteractionHost.h"

// Interactions and the score: the "往来记录" tab of the detail pane and the
// score query.
class InteractionsFeature : public Feature, private InteractionHost {
  public:
    void install(FrameServices& frame) override;

  private:
    // InteractionHost: the main window's services.
    void showNotice(const QString& text) override;
    void showScore() override;
    void remindersChanged() override;

    FrameServices* frame_ = nullptr;
};
