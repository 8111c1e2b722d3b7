#include "interactions/FestivalCountdown.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "db/Days.h"

const QString FestivalCountdown::kFeasts = QStringLiteral(
    "select feast_name,feast_month,feast_day from feast order by feast_month,feast_day ");

FestivalCountdown::FestivalCountdown(Database& db, const Clock& clock) : db_(db), clock_(clock) {}

Festival FestivalCountdown::inYear(int year) const {
    const QDate today = clock_.today();
    Festival found;
    db_.query(sql::format(kFeasts), [&](const Row& row) {
        const qint64 days =
            dates::daysBetween(year, dates::leadingNumber(row.text(QStringLiteral("feast_month"))),
                               dates::leadingNumber(row.text(QStringLiteral("feast_day"))),
                               today.year(), today.month(), today.day());
        if (days < 0)
            return true;
        found.name = row.text(QStringLiteral("feast_name"));
        found.days = static_cast<int>(days);
        return false;
    });
    return found;
}

Festival FestivalCountdown::next() const {
    const int year = clock_.today().year();
    const Festival thisYear = inYear(year);
    return thisYear.found() ? thisYear : inYear(year + 1);
}
