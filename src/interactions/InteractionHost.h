// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the interaction page asks of the main window after a change: the
// sliding notice, the score bar, and the reminder node.
class InteractionHost {
  public:
    virtual ~InteractionHost() = default;
    virtual void showNotice(const QString& text) = 0;
    virtual void showScore() = 0;
    virtual void remindersChanged() = 0;
};
