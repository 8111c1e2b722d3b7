// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/Reminders.h"

#include "db/Database.h"
#include "db/Days.h"
#include "db/Statement.h"

#include <algorithm>

namespace {

const QString kClear = QStringLiteral("delete from tmptrans where tmptrans_user_code=%ld");

// Every interaction of a live contact planned for today gives a row.
const QString kPlanned =
    QStringLiteral("insert into tmptrans(tmptrans_base_code,tmptrans_type,tmptrans_user_code) "
                   "select b.base_code,1,%ld from comm as c,base as b "
                   "where b.base_invalid_flag=1 and c.comm_base_code=b.base_code and "
                   "c.comm_next_year='%s' and c.comm_next_month='%s' and c.comm_next_day='%s'%s");

// The newest interaction of each live contact decides: its date parts and
// planned date are kept in commlast, one row per contact that has any. A
// contact without one counts from its creation date (characters 1-4, 6-7 and
// 9-10 of base_create_date). Every %ld but the first is today's day number.
// The limit keeps the engine from copying the kind into the outer condition.
const QString kDueAndOverdue = QStringLiteral(
    "insert into tmptrans(tmptrans_base_code,tmptrans_type,tmptrans_user_code) "
    "select r.code,r.kind,%ld from ("
    "select b.base_code as code,case when l.commlast_base_code is null then "
    "case when %ld-daynumber(substr(b.base_create_date,1,4),substr(b.base_create_date,6,2),"
    "substr(b.base_create_date,9,2))>ifnull(s.sort_frequence,0) then '3' else '2' end "
    "when ifnull(l.commlast_next_year,'')='' then "
    "case when %ld-daynumber(l.commlast_year,l.commlast_month,l.commlast_day)="
    "ifnull(s.sort_frequence,0) then '2' "
    "when %ld-daynumber(l.commlast_year,l.commlast_month,l.commlast_day)>"
    "ifnull(s.sort_frequence,0) then '3' else '' end "
    "when %ld-daynumber(l.commlast_next_year,l.commlast_next_month,l.commlast_next_day)>0 "
    "then '3' else '' end as kind "
    "from base as b inner join sort as s on b.base_sort_code=s.sort_code "
    "left join commlast as l on l.commlast_base_code=b.base_code "
    "where b.base_invalid_flag=1%s order by b.base_code limit -1) as r where r.kind<>''");

// The statements above for some contacts only: those of a set.
const QString kOnly = QStringLiteral(" and b.base_code in (%s)");

// What a rebuild keeps for the next one: per user the day of the rows and
// the last change they include; user 0 holds the days of reminddue.
const QString kStateOf =
    QStringLiteral("select remindstate_day,remindstate_seq,remindstate_planned,remindstate_due,"
                   "remindstate_overdue from remindstate where remindstate_user_code=%ld");
const QString kForgetState =
    QStringLiteral("delete from remindstate where remindstate_user_code=%ld");
const QString kKeepState = QStringLiteral(
    "insert into remindstate(remindstate_user_code,remindstate_day,remindstate_seq,"
    "remindstate_planned,remindstate_due,remindstate_overdue) values(%ld,%ld,%ld,%ld,%ld,%ld)");
// A server numbers changes before they are committed: the rebuild waits for
// the writers at work and keeps new ones out while it reads the log.
const QString kLockLog = QStringLiteral("lock table remindlog in share row exclusive mode");
const QString kLastChange = QStringLiteral("select max(remindlog_seq) from remindlog");
const QString kEveryoneChanged = QStringLiteral(
    "select count(*) from remindlog where remindlog_seq>%ld and remindlog_base_code is null");
const QString kChanged = QStringLiteral(
    "select remindlog_base_code from remindlog where remindlog_seq>%ld and remindlog_seq<=%ld");
// The contacts whose rows a new day may change: a contact's rows change on
// the first day it is overdue and, without a planned date, on the day before,
// when it is due (with an interval that is not a whole number, only on the
// first day after it has passed, which comes before the kept day). So those
// whose overdue day is from the day after the last rebuild to the day after
// today, and those without one.
const QString kCrossed = QStringLiteral(
    "select reminddue_base_code from reminddue where reminddue_overdue>%ld and "
    "reminddue_overdue<=%ld union all select reminddue_base_code from reminddue where "
    "reminddue_overdue is null");
const QString kClearSome = QStringLiteral(
    "delete from tmptrans where +tmptrans_user_code=%ld and tmptrans_base_code in (%s)");
// The rows of a few contacts are found by contact: "+" keeps a file's engine
// from walking all the user's rows instead.
const QString kCountSome =
    QStringLiteral("select tmptrans_type,count(*) from tmptrans where +tmptrans_user_code=%ld and "
                   "tmptrans_base_code in (%s) group by tmptrans_type");
const QString kClearPlanned =
    QStringLiteral("delete from tmptrans where tmptrans_user_code=%ld and tmptrans_type='1'");
// The first day each live contact is overdue, by the rule of kDueAndOverdue:
// without interactions, once its level's interval has passed since it was
// made; without a planned date, the day after its interval has passed since
// the newest interaction; with one, the day after that date. An interval that
// is not a number gives no day: such a contact is looked at every new day.
const QString kForgetDueDays = QStringLiteral("delete from reminddue");
const QString kForgetSomeDueDays =
    QStringLiteral("delete from reminddue where reminddue_base_code in (%s)");
const QString kDueDays = QStringLiteral(
    "insert into reminddue(reminddue_base_code,reminddue_overdue) "
    "select b.base_code,"
    "case when ifnull(s.sort_frequence,0)<>ifnull(s.sort_frequence,0)+0 then null "
    "when l.commlast_base_code is null then daynumber(substr(b.base_create_date,1,4),"
    "substr(b.base_create_date,6,2),substr(b.base_create_date,9,2))+ifnull(s.sort_frequence,0)+1 "
    "when ifnull(l.commlast_next_year,'')='' then "
    "daynumber(l.commlast_year,l.commlast_month,l.commlast_day)+ifnull(s.sort_frequence,0)+1 "
    "else daynumber(l.commlast_next_year,l.commlast_next_month,l.commlast_next_day)+1 end "
    "from base as b inner join sort as s on b.base_sort_code=s.sort_code "
    "left join commlast as l on l.commlast_base_code=b.base_code "
    "where b.base_invalid_flag=1%s");
// States too far behind to catch up are dropped, and the log is kept only as
// far back as the oldest state still needs.
const QString kDropStatesBefore =
    QStringLiteral("delete from remindstate where remindstate_seq<%ld");
const QString kPruneLog = QStringLiteral("delete from remindlog where remindlog_seq<"
                                         "(select min(remindstate_seq) from remindstate)");

// For a check: the users with kept rows, and the rows of one user that the
// other does not have, both ways, plus any difference in their number.
const QString kKeptUsers = QStringLiteral(
    "select remindstate_user_code,remindstate_day from remindstate where remindstate_user_code>0");
const QString kDifferingRows = QStringLiteral(
    "select (select count(*) from (select tmptrans_base_code,tmptrans_type from tmptrans where "
    "tmptrans_user_code=%ld except select tmptrans_base_code,tmptrans_type from tmptrans where "
    "tmptrans_user_code=%ld) as a)+(select count(*) from (select tmptrans_base_code,"
    "tmptrans_type from tmptrans where tmptrans_user_code=%ld except select tmptrans_base_code,"
    "tmptrans_type from tmptrans where tmptrans_user_code=%ld) as b)+"
    "abs((select count(*) from tmptrans where tmptrans_user_code=%ld)-"
    "(select count(*) from tmptrans where tmptrans_user_code=%ld))");

// Beyond these a rebuild makes everything anew: cheaper than catching up.
constexpr qint64 kMostChanges = 20000;
constexpr qint64 kMostDays = 31;

const QString kCountTypes =
    QStringLiteral("select tmptrans_type,count(*) from tmptrans where tmptrans_user_code=%ld "
                   "group by tmptrans_type");

// A contact whose birthday is lunar (base_lunar 1, or 2 for a leap month) is
// counted in the Gregorian month where its birthday falls this year; the others
// by the month they were born in, as before. The last two %ld are this year
// and this month (or, in the ahead statement, this year and month, then today).
// The two kinds are counted apart, each from an index of its own.
const QString kBirthdays = QStringLiteral(
    "select (select count(*) from base as b where b.base_lunar=0 and b.base_month='%s')+"
    "(select count(*) from base as b where b.base_lunar<>0 and "
    "lunarday(b.base_lunar,b.base_month,b.base_day,%ld,%ld)>0)");
// A family page counts once when its spouse's or its child's birthday is this
// month: as four parts that exclude each other (the spouse's by the calendar,
// the child's by the calendar and not the spouse's, the spouse's lunar and
// not the child's by the calendar, the child's lunar and neither of the
// spouse's), each read from its own index. "case when ... then 0 else 1 end"
// is "not", with a condition that cannot be told counting as false.
const QString kFamilyBirthdays = QStringLiteral(
    "select (select count(*) from home as h cross join base as b where "
    "h.home_base_code=b.base_code and h.home_lunar=0 and h.home_month='%s')+"
    "(select count(*) from home as h cross join base as b where h.home_base_code=b.base_code "
    "and h.home_child_lunar=0 and h.home_child_month='%s' and "
    "case when h.home_lunar=0 and h.home_month='%s' then 0 else 1 end=1)+"
    "(select count(*) from home as h cross join base as b where h.home_base_code=b.base_code "
    "and h.home_lunar<>0 and lunarday(h.home_lunar,h.home_month,h.home_day,%ld,%ld)>0 and "
    "case when h.home_child_lunar=0 and h.home_child_month='%s' then 0 else 1 end=1)+"
    "(select count(*) from home as h cross join base as b where h.home_base_code=b.base_code "
    "and h.home_child_lunar<>0 and "
    "lunarday(h.home_child_lunar,h.home_child_month,h.home_child_day,%ld,%ld)>0 and "
    "case when h.home_lunar=0 and h.home_month='%s' or h.home_lunar<>0 and "
    "lunarday(h.home_lunar,h.home_month,h.home_day,%ld,%ld)>0 then 0 else 1 end=1)");

const QString kPlannedToday = QStringLiteral(
    "select b.base_name from comm c,base b \t\twhere c.comm_base_code=b.base_code and \t\t\t  "
    "c.comm_next_year='%s' and \t\t\t  c.comm_next_month='%s' and \t\t\t  c.comm_next_day='%s'");
const QString kBirthdaysAhead = QStringLiteral(
    "select b.base_name from base as b, home as h \t\twhere h.home_base_code=b.base_code and "
    "\t\t\t  ( (b.base_lunar=0 and b.base_month='%s' and b.base_day>='%s') or (h.home_lunar=0 and "
    "h.home_month='%s' and h.home_day>='%s') or \t\t\t    (h.home_child_lunar=0 and "
    "h.home_child_month='%s' and h.home_child_day>='%s') or "
    "(b.base_lunar<>0 and lunarday(b.base_lunar,b.base_month,b.base_day,%ld,%ld)>=%ld) or "
    "(h.home_lunar<>0 and lunarday(h.home_lunar,h.home_month,h.home_day,%ld,%ld)>=%ld) or "
    "(h.home_child_lunar<>0 and "
    "lunarday(h.home_child_lunar,h.home_child_month,h.home_child_day,%ld,%ld)>=%ld) )");

} // namespace

