// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/RelationStats.h"

#include "db/Database.h"
#include "db/Days.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <unordered_map>

namespace {

const QString kMine = QStringLiteral("b.base_user_code=%ld");
const QString kDepartment = QStringLiteral("b.base_user_dep_code=%ld");
const QString kEveryone = QStringLiteral("b.base_invalid_flag=1");

// The live contacts in scope with their level (NULL when it is not in sort),
// its interval, the creation day and, when the contact had an interaction
// before the period, the day from which that one leaves it overdue (the
// day after its planned date, or once the level's interval has passed).
const QString kScopeContacts = QStringLiteral(
    "select b.base_code,s.sort_code,ifnull(s.sort_frequence,0),"
    "daynumber(substr(b.base_create_date,1,4),substr(b.base_create_date,6,2),"
    "substr(b.base_create_date,9,2)),"
    "(select case when ifnull(n.comm_next_year,'')='' "
    "then daynumber(n.comm_year,n.comm_month,n.comm_day)+ifnull(s.sort_frequence,0)+1 "
    "else daynumber(n.comm_next_year,n.comm_next_month,n.comm_next_day)+1 end "
    "from comm as n where n.comm_base_code=b.base_code and n.comm_date<'%s' "
    "order by n.comm_date DESC,n.comm_code DESC limit 1) "
    "from base as b left join sort as s on b.base_sort_code=s.sort_code "
    "where b.base_invalid_flag=1 and %s");

// Every interaction of the period (those of contacts out of scope are passed
// over as they come): its money (NULL when the text cannot be read), the day
// of its date parts, its planned day (NULL without a plan) and comm_date,
// whose month and day are taken from the text here rather than by the engine
// (half the statement's cost when it did).
const QString kPeriodInteractions =
    QStringLiteral("select c.comm_base_code,c.comm_code,c.comm_date,"
                   "c.comm_business_code,amount(c.comm_cost),amount(c.comm_tran),"
                   "daynumber(c.comm_year,c.comm_month,c.comm_day),"
                   "case when ifnull(c.comm_next_year,'')='' then null "
                   "else daynumber(c.comm_next_year,c.comm_next_month,c.comm_next_day) end "
                   "from comm as c where c.comm_date between '%s' and '%s'");

const QString kTypes = QStringLiteral("select business_code,business_name from business");
const QString kLevels =
    QStringLiteral("select sort_code,sort_name from sort order by sort_value DESC,sort_code");
const QString kName = QStringLiteral("select base_name from base where base_code=%ld");

// The contact's interactions summed up, and its level with the level's interval
// (null without one), in one statement.
const QString kLedger = QStringLiteral(
    "select count(*),sum(amount(c.comm_cost)),sum(amount(c.comm_tran)),min(c.comm_date),"
    "max(c.comm_date),"
    "sum(case when amount(c.comm_cost) is null or amount(c.comm_tran) is null then 1 else 0 end),"
    "(select s.sort_name from base as b,sort as s "
    "where b.base_sort_code=s.sort_code and b.base_code=%ld),"
    "(select s.sort_frequence from base as b,sort as s "
    "where b.base_sort_code=s.sort_code and b.base_code=%ld) "
    "from comm as c where c.comm_base_code=%ld");
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
    return row.realAt(index).value_or(0);
}

QDate fromDayNumber(qint64 day) {
    return QDate(1970, 1, 1).addDays(day);
}

qint64 dayNumber(const QDate& date) {
    return dates::dayNumber(date.year(), date.month(), date.day());
}

// An ISO date text's year, month and day, each read as the engine reads a
// number from text (its leading digits), so that a malformed date gives what
// substr() and a cast would.
struct IsoParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

IsoParts isoParts(QByteArrayView text) {
    const auto part = [&text](qsizetype from, qsizetype length) {
        if (from >= text.size())
            return 0;
        return dates::leadingNumber(text.data() + from, std::min(length, text.size() - from));
    };
    return {part(0, 4), part(5, 2), part(8, 2)};
}

} // namespace

// A contact in scope.
struct ScopeContact {
    qint64 code = -1;
    qint64 level = -1;      // -1: its level is not in sort (the reminders skip it)
    qint64 overdueFrom = 0; // the first day overdue at the period's start
};

// A contact's part in the period, added to at every one of its interactions:
// kept small and apart from the rest, as the walk reaches the contacts in no
// order and waits on memory more than on anything else.
struct Tally {
    double given = 0;
    double received = 0;
    qint32 count = 0;
    qint32 lastDay = 0;  // comm_date's day, its year of four digits at most
    qint32 interval = 0; // the level's, held as a Visit's days are
};

