// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "reports/InteractionQuery.h"
#include "reports/InteractionTotals.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;
class ReportRows;

// The interactions a query selects, one list row each, with the totals read
// along the way.
class InteractionResults {
  public:
    static inline const QString kColumns =
        QStringLiteral("选,25;日期,80;时间,50;往来类型,70;地点,80;事由,80;级别,70;姓名,70;"
                       "职务,50;单位名称,138;对方人员,80;我方人员,80;礼品,80;支出,50;收入,50");

    static inline const QString kStatement = QStringLiteral(
        "select c.comm_base_code,c.comm_year,c.comm_month,c.comm_day,c.comm_spent, \t\t\t\t"
        "c.comm_cost,b.base_name,d.duty_name,s.sort_name,b.work_name,u.user_name,e.dep_name, "
        "\t\t\t\ti.business_name,c.comm_tran,c.comm_clock,c.comm_minute,c.comm_place,"
        "c.comm_reason,c.comm_client,c.comm_myjoin,c.comm_gift \t\t\t\tfrom comm as c,base as "
        "b,duty as d,sort as s,userlogin as u,dep as e,business as i \t\t\t\twhere "
        "b.base_code=c.comm_base_code and \t\t\t\t\tb.work_duty_code=d.duty_code and "
        "\t\t\t\t\tb.base_user_code=u.user_code and \t\t\t\t\tb.base_user_dep_code=e.dep_code "
        "and \t\t\t\t\tb.base_sort_code=s.sort_code and \t\t\t\t\t"
        "c.comm_business_code=i.business_code ");
    static inline const QString kAnd = QStringLiteral("%s and %s ");
    static inline const QString kOrder = QStringLiteral(" order by c.comm_base_code DESC");

    // The tick column and the fourteen shown texts.
    enum Column {
        TickColumn,
        DateColumn,
        TimeColumn,
        BusinessColumn,
        PlaceColumn,
        ReasonColumn,
        LevelColumn,
        NameColumn,
        DutyColumn,
        WorkNameColumn,
        ClientColumn,
        MyJoinColumn,
        GiftColumn,
        CostColumn,
        IncomeColumn,
        ColumnCount
    };

    explicit InteractionResults(Database& db) : db_(db) {}

    static sql::Statement statement(const InteractionConditions& conditions);

    // Reads the rows and their totals. On a database error (shown) the rows
    // and totals read so far stay and the result is false.
    bool fetch(const InteractionConditions& conditions, ReportRows& rows,
               InteractionTotals& totals);

  private:
    Database& db_;
};