QString Reminders::year() const {
    return today_.toString(QStringLiteral("yyyy"));
}

QString Reminders::month() const {
    return today_.toString(QStringLiteral("MM"));
}

QString Reminders::day() const {
    return today_.toString(QStringLiteral("dd"));
}

std::optional<Reminders::Kept> Reminders::keptOf(qint64 userCode) {
    std::optional<Kept> kept;
    db_.queryQuietly(sql::format(kStateOf, userCode), [&](const Row& row) {
        kept = Kept{row.numberAt(0, 0),
                    row.numberAt(1, 0),
                    {0, row.numberAt(2, 0), row.numberAt(3, 0), row.numberAt(4, 0)}};
        return false;
    });
    return kept;
}

bool Reminders::followsLog(const std::optional<Kept>& kept, qint64 last) {
    return kept && kept->seq <= last && last - kept->seq <= kMostChanges &&
           (kept->seq == last || db_.count(sql::format(kEveryoneChanged, kept->seq)) == 0);
}

bool Reminders::part(const sql::Statement& statement, bool quietly) {
    // A statement that fails takes only its own rows back: a server would
    // otherwise refuse everything after it in the transaction.
    if (!db_.executeQuietly("SAVEPOINT reminder_part"))
        return false;
    const bool done = quietly ? db_.executeQuietly(statement) : db_.execute(statement);
    db_.executeQuietly(done ? sql::Statement("RELEASE SAVEPOINT reminder_part")
                            : sql::Statement("ROLLBACK TO SAVEPOINT reminder_part"));
    return done;
}

