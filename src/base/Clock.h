// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>

// Every reading of the time goes through a Clock, so the reminders, the score
// and the login rule can be tested on any day.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
  public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still on one day: for commands and measurements run as
// of a given day.
class DayClock final : public Clock {
  public:
    explicit DayClock(const QDate& day, const QTime& at = QTime(9, 0)) : now_(day, at) {}
    QDateTime now() const override { return now_; }

  private:
    QDateTime now_;
};
