// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/RelationStats.h"

#include "db/Database.h"
#include "db/Days.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

const QString kMine = QStringLiteral("b.base_user_code=%ld");
const QString kDepartment = QStringLiteral("b.base_user_dep_code=%ld");
const QString kEveryone = QStringLiteral("b.base_invalid_flag=1");

// Per month and type: how many, the money out and in, and the rows whose
// money could not be read.
const QString kMonthsAndTypes = QStringLiteral(
    "select substr(c.comm_date,1,7),i.business_name,count(*),sum(amount(c.comm_cost)),"
    "sum(amount(c.comm_tran)),"
    "sum(case when amount(c.comm_cost) is null or amount(c.comm_tran) is null then 1 else 0 end) "
    "from comm as c inner join base as b on c.comm_base_code=b.base_code "
    "left join business as i on c.comm_business_code=i.business_code "
    "where b.base_invalid_flag=1 and %s and c.comm_date between '%s' and '%s' "
    "group by substr(c.comm_date,1,7),i.business_name");

// Per contact over the period, for the two top lists.
const QString kContacts = QStringLiteral(
    "select c.comm_base_code,b.base_name,count(*),sum(amount(c.comm_cost)),"
    "sum(amount(c.comm_tran)),max(c.comm_date) "
    "from comm as c,base as b where c.comm_base_code=b.base_code and b.base_invalid_flag=1 "
    "and %s and c.comm_date between '%s' and '%s' group by c.comm_base_code,b.base_name");

// Overdue on a day d, by the reminders' rule: while an interaction is a
// contact's newest (until the day of the next one, e), the contact is overdue
// from day a: the day after its planned date, or, without a plan, once the
// level's interval has passed. Before its first interaction a contact counts
// from its creation date. The statement gives, per level, how many such spans
// begin (a, +) and end (e, -) on each day, spans begun before the first point
// as beginning on it; the counts on a day are the running sums up to it.
// The %ld are day numbers: of the first point (twice), the last, the first;
// then of the first and the last.
const QString kOverdueSpans = QStringLiteral(
    "with t as ("
    "select b.base_sort_code as lvl,"
    "case when ifnull(c.comm_next_year,'')='' "
    "then daynumber(c.comm_year,c.comm_month,c.comm_day)+ifnull(s.sort_frequence,0)+1 "
    "else daynumber(c.comm_next_year,c.comm_next_month,c.comm_next_day)+1 end as a,"
    "lead(daynumber(c.comm_year,c.comm_month,c.comm_day)) over "
    "(partition by c.comm_base_code order by c.comm_date,c.comm_code) as e "
    "from comm as c,base as b,sort as s where c.comm_base_code=b.base_code and "
    "b.base_sort_code=s.sort_code and b.base_invalid_flag=1 and %s "
    "union all "
    "select b.base_sort_code,daynumber(substr(b.base_create_date,1,4),"
    "substr(b.base_create_date,6,2),substr(b.base_create_date,9,2))+ifnull(s.sort_frequence,0)+1,"
    "(select daynumber(n.comm_year,n.comm_month,n.comm_day) from comm as n "
    "where n.comm_base_code=b.base_code order by n.comm_date,n.comm_code limit 1) "
    "from base as b,sort as s where b.base_sort_code=s.sort_code and b.base_invalid_flag=1 and %s) "
    "select u.lvl,u.d,count(*) from (select lvl,case when a<%ld then %ld else a end as d from t "
    "where a<=%ld and (e is null or e>a and e>%ld)) as u group by u.lvl,u.d "
    "union all "
    "select lvl,e,-count(*) from t where a<=%ld and e>a and e>%ld and e<=%ld group by lvl,e");

const QString kLevels =
    QStringLiteral("select sort_code,sort_name from sort order by sort_value DESC,sort_code");

const QString kLedger = QStringLiteral(
    "select count(*),sum(amount(c.comm_cost)),sum(amount(c.comm_tran)),min(c.comm_date),"
    "max(c.comm_date),"
    "sum(case when amount(c.comm_cost) is null or amount(c.comm_tran) is null then 1 else 0 end) "
    "from comm as c where c.comm_base_code=%ld");
const QString kLedgerLevel =
    QStringLiteral("select s.sort_name,s.sort_frequence from base as b,sort as s "
                   "where b.base_sort_code=s.sort_code and b.base_code=%ld");
