// SPDX-License-Identifier: GPL-3.0-or-later
// Times the reminders, the care counts, the cleansing and a whole tree build
// with them, through the program's own classes, over a database filled by
// "mavor-admin gen". Beside each figure stands its floor: one hand-written
// statement that gives the same result (the same tmptrans rows, the same
// counts, the same contacts in the trash) on the generated data, whose dates
// are all well formed.
//
//   bench_reminders PATH [--repeat N] [--today YYYY-MM-DD] [--only reminders|care|tree|cleansing]
//
// The cleansing runs on copies of PATH made beside it (removed afterwards).
#include "BenchTiming.h"
#include "QuietPrompter.h"
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/Cleansing.h"
#include "db/Database.h"
#include "db/ServerAddress.h"
#include "db/Statement.h"
#include "interactions/Reminders.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeBuilder.h"
#include "tree/TreeSink.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <functional>

namespace {

class CountingSink : public TreeSink {
  public:
    void clearTree() override {}
    TreeNode findOrAddTopLevel(const QString&, CaptionMatch, const QString&) override {
        return newNode();
    }
    TreeNode findOrAddChild(TreeNode, const QString&) override { return newNode(); }
    void removeChildren(TreeNode) override {}
    TreeNode addChild(TreeNode, const QString&) override { return newNode(); }
    void setCaption(TreeNode, const QString&) override {}
    void expand(TreeNode) override {}
    void buildStarted() override {}
    void buildEnded(bool) override {}
};

// The user the floor's rows are written for, so they sit beside the real ones.
constexpr qint64 kFloorUser = -7;

// Planned, due and overdue in one statement, with the engine's own julianday
// over comm_date and the ISO creation date.
const QString kRemindersFloor = QStringLiteral(
    "insert into tmptrans(tmptrans_base_code,tmptrans_type,tmptrans_user_code) "
    "select code,kind,%ld from ("
    " select b.base_code as code,'1' as kind from comm c join base b on "
    "c.comm_base_code=b.base_code"
    "  where b.base_invalid_flag=1 and c.comm_next_year='%s' and c.comm_next_month='%s'"
    "  and c.comm_next_day='%s'"
    " union all"
    " select b.base_code,case when c.comm_next_year='' then"
    "   case when julianday('%s')-julianday(c.comm_date)=s.sort_frequence then '2'"
    "   when julianday('%s')-julianday(c.comm_date)>s.sort_frequence then '3' end"
    "  when julianday('%s')>julianday(c.comm_next_year||'-'||c.comm_next_month||'-'||"
    "c.comm_next_day) then '3' end"
    "  from base b join sort s on b.base_sort_code=s.sort_code join comm c on c.comm_code="
    "(select n.comm_code from comm n where n.comm_base_code=b.base_code"
    "   order by n.comm_date desc,n.comm_code desc limit 1)"
    "  where b.base_invalid_flag=1"
    " union all"
    " select b.base_code,case when julianday('%s')-julianday(b.base_create_date)>s.sort_frequence"
    "  then '3' else '2' end from base b join sort s on b.base_sort_code=s.sort_code"
    "  where b.base_invalid_flag=1 and not exists"
    " (select 1 from comm c where c.comm_base_code=b.base_code)"
    ") where kind is not null");

const QString kCareFloor =
    QStringLiteral("select (select count(*) from base where base_month='%s'),"
                   "(select count(*) from home h join base b on h.home_base_code=b.base_code"
                   " where h.home_month='%s' or h.home_child_month='%s')");

// Every contact without an interaction on or after the day the period began.
const QString kCleansingFloor =
    QStringLiteral("update base set base_invalid_flag=0 where base_code not in "
                   "(select comm_base_code from comm where comm_date>='%s')");

// Every count the tree shows, reminders and care included, in one statement.
const QString kTreeFloor = QStringLiteral(
    "select 'all',count(*) from base where base_invalid_flag=1"
    " union all select 'trash',count(*) from base where base_invalid_flag=0"
    " union all select 'type'||base_type_code,count(*) from base where base_invalid_flag=1"
    "  group by base_type_code"
    " union all select 'sort'||base_sort_code,count(*) from base where base_invalid_flag=1"
    "  group by base_sort_code"
    " union all select 'region'||work_region_code,count(*) from base where base_invalid_flag=1"
    "  group by work_region_code"
    " union all select 'province'||work_province_code,count(*) from base"
    "  where base_invalid_flag=1 group by work_province_code"
    " union all select 'duty'||work_duty_code,count(*) from base where base_invalid_flag=1"
    "  group by work_duty_code"
    " union all select 'industry'||work_industry_code,count(*) from base"
    "  where base_invalid_flag=1 group by work_industry_code"
    " union all select 'doc'||d.doc_docsort_code,count(*) from doc d join base b"
    "  on d.doc_base_code=b.base_code where b.base_invalid_flag=1 group by d.doc_docsort_code"
    " union all select d.doc_title,0 from doc d join base b on d.doc_base_code=b.base_code"
    "  where b.base_invalid_flag=1"
    " union all select 'care',count(*) from base where base_month='%s'"
    " union all select 'family',count(*) from home h join base b on h.home_base_code=b.base_code"
    "  where h.home_month='%s' or h.home_child_month='%s'");

QString row(const QString& what, const bench::Duration& ours, const bench::Duration& floor) {
    return QStringLiteral("%1 %2 %3 %4 %5 %6\n")
        .arg(what, -34)
        .arg(ours.median, 9, 'f', 1)
        .arg(ours.cpuMedian, 9, 'f', 1)
        .arg(floor.median, 9, 'f', 1)
        .arg(floor.cpuMedian, 9, 'f', 1)
        .arg(floor.median > 0 ? ours.median / floor.median : 0.0, 7, 'f', 2);
}

// The median of single runs.
bench::Duration medianOf(QList<bench::Duration> runs) {
    auto middle = [&](auto field) {
        QList<double> values;
        for (const auto& run : runs)
            values << run.*field;
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    return {middle(&bench::Duration::minimum), middle(&bench::Duration::median),
            middle(&bench::Duration::cpuMedian)};
}

QMap<QString, qint64> typeCounts(Database& db, qint64 user) {
    QMap<QString, qint64> counts;
    db.query(sql::format("select tmptrans_type,count(*) from tmptrans where "
                         "tmptrans_user_code=%ld group by tmptrans_type",
                         user),
             [&](const Row& r) {
                 counts[r.textAt(0)] = r.numberAt(1);
                 return true;
             });
    return counts;
}

qint64 trashed(const QString& path) {
    Database db;
    db.open(path);
    return db.count("select count(*) from base where base_invalid_flag=0");
}

bool copyTo(const QString& from, const QString& to) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(to + suffix);
    return QFile::copy(from, to);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int repeat = 5;
    QDate today = QDate::currentDate();
    if (QString value; bench::takeOption(args, QStringLiteral("--repeat"), &value))
        repeat = value.toInt();
    if (QString value; bench::takeOption(args, QStringLiteral("--today"), &value))
        today = QDate::fromString(value, Qt::ISODate);
    QString only;
    bench::takeOption(args, QStringLiteral("--only"), &only);
    auto wanted = [&](const char* part) { return only.isEmpty() || only == QLatin1String(part); };
    if (args.size() != 1 || repeat < 1 || !today.isValid()) {
        err << "usage: bench_reminders PATH [--repeat N] [--today YYYY-MM-DD]\n";
        return 2;
    }
    const QString path = args.first();
    // Work on a copy, so the database given stays as it was; a server's
    // database is worked on as it is (give it one made for measuring).
    const bool server = ServerAddress::isLocation(path);
    const QString work = server ? path : path + QStringLiteral(".bench");
    if (!server && !copyTo(path, work)) {
        err << "bench_reminders: cannot copy " << path << "\n";
        return 1;
    }
    QuietPrompter prompter;
    Database db(&prompter);
    if (!db.open(work)) {
        err << "bench_reminders: " << db.lastError() << "\n";
        return 1;
    }
    DayClock clock(today);
    const QString iso = today.toString(Qt::ISODate);
    const QString month = today.toString(QStringLiteral("MM"));
    out << "database " << path << ": " << db.count("select count(*) from base") << " contacts, "
        << db.count("select count(*) from comm") << " interactions; today " << iso << "; " << repeat
        << " runs each, medians in ms\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("what (medians, ms)"), -34)
               .arg(QStringLiteral("ours"), 9)
               .arg(QStringLiteral("ours cpu"), 9)
               .arg(QStringLiteral("floor"), 9)
               .arg(QStringLiteral("flr cpu"), 9)
               .arg(QStringLiteral("ratio"), 7);

    // Reminders.
    Reminders reminders(db, today);
    if (wanted("reminders")) {
        Reminders::Counts counts;
        const auto ours = bench::timeRepeated(repeat, [&] { counts = reminders.rebuild(1); });
        const auto floor = bench::timeRepeated(repeat, [&] {
            db.execute(
                sql::format("delete from tmptrans where tmptrans_user_code=%ld", kFloorUser));
            db.execute(sql::format(kRemindersFloor, kFloorUser,
                                   today.toString(QStringLiteral("yyyy")), month,
                                   today.toString(QStringLiteral("dd")), iso, iso, iso, iso));
        });
        out << row(QStringLiteral("reminders: rebuild tmptrans"), ours, floor);
        const auto mine = typeCounts(db, 1);
        const auto theirs = typeCounts(db, kFloorUser);
        out << "  planned " << counts.planned.value_or(-1) << ", due " << counts.due.value_or(-1)
            << ", overdue " << counts.overdue.value_or(-1)
            << (mine == theirs ? " (floor agrees)" : " (FLOOR DIFFERS)") << "\n";
        db.execute(sql::format("delete from tmptrans where tmptrans_user_code=%ld", kFloorUser));
    }

    // Care.
    if (wanted("care")) {
        Reminders::Care care;
        const auto careOurs = bench::timeRepeated(repeat, [&] { care = reminders.care(); });
        qint64 floorBirthdays = -1;
        const auto careFloor = bench::timeRepeated(repeat, [&] {
            db.query(sql::format(kCareFloor, month, month, month), [&](const Row& r) {
                floorBirthdays = r.numberAt(0);
                return false;
            });
        });
        out << row(QStringLiteral("care: birthday and family counts"), careOurs, careFloor);
        out << "  birthdays " << care.birthdays.value_or(-1) << ", family "
            << care.family.value_or(-1)
            << (floorBirthdays == care.birthdays.value_or(-1) ? "" : " (FLOOR DIFFERS)") << "\n";
    }

    // The whole tree, as the builder thread runs it (10 ms pause after each step).
    ReminderNodes nodes(clock);
    if (wanted("tree")) {
        const auto treeOurs = bench::timeRepeated(repeat, [&] {
            CountingSink sink;
            AutoResetEvent stop, done;
            TreeBuilder(sink, nodes, stop, done, 1).run(db);
        });
        const auto treeFloor = bench::timeRepeated(repeat, [&] {
            db.query(sql::format(kTreeFloor, month, month, month), [](const Row&) { return true; });
            db.execute(
                sql::format("delete from tmptrans where tmptrans_user_code=%ld", kFloorUser));
            db.execute(sql::format(kRemindersFloor, kFloorUser,
                                   today.toString(QStringLiteral("yyyy")), month,
                                   today.toString(QStringLiteral("dd")), iso, iso, iso, iso));
        });
        out << row(QStringLiteral("tree: whole build with reminders"), treeOurs, treeFloor);
        db.execute(sql::format("delete from tmptrans where tmptrans_user_code=%ld", kFloorUser));
    }
    db.close();

    // Cleansing, each run on a fresh copy.
    const int days = 60;
    const QString cleansed = path + QStringLiteral(".cleansed");
    QList<bench::Duration> oursRuns, floorRuns;
    qint64 ourTrash = -1, floorTrash = -1;
    bool ok = true;
    for (int i = 0; i < (wanted("cleansing") ? repeat : 0); ++i) {
        for (int which = 0; which < 2; ++which) {
            copyTo(path, cleansed);
            Database copy(&prompter);
            copy.open(cleansed);
            const auto once = bench::timeRepeated(1, [&] {
                if (which == 0) {
                    Cleansing cleansing(copy, prompter, clock);
                    ok = cleansing.run(days) && ok;
                } else {
                    copy.execute(
                        sql::format(kCleansingFloor, today.addDays(-days).toString(Qt::ISODate)));
                }
            });
            copy.close();
            (which == 0 ? oursRuns : floorRuns) << once;
            (which == 0 ? ourTrash : floorTrash) = trashed(cleansed);
        }
    }
    if (!oursRuns.isEmpty()) {
        out << row(QStringLiteral("cleansing: period 60 days"), medianOf(oursRuns),
                   medianOf(floorRuns));
        out << "  in the trash afterwards " << ourTrash
            << (ourTrash == floorTrash ? " (floor agrees)" : " (FLOOR DIFFERS)") << "\n";
    }
    for (const QString& file : {work, cleansed})
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(file + suffix);
    for (const QString& failure : prompter.failures)
        err << "failure: " << failure << "\n";
    return ok && prompter.failures.isEmpty() ? 0 : 1;
}
