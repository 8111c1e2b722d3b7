// SPDX-License-Identifier: GPL-3.0-or-later
// The speed table: every heavy operation of the program, through its own
// classes, beside its floor: the time of one hand-written statement that gives
// the same visible result (the same tree captions, the same rows in the same
// order, the same contacts in the trash), on the same file with the same
// indexes and statistics. Built once on a generated database that is kept in
// a cache directory (reused while the program's schema version is the same).
// The exports have a second floor ("+ xlsx"): the same statement with the
// cells it read written to a workbook by the least code (FloorSheet).
//
//   bench_speed [--contacts N] [--interactions M] [--today YYYY-MM-DD]
//               [--cache DIR] [--repeat R] [--only
//               tree|open|lists|reminders|cleansing|queries|exports]
//               [--keep DIR] [--server postgresql://ADMIN@HOST:PORT/DATABASE]
//
// With --server the same runs again on a server database holding the same
// rows (moved there by the program's own migration, once), and a last table
// sets the server beside the file and beside its floor on the server.
//
// Defaults: 100000 contacts, 1000000 interactions, today, $MAVOR_BENCH_CACHE
// or /tmp/mavor-bench, 5 runs; medians of wall and processor time in ms.
#include "BenchTiming.h"
#include "QuietPrompter.h"
#include "SpeedDatabase.h"
#include "SpeedFloors.h"
#include "SpeedServer.h"
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/Cleansing.h"
#include "contacts/ContactList.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "interactions/Reminders.h"
#include "quickfind/FindKeys.h"
#include "reports/ContactListSheet.h"
#include "reports/InteractionQuery.h"
#include "reports/InteractionResults.h"
#include "reports/LabelSheet.h"
#include "reports/SheetExport.h"
#include "reports/StatisticsSheet.h"
#include "reports/TickedRecords.h"
#include "tools/TextTree.h"
#include "tree/DepartmentNodes.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeBuilder.h"
#include "tree/TreeCounts.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <optional>

