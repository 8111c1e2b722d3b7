#include "reports/InteractionResults.h"

#include "db/Database.h"
#include "db/DateForms.h"

sql::Statement InteractionResults::statement(const InteractionConditions& conditions) {
    sql::Statement s(kStatement);
    if (!conditions.base.isEmpty())
        s = sql::format(kAnd, s, conditions.base);
    if (!conditions.comm.isEmpty())
        s = sql::format(kAnd, s, conditions.comm);
    return s + sql::Statement(kOrder);
}

bool InteractionResults::fetch(const InteractionConditions& conditions, QList<QStringList>& rows,
                               InteractionTotals& totals) {
    rows.clear();
    totals = InteractionTotals{};
    return db_.query(statement(conditions), [&](const Row& row) {
        const QString hour = row.text(QStringLiteral("comm_clock"));
        const QString minute = row.text(QStringLiteral("comm_minute"));
        const QString time = hour.isEmpty()     ? QString()
                             : minute.isEmpty() ? dateforms::hourOnly(hour)
                                                : dateforms::shortTime(hour, minute);
        const QString cost = row.text(QStringLiteral("comm_cost"));
        const QString income = row.text(QStringLiteral("comm_tran"));
        rows.append({QString(),
                     dateforms::dashed(row.text(QStringLiteral("comm_year")),
                                       row.text(QStringLiteral("comm_month")),
                                       row.text(QStringLiteral("comm_day"))),
                     time, row.text(QStringLiteral("business_name")),
                     row.text(QStringLiteral("comm_place")),
                     row.text(QStringLiteral("comm_reason")), row.text(QStringLiteral("sort_name")),
                     row.text(QStringLiteral("base_name")), row.text(QStringLiteral("duty_name")),
                     row.text(QStringLiteral("work_name")), row.text(QStringLiteral("comm_client")),
                     row.text(QStringLiteral("comm_myjoin")), row.text(QStringLiteral("comm_gift")),
                     cost, income});
        totals.add(row.number(QStringLiteral("comm_base_code")),
                   row.text(QStringLiteral("comm_spent")), cost, income);
        return true;
    });
}
