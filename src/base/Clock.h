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