namespace {

QTextStream out(stdout);

// Every column of every row of a statement as text, the way a list reads it;
// the rows joined, for comparing with what the program showed.
struct Read {
    qint64 rows = -1;
    QStringList texts;
};

Read readAll(Database& db, const sql::Statement& statement, bool keep) {
    Read read;
    read.rows = 0;
    const bool ok = db.queryQuietly(statement, [&](const Row& row) {
        QStringList cells;
        for (int c = 0; c < row.columnCount(); ++c)
            cells << row.textAt(c);
        if (keep)
            read.texts << cells.join(u'|');
        ++read.rows;
        return true;
    });
    if (!ok)
        read.rows = -1;
    return read;
}

struct Line {
    explicit Line(QString label) : what(std::move(label)) {}
    QString what;
    bench::Duration ours;
    bench::Duration floor;
    // The exports: the floor's reading with its cells written to a workbook.
    std::optional<bench::Duration> written;
    QString note;
    bool agrees = true;
    // Statements sent in one run (each a round trip on a server); -1 not counted.
    double trips = -1;
};

QList<Line> lines;

void print(const Line& l) {
    const double ratio = l.floor.median > 0 ? l.ours.median / l.floor.median : 0.0;
    QString written;
    if (l.written) {
        written =
            QStringLiteral(" %1 %2 %3 ")
                .arg(l.written->median, 9, 'f', 1)
                .arg(l.written->cpuMedian, 9, 'f', 1)
                .arg(l.written->median > 0 ? l.ours.median / l.written->median : 0.0, 6, 'f', 2);
    }
    out << QStringLiteral("%1 %2 %3 %4 %5 %6%7  %8%9\n")
               .arg(l.what, -40)
               .arg(l.ours.median, 9, 'f', 1)
               .arg(l.ours.cpuMedian, 9, 'f', 1)
               .arg(l.floor.median, 9, 'f', 1)
               .arg(l.floor.cpuMedian, 9, 'f', 1)
               .arg(ratio, 6, 'f', 2)
               .arg(written)
               .arg(l.agrees ? QString() : QStringLiteral("FLOOR DIFFERS "))
               .arg(l.note);
    out.flush();
}

void add(Line line) {
    print(line);
    lines << line;
}

// Where one run of the table works: the file or the server.
struct Target {
    QString name;
    QString work;                  // the copy the measurements may change
    std::function<QString()> copy; // a fresh copy of the generated data, for one run
    std::function<void(const QString&)> drop;
};

struct Run {
    QDate today;
    int repeat = 5;
    QString only;
    QString keep;
    bool wanted(const char* part) const { return only.isEmpty() || only == QLatin1String(part); }
};

void header(const QString& what) {
    out << "\n" << what << "\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("operation (ms)"), -40)
               .arg(QStringLiteral("wall"), 9)
               .arg(QStringLiteral("cpu"), 9)
               .arg(QStringLiteral("floor"), 9)
               .arg(QStringLiteral("flr cpu"), 9)
               .arg(QStringLiteral("ratio"), 6);
}

// Every operation on one target; its lines, failures in prompter.
QList<Line> measure(const Target& target, const Run& run, QuietPrompter& prompter) {
    lines.clear();
    Database db(&prompter);
    if (target.work.isEmpty() || !db.open(target.work)) {
        QTextStream(stderr) << "bench_speed: cannot open " << target.work << "\n";
        prompter.failures << QStringLiteral("cannot open ") + target.work;
        return {};
    }
    const DayClock clock(run.today);
    const QDate today = run.today;
    const int repeat = run.repeat;
    const QString keep = run.keep.isEmpty() ? QString() : run.keep + u'/' + target.name;
    auto wanted = [&](const char* part) { return run.wanted(part); };
    const speed::Floors floors(today);
    header(target.name + QStringLiteral(": ") +
           QString::number(db.count("select count(*) from base")) + QStringLiteral(" contacts, ") +
           QString::number(db.count("select count(*) from comm")) +
           QStringLiteral(" interactions"));
    ReminderNodes nodes(clock);
    if (wanted("tree")) {
        // As the builder thread runs it: its own connection, 10 ms after each step.
        QStringList captions;
        Line tree(QStringLiteral("tree: whole build, reminders and care"));
        // The builder's connection is closed after the tree is handed back
        // (closing may refresh the planner's statistics): not timed.
        std::vector<std::unique_ptr<Database>> closedLater;
        const auto build = [&](double* trips) {
            auto& own = *closedLater.emplace_back(std::make_unique<Database>(&prompter));
            own.open(target.work);
            TextTree sink;
            AutoResetEvent stop, done;
            TreeBuilder(sink, nodes, stop, done, 1).run(own);
            if (trips)
                *trips = double(own.roundTrips());
            return sink.lines();
        };
        tree.ours = bench::timeRepeated(repeat, [&] { captions = build(&tree.trips); });
        closedLater.clear();
        QStringList floorCaptions;
        tree.floor = bench::timeRepeated(repeat, [&] { floorCaptions = floors.tree(db); });
        tree.agrees = floors.sameTree(captions, floorCaptions);
        tree.note = QStringLiteral("(%1 steps of 10 ms included)").arg(13);
        add(tree);

        // The builds above bring the reminders of the one before up to date.
        // The first of a new day also looks at the contacts whose due or
        // overdue day has come; with nothing kept, every row is made anew.
        const QList<QPair<QString, QString>> starts{
            {QStringLiteral("tree: the same, first of a new day"),
             QStringLiteral("update remindstate set remindstate_day=remindstate_day-1")},
            {QStringLiteral("tree: the same, nothing kept"),
             QStringLiteral("delete from remindstate")}};
        for (const auto& [caption, setUp] : starts) {
            Line start(caption);
            std::vector<bench::Duration> runs;
            for (int i = 0; i < std::max(1, repeat); ++i) {
                db.execute(sql::Statement(setUp));
                QStringList lines;
                runs.push_back(bench::timeRepeated(1, [&] { lines = build(nullptr); }));
                start.agrees = start.agrees && floors.sameTree(lines, floorCaptions);
            }
            closedLater.clear();
            start.ours = bench::medianOf(runs);
            start.floor = tree.floor;
            add(start);
        }

        Line statements(QStringLiteral("tree: the same, statements only"));
        statements.ours = bench::timeRepeated(repeat, [&] {
            TextTree sink;
            AutoResetEvent stop, done;
            TreeBuilder builder(sink, nodes, stop, done, 1);
            builder.setStepWait(0);
            const qint64 before = db.roundTrips();
            builder.run(db);
            statements.trips = double(db.roundTrips() - before);
        });
        statements.floor = tree.floor;
        statements.agrees = tree.agrees;
        add(statements);

        for (const TreeBuilder::Folder& folder : TreeBuilder::kFolders) {
            Line line(QStringLiteral("tree: folder ") + folder.caption);
            QStringList ours;
            line.ours = bench::timeRepeated(repeat, [&] {
                ours.clear();
                db.query(TreeBuilder::folderStatement(folder), [&](const Row& row) {
                    const qint64 n = row.numberAt(2, 0);
                    if (n > 0)
                        ours << tree::valueCaption(row.textAt(1), n);
                    return true;
                });
            });
            QStringList theirs;
            line.floor = bench::timeRepeated(repeat, [&] { theirs = floors.folder(db, folder); });
            line.agrees = ours == theirs;
            add(line);
        }

        Line departments(QStringLiteral("tree: departments"));
        QStringList ours;
        departments.ours = bench::timeRepeated(repeat, [&] {
            TextTree sink;
            DepartmentNodes(sink, db).rebuild();
            ours = sink.lines();
        });
        QStringList theirs;
        departments.floor = bench::timeRepeated(repeat, [&] { theirs = floors.departments(db); });
        departments.agrees = ours.mid(1) == theirs;
        add(departments);
    }

    if (wanted("tree") || wanted("open")) {
        // Opening a contact: its five pages (and the stamp a save checks), per
        // contact. The floor reads the four rows and the names the pages show
        // for their codes.
        const auto name = [](const char* table, const char* column) {
            return QStringLiteral("(select %1_name from %1 where %1_code=%2)")
                .arg(QLatin1String(table), QLatin1String(column));
        };
        const QString kOpenFloor =
            QStringList{QStringLiteral("select *"),
                        name("province", "b.base_province_code"),
                        name("sort", "b.base_sort_code"),
                        name("relationsort", "b.base_type_code"),
                        name("province", "b.work_province_code"),
                        name("industry", "b.work_industry_code"),
                        name("region", "b.work_region_code"),
                        name("duty", "b.work_duty_code"),
                        name("duty", "b.work_leader_duty_code"),
                        name("duty", "b.work_superior_duty_code"),
                        name("province", "h.home_province_code"),
                        name("duty", "h.home_duty_code"),
                        name("degree", "e.extend_degree_code")}
                .join(QStringLiteral(", ")) +
            QStringLiteral(" from base b left join home h on h.home_base_code=b.base_code left "
                           "join society s on s.society_base_code=b.base_code left join extend "
                           "e on e.extend_base_code=b.base_code where b.base_code=%ld");
        Line open(QStringLiteral("contact: open one (five pages)"));
        QList<qint64> codes;
        db.query(sql::Statement("select base_code from base where base_invalid_flag=1 and "
                                "base_code % 997 = 1 order by base_code limit 50"),
                 [&](const Row& r) {
                     codes << r.numberAt(0);
                     return true;
                 });
        ContactStore store(db, prompter);
        int complete = 0;
        const bench::Duration opened = bench::timeRepeated(repeat, [&] {
            complete = 0;
            const qint64 before = db.roundTrips();
            for (const qint64 code : codes)
                complete += store.load(code, 1).complete ? 1 : 0;
            open.trips = double(db.roundTrips() - before) / std::max<qsizetype>(1, codes.size());
        });
        const bench::Duration floorOpened = bench::timeRepeated(repeat, [&] {
            for (const qint64 code : codes)
                readAll(db, sql::format(kOpenFloor, code), false);
        });
        const auto perContact = [&](bench::Duration d) {
            const double n = double(std::max<qsizetype>(1, codes.size()));
            return bench::Duration{d.minimum / n, d.median / n, d.cpuMedian / n};
        };
        open.ours = perContact(opened);
        open.floor = perContact(floorOpened);
        open.agrees = complete == codes.size();
        open.note = QStringLiteral("%1 contacts").arg(codes.size());
        add(open);
    }

    if (wanted("tree")) {
        Line care(QStringLiteral("care: birthdays and family"));
        Reminders::Care counts;
        care.ours = bench::timeRepeated(repeat, [&] { counts = Reminders(db, today).care(); });
        QPair<qint64, qint64> floorCounts;
        care.floor = bench::timeRepeated(repeat, [&] { floorCounts = floors.care(db); });
        care.agrees = counts.birthdays.value_or(-1) == floorCounts.first &&
                      counts.family.value_or(-1) == floorCounts.second;
        care.note = QStringLiteral("birthdays %1, family %2")
                        .arg(counts.birthdays.value_or(-1))
                        .arg(counts.family.value_or(-1));
        add(care);
    }

    if (wanted("reminders")) {
        Line line(QStringLiteral("reminders: rebuild the work list"));
        Reminders::Counts counts;
        line.ours = bench::timeRepeated(repeat, [&] { counts = Reminders(db, today).rebuild(1); });
        const auto mine = floors.reminderRows(db, 1);
        line.floor = bench::timeRepeated(repeat, [&] { floors.reminders(db); });
        line.agrees = mine == floors.reminderRows(db, speed::Floors::kUser);
        line.note = QStringLiteral("planned %1, due %2, overdue %3")
                        .arg(counts.planned.value_or(-1))
                        .arg(counts.due.value_or(-1))
                        .arg(counts.overdue.value_or(-1));
        floors.dropReminders(db);
        add(line);
    }

    if (wanted("lists")) {
        Line line(QStringLiteral("list: 全部人脉"));
        ReportModel model(ContactList::kColumns);
        ContactList list(db, prompter, clock, 1, model);
        const sql::Statement live("b.base_invalid_flag=1");
        line.ours = bench::timeRepeated(repeat, [&] { list.load(live, ContactList::Contacts, 1); });
        speed::Floors::Rows floor;
        line.floor = bench::timeRepeated(repeat, [&] { floor = floors.allContacts(db, false); });
        floor = floors.allContacts(db, true);
        QStringList shown;
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            for (int c = ContactList::IdColumn; c <= ContactList::LastContactColumn; ++c)
                cells << model.text(r, c);
            shown << cells.join(u'|');
        }
        line.agrees = shown == floor.texts;
        line.note = QStringLiteral("%1 rows").arg(model.rowCount());
        add(line);
    }

