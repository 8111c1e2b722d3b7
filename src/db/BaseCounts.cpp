// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/BaseCounts.h"

#include "db/Database.h"
#include "db/Statement.h"

namespace basecount {

namespace {

// A column's counts as a count of base finds them: values that are not NULL,
// flags that "=0" or "=1" meet, grouped as the engine compares them.
QString countsOf(const QString& column) {
    const QString notNull = column == QLatin1String("base_invalid_flag")
                                ? QString()
                                : QStringLiteral("%1 is not null and ").arg(column);
    return QStringLiteral("select '%1' as c, %1 as v, base_invalid_flag as f, count(*) as n "
                          "from base where %2base_invalid_flag in (0, 1) "
                          "group by %1, base_invalid_flag")
        .arg(column, notNull);
}

} // namespace

const QStringList& columns() {
    static const QStringList all{
        QStringLiteral("base_invalid_flag"),  QStringLiteral("base_type_code"),
        QStringLiteral("base_sort_code"),     QStringLiteral("work_region_code"),
        QStringLiteral("work_province_code"), QStringLiteral("work_duty_code"),
        QStringLiteral("work_industry_code"),
    };
    return all;
}

QString emptyText() {
    return QStringLiteral("delete from basecount");
}

QStringList fillTexts() {
    QStringList out;
    for (const QString& column : columns())
        out << QStringLiteral("insert into basecount (basecount_column, basecount_value, "
                              "basecount_flag, basecount_n) ") +
                   countsOf(column);
    return out;
}

QString staleCountText() {
    // The kept counters less the counts of base: what does not
    // cancel out is stale.
    QStringList parts{QStringLiteral("select basecount_column as c, basecount_value as v, "
                                     "basecount_flag as f, basecount_n as n from basecount")};
    for (const QString& column : columns())
        parts << QStringLiteral("select c, v, f, -n from (%1) as k%2")
                     .arg(countsOf(column))
                     .arg(parts.size());
    return QStringLiteral("select count(*) from (select c, v, f from (%1) as a "
                          "group by c, v, f having sum(n) <> 0) as d")
        .arg(parts.join(QStringLiteral(" union all ")));
}

bool refill(Database& db, QString* error) {
    const bool server = db.isServer();
    const auto run = [&](const QString& text) {
        return server ? db.executeServerText(text) : db.executeQuietly(sql::Statement(text));
    };
    bool done = run(emptyText());
    for (const QString& text : fillTexts()) {
        if (done)
            done = run(text);
    }
    if (!done && error)
        *error = db.lastError();
    return done;
}

qint64 staleCount(Database& db) {
    return db.count(sql::Statement(staleCountText()));
}

} // namespace basecount