const QString kLedgerMonths = QStringLiteral(
    "select substr(c.comm_date,1,7),count(*) from comm as c where c.comm_base_code=%ld "
    "and c.comm_date between '%s' and '%s' group by substr(c.comm_date,1,7)");

const QString kFirstDay = QStringLiteral(
    "select min(c.comm_date) from comm as c,base as b where c.comm_base_code=b.base_code "
    "and b.base_invalid_flag=1 and %s");

QString iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

QDate monthOf(const QString& isoMonth) {
    return QDate::fromString(isoMonth.left(7) + QStringLiteral("-01"), Qt::ISODate);
}

double money(const Row& row, int index) {
    return row.textAt(index, QStringLiteral("0")).toDouble();
}

qint64 dayNumber(const QDate& date) {
    return dates::dayNumber(date.year(), date.month(), date.day());
}

} // namespace

sql::Statement RelationStats::scopeCondition(const StatsRequest& request) {
    switch (request.scope) {
    case StatsScope::Mine:
        return sql::format(kMine, request.userCode);
    case StatsScope::Department:
        return sql::format(kDepartment, request.departmentCode);
    case StatsScope::Everyone:
        break;
    }
    return sql::format(kEveryone);
}

QList<QDate> RelationStats::overduePoints(const QDate& from, const QDate& to) {
    QList<QDate> points;
    if (!from.isValid() || !to.isValid() || to < from)
        return points;
    const int months =
        (to.year() - from.year()) * 12 + to.month() - from.month() + 1; // both ends counted
    const int step = (months + kMaxPoints - 1) / kMaxPoints;
    // Counted back from the last month, so the period's end is always a point.
    const QDate lastMonth(to.year(), to.month(), 1);
    for (int back = 0; back < months; back += step) {
        const QDate month = lastMonth.addMonths(-back);
        const QDate end = month.addMonths(1).addDays(-1);
        points.prepend(std::min(end, to));
    }
    return points;
}

std::optional<RelationFigures> RelationStats::figures(const StatsRequest& request) {
    RelationFigures figures;
    for (QDate m(request.from.year(), request.from.month(), 1); m <= request.to; m = m.addMonths(1))
        figures.months.append(MonthFigures{m});
    if (!readMonthsAndTypes(request, figures) || !readContacts(request, figures) ||
        !readOverdue(request, figures))
        return std::nullopt;
    return figures;
}

bool RelationStats::readMonthsAndTypes(const StatsRequest& request, RelationFigures& figures) {
    QHash<QString, qint64> byType;
    const QDate first = figures.months.isEmpty() ? QDate() : figures.months.first().month;
    const bool read = db_.query(
        sql::format(kMonthsAndTypes, scopeCondition(request), iso(request.from), iso(request.to)),
        [&](const Row& row) {
            const qint64 count = row.numberAt(2, 0);
            const double given = money(row, 3);
            const double received = money(row, 4);
            const QDate month = monthOf(row.textAt(0));
            const qint64 index =
                first.isValid() && month.isValid()
                    ? (month.year() - first.year()) * 12 + month.month() - first.month()
                    : -1;
            if (index >= 0 && index < figures.months.size()) {
                MonthFigures& m = figures.months[index];
                m.count += count;
                m.given += given;
                m.received += received;
            }
            byType[row.textAt(1)] += count;
            figures.interactions += count;
            figures.given += given;
            figures.received += received;
            figures.unreadableMoney += row.numberAt(5, 0);
            return true;
        });
    if (!read)
        return false;
    for (auto it = byType.cbegin(); it != byType.cend(); ++it)
        figures.types.append(TypeShare{it.key(), it.value()});
    std::sort(figures.types.begin(), figures.types.end(),
              [](const TypeShare& a, const TypeShare& b) {
                  return a.count != b.count ? a.count > b.count : a.type < b.type;
              });
    return true;
}