// The contacts in scope, found by their number (a table when the numbers lie
// close together, as they do, else a hash), and the period's interactions.
struct ScopeContacts {
    // Day numbers of a year beyond a few million are held at the ends of
    // qint32: against the points, all in this era, they count the same.
    struct Visit {
        qint64 code;
        qint64 date;    // comm_date as a day number, for the order
        qint32 contact; // its place in list
        qint32 day;     // the date parts' day number
        qint32 from;    // overdue from this day on while it is the newest
    };
    static qint32 held(qint64 day) {
        return qint32(std::clamp<qint64>(day, std::numeric_limits<qint32>::min(),
                                         std::numeric_limits<qint32>::max()));
    }
    std::vector<ScopeContact> list;
    std::vector<Tally> tallies; // by place in list
    std::vector<Visit> visits;
    qint64 low = 0;
    std::vector<qint32> places;
    std::unordered_map<qint64, qint32> scattered;

    void index() {
        if (list.empty())
            return;
        const auto [min, max] = std::minmax_element(
            list.begin(), list.end(),
            [](const ScopeContact& a, const ScopeContact& b) { return a.code < b.code; });
        low = min->code;
        const qint64 span = max->code - low + 1;
        if (span <= qint64(list.size()) * 4 + 1024) {
            places.assign(std::size_t(span), -1);
            for (std::size_t i = 0; i < list.size(); ++i)
                places[std::size_t(list[i].code - low)] = qint32(i);
        } else {
            for (std::size_t i = 0; i < list.size(); ++i)
                scattered.emplace(list[i].code, qint32(i));
        }
    }
    // Puts the visits in order by contact, then by date and number: grouped
    // in one counting pass (a contact's count is its number of visits), each
    // group sorted only when it is not in order already, as it mostly is,
    // the period being read along comm_date.
    void groupVisits() {
        std::vector<std::size_t> next(list.size(), 0);
        std::size_t at = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            next[i] = at;
            at += std::size_t(tallies[i].count);
        }
        std::vector<Visit> grouped(visits.size());
        for (const Visit& v : visits)
            grouped[next[std::size_t(v.contact)]++] = v;
        visits = std::vector<Visit>();
        const auto before = [](const Visit& a, const Visit& b) {
            return a.date != b.date ? a.date < b.date : a.code < b.code;
        };
        for (std::size_t i = 0, begin = 0; i < list.size(); ++i) {
            const auto first = grouped.begin() + qsizetype(begin);
            const auto last = grouped.begin() + qsizetype(next[i]);
            if (!std::is_sorted(first, last, before))
                std::sort(first, last, before);
            begin = next[i];
        }
        visits = std::move(grouped);
    }
    // The place of a contact in list, -1 when it is not in scope.
    qint32 find(qint64 code) const {
        if (!places.empty()) {
            const qint64 at = code - low;
            return at >= 0 && at < qint64(places.size()) ? places[std::size_t(at)] : -1;
        }
        const auto found = scattered.find(code);
        return found == scattered.end() ? -1 : found->second;
    }
};

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
    figures.overduePoints = overduePoints(request.from, request.to);
    const sql::Statement scope = scopeCondition(request);

    ScopeContacts contacts;
    bool read =
        db_.query(sql::format(kScopeContacts, iso(request.from), scope), [&](const Row& row) {
            contacts.list.emplace_back();
            ScopeContact& c = contacts.list.back();
            c.code = row.numberAt(0);
            c.level = row.numberAt(1, -1);
            const qint64 interval = row.numberAt(2, 0);
            // Without an earlier interaction, counted from the creation date.
            c.overdueFrom = row.numberAt(4, row.numberAt(3, 0) + interval + 1);
            contacts.tallies.push_back(Tally{0, 0, 0, 0, ScopeContacts::held(interval)});
            return true;
        });
    contacts.index();
    QHash<qint64, QString> typeNames;
    read = read && db_.query(sql::format(kTypes), [&](const Row& row) {
        typeNames.insert(row.numberAt(0), row.textAt(1));
        return true;
    });
    // Type codes are small numbers: counted in a table, others in a map.
    std::vector<qint64> byTypeCode(256, 0);
    std::unordered_map<qint64, qint64> byType;
    const int firstMonth = figures.months.isEmpty() ? 0
                                                    : figures.months.first().month.year() * 12 +
                                                          figures.months.first().month.month();
    const qsizetype monthCount = figures.months.size();
    MonthFigures* months = figures.months.data();
    read = read &&
           db_.query(sql::format(kPeriodInteractions, iso(request.from), iso(request.to)),
                     [&](const Row& row) {
                         const qint32 place = contacts.find(row.numberAt(0));
                         if (place < 0)
                             return true;
                         Tally& c = contacts.tallies[std::size_t(place)];
                         const auto given = row.realAt(4);
                         const auto received = row.realAt(5);
                         if (!given || !received)
                             ++figures.unreadableMoney;
                         const double out = given.value_or(0);
                         const double in = received.value_or(0);
                         const qint64 day = row.numberAt(6, 0);
                         const IsoParts date = isoParts(row.bytesAt(2));
                         const qint64 index = qint64(date.year) * 12 + date.month - firstMonth;
                         if (index >= 0 && index < monthCount) {
                             MonthFigures& m = months[index];
                             ++m.count;
                             m.given += out;
                             m.received += in;
                         }
                         const qint64 type = row.numberAt(3);
                         if (type >= 0 && type < qint64(byTypeCode.size()))
                             ++byTypeCode[std::size_t(type)];
                         else
                             ++byType[type];
                         ++c.count;
                         c.given += out;
                         c.received += in;
                         const qint64 plan = row.numberAt(7, -1);
                         const qint64 dated = dates::dayNumber(date.year, date.month, date.day);
                         contacts.visits.push_back(
                             {row.numberAt(1), dated, place, ScopeContacts::held(day),
                              ScopeContacts::held(plan >= 0 ? plan + 1 : day + c.interval + 1)});
                         c.lastDay = std::max(c.lastDay, qint32(dated));
                         return true;
                     });
    for (std::size_t code = 0; code < byTypeCode.size(); ++code) {
        if (byTypeCode[code] > 0)
            byType[qint64(code)] += byTypeCode[code];
    }
    if (!read)
        return std::nullopt;
    for (const MonthFigures& m : figures.months) {
        figures.interactions += m.count;
        figures.given += m.given;
        figures.received += m.received;
    }
    QHash<QString, qint64> byName; // types of the same name are one
    for (const auto& [code, count] : byType)
        byName[typeNames.value(code)] += count;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        figures.types.append(TypeShare{it.key(), it.value()});
    std::sort(figures.types.begin(), figures.types.end(),
              [](const TypeShare& a, const TypeShare& b) {
                  return a.count != b.count ? a.count > b.count : a.type < b.type;
              });
    if (!rankContacts(contacts, figures) || !countOverdue(contacts, figures))
        return std::nullopt;
    return figures;
}

