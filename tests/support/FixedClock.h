// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Clock.h"

// A clock that says whatever time the test sets.
class FixedClock : public Clock {
  public:
    explicit FixedClock(const QDateTime& at = QDateTime(QDate(2012, 5, 8), QTime(9, 30, 0)))
        : at_(at) {}
    QDateTime now() const override { return at_; }
    void set(const QDateTime& at) { at_ = at; }
    void setDate(const QDate& date) { at_.setDate(date); }

  private:
    QDateTime at_;
};