bool RelationStats::readContacts(const StatsRequest& request, RelationFigures& figures) {
    std::vector<ContactFigures> all;
    const bool read = db_.query(
        sql::format(kContacts, scopeCondition(request), iso(request.from), iso(request.to)),
        [&](const Row& row) {
            all.push_back(ContactFigures{row.numberAt(0), row.textAt(1), row.numberAt(2, 0),
                                         money(row, 3), money(row, 4), row.textAt(5)});
            return true;
        });
    if (!read)
        return false;
    const auto top = [&all](auto before) {
        const std::size_t n = std::min<std::size_t>(all.size(), kTop);
        std::partial_sort(all.begin(), all.begin() + qsizetype(n), all.end(), before);
        return QList<ContactFigures>(all.begin(), all.begin() + qsizetype(n));
    };
    // Ties go to the more recent contact, then to the lower number, so the
    // lists do not change from one run to the next.
    const auto tie = [](const ContactFigures& a, const ContactFigures& b) {
        return a.lastDate != b.lastDate ? a.lastDate > b.lastDate : a.code < b.code;
    };
    figures.mostInteractions = top([&](const ContactFigures& a, const ContactFigures& b) {
        return a.count != b.count ? a.count > b.count : tie(a, b);
    });
    std::erase_if(all, [](const ContactFigures& c) { return std::abs(c.balance()) < 0.005; });
    figures.largestImbalance = top([&](const ContactFigures& a, const ContactFigures& b) {
        const double x = std::abs(a.balance());
        const double y = std::abs(b.balance());
        return x != y ? x > y : tie(a, b);
    });
    return true;
}

bool RelationStats::readOverdue(const StatsRequest& request, RelationFigures& figures) {
    figures.overduePoints = overduePoints(request.from, request.to);
    if (figures.overduePoints.isEmpty())
        return true;
    const qint64 first = dayNumber(figures.overduePoints.first());
    const qint64 last = dayNumber(figures.overduePoints.last());
    // Per level: the change in the count on each day.
    std::map<qint64, std::map<qint64, qint64>> changes;
    const sql::Statement scope = scopeCondition(request);
    const bool read = db_.query(
        sql::format(kOverdueSpans, scope, scope, first, first, last, first, last, first, last),
        [&](const Row& row) {
            changes[row.numberAt(0)][row.numberAt(1)] += row.numberAt(2, 0);
            return true;
        });
    if (!read)
        return false;
    QList<QPair<qint64, QString>> levels;
    if (!db_.query(sql::format(kLevels), [&](const Row& row) {
            levels.append({row.numberAt(0), row.textAt(1)});
            return true;
        }))
        return false;
    for (const auto& [code, name] : levels) {
        const auto found = changes.find(code);
        if (found == changes.end())
            continue;
        OverdueSeries series{name, {}};
        qint64 running = 0;
        auto change = found->second.cbegin();
        for (const QDate& point : figures.overduePoints) {
            const qint64 day = dayNumber(point);
            for (; change != found->second.cend() && change->first <= day; ++change)
                running += change->second;
            series.counts.append(running);
        }
        figures.overdue.append(series);
    }
    return true;
}

std::optional<ContactLedger> RelationStats::ledger(qint64 contactCode, const QDate& today) {
    ContactLedger ledger;
    bool read = db_.query(sql::format(kLedger, contactCode), [&](const Row& row) {
        ledger.count = row.numberAt(0, 0);
        ledger.given = money(row, 1);
        ledger.received = money(row, 2);
        ledger.first = QDate::fromString(row.textAt(3), Qt::ISODate);
        ledger.last = QDate::fromString(row.textAt(4), Qt::ISODate);
        ledger.unreadableMoney = row.numberAt(5, 0);
        return false;
    });
    read = read && db_.query(sql::format(kLedgerLevel, contactCode), [&](const Row& row) {
        ledger.level = row.textAt(0);
        ledger.levelInterval = row.numberAt(1, 0);
        return false;
    });
    const QDate thisMonth(today.year(), today.month(), 1);
    const QDate from = thisMonth.addMonths(-11);
    ledger.lastTwelveMonths = QList<qint64>(12, 0);
    read = read && db_.query(sql::format(kLedgerMonths, contactCode, iso(from), iso(today)),
                             [&](const Row& row) {
                                 const QDate month = monthOf(row.textAt(0));
                                 const int index = (month.year() - from.year()) * 12 +
                                                   month.month() - from.month();
                                 if (index >= 0 && index < 12)
                                     ledger.lastTwelveMonths[index] += row.numberAt(1, 0);
                                 return true;
                             });
    if (!read)
        return std::nullopt;
    return ledger;
}

QDate RelationStats::firstDay(const StatsRequest& request, const QDate& today) {
    QDate first;
    db_.query(sql::format(kFirstDay, scopeCondition(request)), [&](const Row& row) {
        first = QDate::fromString(row.textAt(0), Qt::ISODate);
        return false;
    });
    return first.isValid() && first < today ? first : today;
}