bool RelationStats::rankContacts(const ScopeContacts& contacts, RelationFigures& figures) {
    std::vector<ContactFigures> all;
    for (std::size_t i = 0; i < contacts.list.size(); ++i) {
        const Tally& c = contacts.tallies[i];
        if (c.count > 0)
            all.push_back(ContactFigures{contacts.list[i].code, QString(), c.count, c.given,
                                         c.received,
                                         fromDayNumber(c.lastDay).toString(Qt::ISODate)});
    }
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
    // Names for the forty shown only.
    for (QList<ContactFigures>* list : {&figures.mostInteractions, &figures.largestImbalance}) {
        for (ContactFigures& c : *list) {
            if (!db_.query(sql::format(kName, c.code), [&c](const Row& row) {
                    c.name = row.textAt(0);
                    return false;
                }))
                return false;
        }
    }
    return true;
}

// The reminders' rule on each point: while an interaction is a contact's
// newest (by comm_date, then the later entered), the contact is overdue from
// its "from" day until the day of the next one.
bool RelationStats::countOverdue(ScopeContacts& contacts, RelationFigures& figures) {
    const QList<QDate>& points = figures.overduePoints;
    if (points.isEmpty())
        return true;
    std::vector<qint64> days;
    for (const QDate& point : points)
        days.push_back(dayNumber(point));
    // Per level: the change of the count at each point.
    std::map<qint64, std::vector<qint64>> changes;
    const auto span = [&](std::vector<qint64>& change, qint64 from, qint64 until) {
        if (from >= until)
            return;
        const auto begin = std::lower_bound(days.begin(), days.end(), from) - days.begin();
        const auto end = std::lower_bound(days.begin(), days.end(), until) - days.begin();
        if (begin < end) {
            ++change[std::size_t(begin)];
            --change[std::size_t(end)];
        }
    };
    const qint64 never = std::numeric_limits<qint64>::max();
    contacts.groupVisits();
    auto visit = contacts.visits.cbegin();
    for (std::size_t i = 0; i < contacts.list.size(); ++i) {
        const ScopeContact& c = contacts.list[i];
        qint64 from = c.overdueFrom;
        const bool counted = c.level >= 0;
        std::vector<qint64>* change = nullptr;
        if (counted) {
            change = &changes[c.level];
            if (change->empty())
                change->assign(days.size() + 1, 0);
        }
        for (; visit != contacts.visits.cend() && visit->contact == qint32(i); ++visit) {
            if (counted)
                span(*change, from, visit->day);
            from = visit->from;
        }
        if (counted)
            span(*change, from, never);
    }
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
        bool any = false;
        for (std::size_t i = 0; i < days.size(); ++i) {
            running += found->second[i];
            any = any || running != 0;
            series.counts.append(running);
        }
        if (any)
            figures.overdue.append(series);
    }
    return true;
}

std::optional<ContactLedger> RelationStats::ledger(qint64 contactCode, const QDate& today) {
    ContactLedger ledger;
    bool read =
        db_.query(sql::format(kLedger, contactCode, contactCode, contactCode), [&](const Row& row) {
            ledger.count = row.numberAt(0, 0);
            ledger.given = money(row, 1);
            ledger.received = money(row, 2);
            ledger.first = QDate::fromString(row.textAt(3), Qt::ISODate);
            ledger.last = QDate::fromString(row.textAt(4), Qt::ISODate);
            ledger.unreadableMoney = row.numberAt(5, 0);
            ledger.level = row.textAt(6);
            ledger.levelInterval = row.numberAt(7, 0);
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