bool Reminders::refreshDueDays(qint64 last, qint64 today) {
    const std::optional<Kept> kept = keptOf(0);
    if (kept && kept->seq == last)
        return true;
    const bool whole = !followsLog(kept, last);
    if (!db_.executeQuietly(sql::format(kForgetState, 0)))
        return false;
    // A failure here is no one's to hear of: the rows are then made anew,
    // and that reports what fails.
    const sql::Statement changed =
        whole ? sql::Statement() : sql::format(kChanged, kept->seq, last);
    const bool done =
        part(whole ? sql::Statement(kForgetDueDays) : sql::format(kForgetSomeDueDays, changed),
             true) &&
        part(sql::format(kDueDays, whole ? sql::Statement() : sql::format(kOnly, changed)), true);
    return done && db_.executeQuietly(sql::format(kKeepState, 0, today, last, 0, 0, 0));
}

bool Reminders::countTypes(const sql::Statement& statement, qint64 byType[4], int sign) {
    return db_.query(statement, [&](const Row& row) {
        const qint64 type = row.numberAt(0, 0);
        if (type >= 1 && type <= 3)
            byType[type] += sign * row.numberAt(1, 0);
        return true;
    });
}

Reminders::Counts Reminders::rebuild(qint64 userCode) {
    Counts counts;
    // One transaction: another program, or the end of this one halfway,
    // sees the old list or the new one, never a part of it.
    const bool own = !db_.inTransaction();
    if (own && !db_.beginQuietly())
        return counts;
    const qint64 today = dates::dayNumber(today_.year(), today_.month(), today_.day());
    // The rows are brought up to date from the last rebuild's when that is
    // near enough: the contacts changed since, and on a new day those whose
    // due or overdue day has come. Otherwise, or when what was kept cannot
    // be read, they are made anew.
    qint64 last = -1;
    if (!db_.isServer() || db_.executeQuietly(sql::Statement(kLockLog))) {
        last = 0;
        db_.queryQuietly(sql::Statement(kLastChange), [&](const Row& row) {
            last = row.numberAt(0, 0);
            return false;
        });
    }
    const bool keep = last >= 0 && refreshDueDays(last, today);
    const std::optional<Kept> kept = keep ? keptOf(userCode) : std::nullopt;
    const bool upToDate =
        keep && followsLog(kept, last) && kept->day <= today && today - kept->day <= kMostDays;
    if (upToDate && kept->day == today && kept->seq == last) {
        // Nothing has changed since: the rows and their numbers stand.
        if (own && !db_.commit())
            return counts;
        counts.cleared = true;
        counts.planned = kept->byType[1];
        counts.due = kept->byType[2];
        counts.overdue = kept->byType[3];
        return counts;
    }
    db_.executeQuietly(sql::format(kForgetState, userCode));
    bool planned = false;
    bool dueAndOverdue = false;
    bool counted = false;
    qint64 byType[4] = {0, 0, 0, 0};
    if (upToDate) {
        // The kept numbers of rows, less those of the contacts rewritten,
        // plus their new ones (on a new day, counted afresh below).
        std::copy(kept->byType, kept->byType + 4, byType);
        const bool newDay = kept->day != today;
        const sql::Statement changed = sql::format(kChanged, kept->seq, last);
        const sql::Statement some = newDay ? changed + sql::Statement(" union all ") +
                                                 sql::format(kCrossed, kept->day, today + 1)
                                           : changed;
        // On a new day many contacts change: the rows are counted afresh
        // rather than twice over those contacts.
        counts.cleared =
            (!newDay || db_.executeQuietly(sql::format(kClearPlanned, userCode))) &&
            (newDay || countTypes(sql::format(kCountSome, userCode, some), byType, -1)) &&
            db_.executeQuietly(sql::format(kClearSome, userCode, some));
        if (counts.cleared) {
            planned = part(sql::format(kPlanned, userCode, year(), month(), day(),
                                       newDay ? sql::Statement() : sql::format(kOnly, changed)));
            dueAndOverdue = part(sql::format(kDueAndOverdue, userCode, today, today, today, today,
                                             sql::format(kOnly, some)));
            if (newDay) {
                std::fill(byType, byType + 4, 0);
                counted = countTypes(sql::format(kCountTypes, userCode), byType, 1);
            } else {
                counted = countTypes(sql::format(kCountSome, userCode, some), byType, 1);
            }
        }
    } else {
        counts.cleared = db_.executeQuietly(sql::format(kClear, userCode));
        if (counts.cleared) {
            planned =
                part(sql::format(kPlanned, userCode, year(), month(), day(), sql::Statement()));
            dueAndOverdue = part(sql::format(kDueAndOverdue, userCode, today, today, today, today,
                                             sql::Statement()));
            counted = countTypes(sql::format(kCountTypes, userCode), byType, 1);
        }
    }
    if (!counts.cleared) {
        if (own)
            db_.rollback();
        return counts;
    }
    if (keep && planned && dueAndOverdue && counted) {
        db_.executeQuietly(
            sql::format(kKeepState, userCode, today, last, byType[1], byType[2], byType[3]));
        db_.executeQuietly(sql::format(kDropStatesBefore, last - kMostChanges));
        db_.executeQuietly(sql::Statement(kPruneLog));
    }
    if (own && !db_.commit())
        return counts;
    if (!counted)
        return counts;
    if (planned)
        counts.planned = byType[1];
    if (dueAndOverdue) {
        counts.due = byType[2];
        counts.overdue = byType[3];
    }
    return counts;
}

