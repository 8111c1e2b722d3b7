// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clock;
class Database;

// The festival the start-up notice counts down to.
struct Festival {
    QString name;
    int days = -1; // -1 when there is no festival to count down to

    bool found() const { return days >= 0; }
    bool isToday() const { return days == 0; }
};

// Finds the next festival of the feast table from today. Gregorian festivals
// are taken in the table's text order of month and day, and the first one not
// yet past counts; a lunar festival (feast_lunar) is first turned into the days
// it falls on in the year. The nearest of these wins.
class FestivalCountdown {
  public:
    FestivalCountdown(Database& db, const Clock& clock);

    // The first festival on or after today within the given year.
    Festival inYear(int year) const;
    // This year's next festival, or next year's first when none is left.
    Festival next() const;

    static const QString kFeasts;

  private:
    Database& db_;
    const Clock& clock_;
};