    if (wanted("queries")) {
        InteractionQuery query(db, prompter, clock, 1);
        InteractionResults results(db);
        for (const speed::Floors::Query& q : floors.queries(query)) {
            Line line(QStringLiteral("query: ") + q.what);
            ReportRows rows;
            InteractionTotals totals;
            line.ours =
                bench::timeRepeated(repeat, [&] { results.fetch(q.conditions, rows, totals); });
            Read floor;
            line.floor = bench::timeRepeated(repeat, [&] { floor = readAll(db, q.floor, false); });
            floor = readAll(db, q.floor, true);
            line.agrees = floors.sameInteractions(rows, floor.texts);
            line.note = QStringLiteral("%1 rows").arg(rows.size());
            add(line);
        }
    }

    if (wanted("exports")) {
        QTemporaryDir scratch;
        if (!keep.isEmpty())
            QDir().mkpath(keep);
        const QDir files(keep.isEmpty() ? scratch.path() : keep);
        const QString templatePath =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/moban.xlsx");
        ReportModel contacts(ContactList::kColumns);
        ContactList list(db, prompter, clock, 1, contacts);
        list.load(sql::Statement("b.base_invalid_flag=1"), ContactList::Contacts, 1);
        for (int r = 0; r < contacts.rowCount(); ++r)
            contacts.setChecked(r, true);
        bench::Duration listWritten;
        {
            Line line(QStringLiteral("export: contact list (all live)"));
            ContactListSheet sheet(db, clock, contacts);
            line.ours = bench::timeRepeated(repeat, [&] {
                SheetExport(prompter, templatePath).run(sheet, files.filePath("list.xlsx"));
            });
            line.floor = bench::timeRepeated(repeat, [&] { floors.listExport(db); });
            line.written = bench::timeRepeated(
                repeat, [&] { floors.listExport(db, files.filePath("list-floor.xlsx")); });
            line.note = QStringLiteral("%1 rows").arg(contacts.rowCount());
            add(line);
        }
        {
            // The export's reading alone: the ticked rows' records, a batch at a time.
            Line line(QStringLiteral("export: contact list, its reading only"));
            ContactListSheet sheet(db, clock, contacts);
            line.ours = bench::timeRepeated(repeat, [&] {
                TickedRecords::walk(
                    contacts, sheet.reader(), [](const TickedRecords::Record&) {}, [](int) {});
            });
            line.floor = bench::timeRepeated(repeat, [&] { floors.listExport(db); });
            add(line);
        }
        {
            Line line(QStringLiteral("export: envelope labels (all live)"));
            LabelSheet sheet(db, contacts);
            line.ours = bench::timeRepeated(repeat, [&] {
                SheetExport(prompter, templatePath).run(sheet, files.filePath("labels.xlsx"));
            });
            line.floor = bench::timeRepeated(repeat, [&] { floors.labelExport(db); });
            line.written = bench::timeRepeated(
                repeat, [&] { floors.labelExport(db, files.filePath("labels-floor.xlsx")); });
            add(line);
        }
        {
            InteractionQuery query(db, prompter, clock, 1);
            const speed::Floors::Query month = floors.queries(query).at(1);
            ReportRows rows;
            InteractionTotals totals;
            InteractionResults(db).fetch(month.conditions, rows, totals);
            ReportModel stats(InteractionResults::kColumns);
            stats.setRows(std::move(rows));
            for (int r = 0; r < stats.rowCount(); ++r)
                stats.setChecked(r, true);
            Line line(QStringLiteral("export: statistics of last month"));
            StatisticsSheet sheet(clock, stats, totals);
            line.ours = bench::timeRepeated(repeat, [&] {
                SheetExport(prompter, templatePath).run(sheet, files.filePath("stats.xlsx"));
            });
            line.floor = bench::timeRepeated(repeat, [&] { readAll(db, month.floor, false); });
            line.written = bench::timeRepeated(repeat, [&] {
                floors.statistics(db, month.floor, files.filePath("stats-floor.xlsx"));
            });
            line.note = QStringLiteral("%1 rows").arg(stats.rowCount());
            add(line);
        }
    }
    db.close();