qint64 Reminders::staleUsers(Database& db) {
    QList<QPair<qint64, qint64>> users;
    if (!db.query(sql::Statement(kKeptUsers), [&](const Row& row) {
            users.append({row.numberAt(0), row.numberAt(1)});
            return true;
        }))
        return -1;
    if (!db.beginQuietly())
        return -1;
    qint64 stale = 0;
    for (const auto& [user, day] : users) {
        // 1970-01-01, day 0, is Julian day 2440588.
        Reminders reminders(db, QDate::fromJulianDay(day + 2440588));
        const qint64 anew = -1 - user;
        if (!reminders.rebuild(user).cleared ||
            !db.executeQuietly(sql::format(kForgetState, anew)) ||
            !reminders.rebuild(anew).cleared) {
            stale = -1;
            break;
        }
        const qint64 differing =
            db.count(sql::format(kDifferingRows, user, anew, anew, user, user, anew));
        if (differing < 0) {
            stale = -1;
            break;
        }
        stale += differing > 0;
    }
    db.rollback();
    return stale;
}

Reminders::Care Reminders::care() {
    Care care;
    const qint64 y = today_.year();
    const qint64 m = today_.month();
    if (const qint64 n = db_.count(sql::format(kBirthdays, month(), y, m)); n >= 0)
        care.birthdays = n;
    if (const qint64 n = db_.count(sql::format(kFamilyBirthdays, month(), month(), month(), y, m,
                                               month(), y, m, month(), y, m));
        n >= 0)
        care.family = n;
    return care;
}

bool Reminders::hasPlannedToday() {
    return db_.exists(sql::format(kPlannedToday, year(), month(), day()));
}

bool Reminders::hasBirthdaysAhead() {
    const qint64 y = today_.year();
    const qint64 m = today_.month();
    const qint64 d = today_.day();
    return db_.exists(sql::format(kBirthdaysAhead, month(), day(), month(), day(), month(), day(),
                                  y, m, d, y, m, d, y, m, d));
}
