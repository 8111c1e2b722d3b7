// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/InteractionResults.h"

#include "db/Database.h"
#include "db/DateForms.h"
#include "ui/ReportRows.h"

sql::Statement InteractionResults::statement(const InteractionConditions& conditions) {
    sql::Statement s(kStatement);
    if (!conditions.base.isEmpty())
        s = sql::format(kAnd, s, conditions.base);
    if (!conditions.comm.isEmpty())
        s = sql::format(kAnd, s, conditions.comm);
    return s + sql::Statement(kOrder);
}

bool InteractionResults::fetch(const InteractionConditions& conditions, ReportRows& rows,
                               InteractionTotals& totals) {
    rows.clear();
    totals = InteractionTotals{};
    enum Field {
        Clock,
        Minute,
        Cost,
        Income,
        Year,
        Month,
        Day,
        Business,
        Place,
        Reason,
        Level,
        Name,
        Duty,
        WorkName,
        Client,
        MyJoin,
        Gift,
        Contact,
        Spent,
        FieldCount
    };
    static const char* const kFields[FieldCount] = {
        "comm_clock",  "comm_minute", "comm_cost",      "comm_tran",  "comm_year",
        "comm_month",  "comm_day",    "business_name",  "comm_place", "comm_reason",
        "sort_name",   "base_name",   "duty_name",      "work_name",  "comm_client",
        "comm_myjoin", "comm_gift",   "comm_base_code", "comm_spent"};
    // The columns are found by name once; the rows are then read by position.
    QList<int> at;
    return db_.query(statement(conditions), [&](const Row& row) {
        if (at.isEmpty())
            for (const char* field : kFields)
                at << row.indexOf(QLatin1String(field));
        const auto text = [&](Field field) { return row.textAt(at[field]); };
        const QString hour = text(Clock);
        const QString minute = text(Minute);
        const QString time = hour.isEmpty()     ? QString()
                             : minute.isEmpty() ? dateforms::hourOnly(hour)
                                                : dateforms::shortTime(hour, minute);
        const QString cost = text(Cost);
        const QString income = text(Income);
        rows.append({QStringView(), dateforms::dashed(text(Year), text(Month), text(Day)), time,
                     text(Business), text(Place), text(Reason), text(Level), text(Name), text(Duty),
                     text(WorkName), text(Client), text(MyJoin), text(Gift), cost, income});
        totals.add(row.numberAt(at[Contact]), text(Spent), cost, income);
        return true;
    });
}
