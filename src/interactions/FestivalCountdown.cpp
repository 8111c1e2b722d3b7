// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/FestivalCountdown.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "db/Days.h"
#include "db/LunarCalendar.h"

// The festivals in the text order of their month and day, with the flag that
// says whether those are lunar.
const QString FestivalCountdown::kFeasts =
    QStringLiteral("select feast_name,feast_month,feast_day,feast_lunar from feast order by "
                   "feast_month,feast_day ");

FestivalCountdown::FestivalCountdown(Database& db, const Clock& clock) : db_(db), clock_(clock) {}

Festival FestivalCountdown::inYear(int year) const {
    const QDate today = clock_.today();
    // Gregorian festivals: the first in the table's order not yet past. Lunar
    // ones: each is taken on the days it falls in that Gregorian year. The
    // nearest of all wins; on a tie, the one the table lists first.
    Festival found;
    bool gregorianFound = false;
    db_.query(sql::format(kFeasts), [&](const Row& row) {
        const int month = dates::leadingNumber(row.text(QStringLiteral("feast_month")));
        const int day = dates::leadingNumber(row.text(QStringLiteral("feast_day")));
        const qint64 kind = row.number(QStringLiteral("feast_lunar"), 0);
        qint64 days = -1;
        if (kind == 1 || kind == 2) {
            for (const QDate& date : lunar::anniversariesIn(year, month, kind == 2, day)) {
                const qint64 d = today.daysTo(date);
                if (d >= 0) {
                    days = d;
                    break;
                }
            }
        } else if (!gregorianFound) {
            days = dates::daysBetween(year, month, day, today.year(), today.month(), today.day());
            gregorianFound = days >= 0;
        }
        if (days >= 0 && (!found.found() || days < found.days)) {
            found.name = row.text(QStringLiteral("feast_name"));
            found.days = static_cast<int>(days);
        }
        return true;
    });
    return found;
}

Festival FestivalCountdown::next() const {
    const int year = clock_.today().year();
    const Festival thisYear = inYear(year);
    return thisYear.found() ? thisYear : inYear(year + 1);
}