    if (wanted("cleansing")) {
        // Each run on a fresh copy of the file.
        const int days = 60;
        std::vector<bench::Duration> ours, theirs;
        qint64 ourTrash = -1, floorTrash = -1;
        double trips = -1;
        for (int i = 0; i < repeat; ++i) {
            for (int which = 0; which < 2; ++which) {
                const QString copy = target.copy();
                Database c(&prompter);
                c.open(copy);
                const qint64 tripsBefore = c.roundTrips();
                const bench::Duration once = bench::timeRepeated(1, [&] {
                    if (which == 0)
                        Cleansing(c, prompter, clock).run(days);
                    else
                        floors.cleansing(c, days);
                });
                if (which == 0)
                    trips = double(c.roundTrips() - tripsBefore);
                (which == 0 ? ours : theirs).push_back(once);
                (which == 0 ? ourTrash : floorTrash) =
                    c.count("select count(*) from base where base_invalid_flag=0");
                c.close();
                target.drop(copy);
            }
        }
        Line line(QStringLiteral("cleansing: period 60 days"));
        line.ours = bench::medianOf(ours);
        line.floor = bench::medianOf(theirs);
        line.agrees = ourTrash == floorTrash;
        line.trips = trips;
        line.note = QStringLiteral("%1 in the trash after").arg(ourTrash);
        add(line);
    }
    return lines;
}

