// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interactions/FestivalCountdown.h"

#include <QStringList>

// The lines of the notice shown once after login: the greeting, the festival
// countdown and the day's alerts. The number of lines is the window's mode.
class StartupNotice {
  public:
    StartupNotice(const QString& greeting, const Festival& festival, bool plannedToday,
                  bool birthdaysAhead);

    const QStringList& lines() const { return lines_; }
    int mode() const { return static_cast<int>(lines_.size()); }

    // "离 %s 还有 %d 天", or "今天是 %s !" on the day itself. Empty when the
    // feast table gives no festival: the line is then left out rather than
    // showing a made-up text.
    static QString festivalLine(const Festival& festival);

    static const QString kDaysToGo;
    static const QString kToday;
    static const QString kPlannedToday;
    static const QString kBirthdaysAhead;

  private:
    QStringList lines_;
};