// The table of both targets side by side: wall times, the server against the
// file and against its own floor.
void compare(const QList<Line>& file, const QList<Line>& server) {
    out << QStringLiteral("\n%1 %2 %3 %4 %5 %6")
               .arg(QStringLiteral("operation (wall ms)"), -40)
               .arg(QStringLiteral("file"), 9)
               .arg(QStringLiteral("server"), 9)
               .arg(QStringLiteral("srv floor"), 9)
               .arg(QStringLiteral("srv/file"), 9)
               .arg(QStringLiteral("srv/floor"), 9)
        << QStringLiteral(" %1 %2\n")
               .arg(QStringLiteral("trips"), 7)
               .arg(QStringLiteral("+2ms/trip"), 9);
    for (const Line& s : server) {
        double f = 0;
        for (const Line& l : file)
            if (l.what == s.what)
                f = l.ours.median;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6")
                   .arg(s.what, -40)
                   .arg(f, 9, 'f', 1)
                   .arg(s.ours.median, 9, 'f', 1)
                   .arg(s.floor.median, 9, 'f', 1)
                   .arg(f > 0 ? s.ours.median / f : 0.0, 9, 'f', 2)
                   .arg(s.floor.median > 0 ? s.ours.median / s.floor.median : 0.0, 9, 'f', 2);
        // What a network with 2 ms between the program and the server adds,
        // computed from the count of statements.
        if (s.trips >= 0)
            out << QStringLiteral(" %1 %2")
                       .arg(s.trips, 7, 'f', 0)
                       .arg(s.ours.median + 2 * s.trips, 9, 'f', 1);
        out << "\n";
    }
    out.flush();
}

// A database the program has used holds the find box's keys of every contact
// (written at the first find, and with each contact saved since); generated
// rows come without them. They are written once here, as the find box would,
// so that what measures a change of the trash flag does not also work out
// every contact's keys.
bool fillFindKeys(const QString& location, QTextStream& err) {
    Database db;
    if (!db.open(location)) {
        err << "bench_speed: cannot open " << location << "\n";
        return false;
    }
    QString error;
    const qint64 filled = quickfind::findkeys::fillMissing(db, &error);
    if (filled < 0) {
        err << "bench_speed: find keys: " << error << "\n";
        return false;
    }
    if (filled > 0) {
        err << "wrote the find keys of " << filled << " contacts\n";
        if (!db.isServer())
            db.executeQuietly(sql::Statement(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    SpeedDatabase::Shape shape;
    shape.today = QDate::currentDate();
    shape.cacheDir = qEnvironmentVariable("MAVOR_BENCH_CACHE", QStringLiteral("/tmp/mavor-bench"));
    Run run;
    QString server;
    if (QString v; bench::takeOption(args, QStringLiteral("--contacts"), &v))
        shape.contacts = v.toLongLong();
    if (QString v; bench::takeOption(args, QStringLiteral("--interactions"), &v))
        shape.interactions = v.toLongLong();
    if (QString v; bench::takeOption(args, QStringLiteral("--today"), &v))
        shape.today = QDate::fromString(v, Qt::ISODate);
    if (QString v; bench::takeOption(args, QStringLiteral("--cache"), &v))
        shape.cacheDir = v;
    if (QString v; bench::takeOption(args, QStringLiteral("--repeat"), &v))
        run.repeat = v.toInt();
    bench::takeOption(args, QStringLiteral("--only"), &run.only);
    // The workbooks of the last export runs are kept there, to compare.
    bench::takeOption(args, QStringLiteral("--keep"), &run.keep);
    bench::takeOption(args, QStringLiteral("--server"), &server);
    if (!args.isEmpty() || run.repeat < 1 || !shape.today.isValid() || shape.contacts < 1) {
        err << "usage: bench_speed [--contacts N] [--interactions M] [--today YYYY-MM-DD] "
               "[--cache DIR] [--repeat R] [--only tree|open|lists|reminders|cleansing|queries|"
               "exports] [--keep DIR] [--server postgresql://ADMIN@HOST:PORT/DATABASE]\n";
        return 2;
    }
    run.today = shape.today;

    SpeedDatabase cache;
    const QString path = cache.ensure(shape);
    if (path.isEmpty()) {
        err << "bench_speed: " << cache.error() << "\n";
        return 1;
    }
    if (!fillFindKeys(path, err))
        return 1;
    out << "database " << path << (cache.reused() ? " (reused)" : " (built)") << "; today "
        << run.today.toString(Qt::ISODate) << "; median of " << run.repeat << " runs\n";
    QuietPrompter prompter;
    // The measurements write (reminder rows, cleansing): they work on a copy.
    const Target file{QStringLiteral("file"), SpeedDatabase::copyOf(path, QStringLiteral(".work")),
                      [&] { return SpeedDatabase::copyOf(path, QStringLiteral(".cleansed")); },
                      [](const QString& copy) { SpeedDatabase::remove(copy); }};
    const QList<Line> onFile = measure(file, run, prompter);
    SpeedDatabase::remove(file.work);
    QList<Line> all = onFile;
    if (!server.isEmpty()) {
        SpeedServer there(server);
        const QString original = there.ensure(path);
        if (original.isEmpty()) {
            err << "bench_speed: " << there.error() << "\n";
            return 1;
        }
        if (!fillFindKeys(original, err))
            return 1;
        const Target onServer{QStringLiteral("server"),
                              there.copyOf(original, QStringLiteral("_work")),
                              [&] { return there.copyOf(original, QStringLiteral("_cleansed")); },
                              [&](const QString& copy) { there.remove(copy); }};
        const QList<Line> measured = measure(onServer, run, prompter);
        there.remove(onServer.work);
        compare(onFile, measured);
        all << measured;
    }

    bool ok = prompter.failures.isEmpty();
    for (const Line& l : all)
        ok = ok && l.agrees;
    for (const QString& failure : prompter.failures)
        err << "failure: " << failure << "\n";
    return ok ? 0 : 1;
}
