// SPDX-License-Identifier: GPL-3.0-or-later
// Times the statements that grow with the size of the network, over a database
// filled by "mavor-admin gen": the navigation tree's counts for every category
// value (the tree's own statements), and the reminders and care (their class;
// bench_reminders sets them beside their floors). The
// contact list is timed through the list itself by bench_contactlist.
//
//   bench_counts PATH [--repeat N]
#include "BenchTiming.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "interactions/Reminders.h"
#include "tree/DepartmentNodes.h"
#include "tree/TreeBuilder.h"
#include "tree/TreeCounts.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

// What one timed run did: statements issued and rows walked.
struct Work {
    qint64 statements = 0;
    qint64 rows = 0;
    bool ok = true;
};

class Bench {
  public:
    explicit Bench(Database& db) : db_(db) {}

    void walk(const sql::Statement& statement, Work& work,
              const std::function<void(const Row&)>& each = {}) {
        ++work.statements;
        work.ok = db_.query(statement, [&](const Row& row) {
            ++work.rows;
            if (each)
                each(row);
            return true;
        }) && work.ok;
    }

    qint64 count(const sql::Statement& statement, Work& work) {
        ++work.statements;
        ++work.rows;
        const qint64 n = db_.count(statement);
        work.ok = work.ok && n >= 0;
        return n;
    }

    // The folder: its list, then one count per value.
    Work folder(const TreeBuilder::Folder& f) {
        Work work;
        std::vector<qint64> codes;
        walk(sql::format(f.listQuery), work,
             [&](const Row& row) { codes.push_back(row.numberAt(0)); });
        for (qint64 code : codes)
            count(sql::format(tree::kCountContacts, sql::format(f.countFragment, code)), work);
        return work;
    }

    Work rootAndTrash() {
        Work work;
        count(sql::format(tree::kCountContacts, TreeBuilder::kLiveContacts), work);
        count(sql::format(tree::kCountContacts, TreeBuilder::kTrashedContacts), work);
        return work;
    }

    Work documents() {
        Work work;
        std::vector<qint64> codes;
        walk(sql::format(TreeBuilder::kDocSorts), work,
             [&](const Row& row) { codes.push_back(row.numberAt(0)); });
        for (qint64 code : codes)
            walk(sql::format(TreeBuilder::kDocumentTitles, code), work);
        return work;
    }

    Work departments() {
        Work work;
        std::vector<qint64> codes;
        walk(sql::format(DepartmentNodes::kDepartments), work,
             [&](const Row& row) { codes.push_back(row.numberAt(0)); });
        for (qint64 code : codes) {
            count(sql::format(tree::kCountContacts,
                              sql::format(DepartmentNodes::kDepartmentContacts, code)),
                  work);
            std::vector<qint64> users;
            walk(sql::format(DepartmentNodes::kUsersOfDepartment, code), work,
                 [&](const Row& row) { users.push_back(row.numberAt(0)); });
            for (qint64 user : users)
                count(sql::format(tree::kCountContacts,
                                  sql::format(DepartmentNodes::kUserContacts, user)),
                      work);
        }
        return work;
    }

    // The reminders and care through their own class (a handful of statements
    // each, the rows computed by the engine).
    Work reminders(const QDate& today) {
        Work work;
        const Reminders::Counts counts = Reminders(db_, today).rebuild(1);
        work.statements = 5;
        work.rows =
            counts.planned.value_or(0) + counts.due.value_or(0) + counts.overdue.value_or(0);
        work.ok = counts.cleared && counts.planned && counts.due;
        return work;
    }

    Work care(const QDate& today) {
        Work work;
        const Reminders::Care care = Reminders(db_, today).care();
        work.statements = 2;
        work.rows = 2;
        work.ok = care.birthdays && care.family;
        return work;
    }

  private:
    Database& db_;
};

struct Timing {
    QString label;
    Work work;
    double minimum = 0;
    double median = 0;
};

Timing measure(const QString& label, int repeat, const std::function<Work()>& run) {
    Timing timing{label, {}, 0, 0};
    const bench::Duration duration = bench::timeRepeated(repeat, [&] { timing.work = run(); });
    timing.minimum = duration.minimum;
    timing.median = duration.median;
    return timing;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int repeat = 5;
    if (QString value; bench::takeOption(args, QStringLiteral("--repeat"), &value))
        repeat = value.toInt();
    if (args.size() != 1 || repeat < 1) {
        err << "usage: bench_counts PATH [--repeat N]\n";
        return 2;
    }
    Database db;
    if (!db.open(args.first())) {
        err << "bench_counts: " << db.lastError() << "\n";
        return 1;
    }
    out << "database " << args.first() << ": " << db.count("select count(*) from base")
        << " contacts, " << db.count("select count(*) from comm") << " interactions, "
        << db.count("select count(*) from doc") << " documents; " << repeat << " runs each\n\n";

    Bench bench(db);
    const QDate today = QDate::currentDate();
    std::vector<Timing> timings;
    timings.push_back(measure(QStringLiteral("tree: root and trash counts"), repeat,
                              [&] { return bench.rootAndTrash(); }));
    for (const TreeBuilder::Folder& f : TreeBuilder::kFolders) {
        timings.push_back(
            measure(QStringLiteral("tree: ") + f.caption, repeat, [&] { return bench.folder(f); }));
    }
    timings.push_back(
        measure(QStringLiteral("tree: documents"), repeat, [&] { return bench.documents(); }));
    timings.push_back(
        measure(QStringLiteral("tree: departments"), repeat, [&] { return bench.departments(); }));
    timings.push_back(measure(QStringLiteral("reminders: planned, due, overdue"), repeat,
                              [&] { return bench.reminders(today); }));
    timings.push_back(measure(QStringLiteral("care: birthday counts"), repeat,
                              [&] { return bench.care(today); }));

    double treeTotal = 0;
    out << QStringLiteral("%1 %2 %3 %4 %5\n")
               .arg(QStringLiteral("what"), -34)
               .arg(QStringLiteral("stmts"), 7)
               .arg(QStringLiteral("rows"), 8)
               .arg(QStringLiteral("min ms"), 9)
               .arg(QStringLiteral("median ms"), 10);
    bool ok = true;
    for (const auto& t : timings) {
        if (t.label.startsWith(u"tree:"))
            treeTotal += t.median;
        ok = ok && t.work.ok;
        out << QStringLiteral("%1 %2 %3 %4 %5%6\n")
                   .arg(t.label, -34)
                   .arg(t.work.statements, 7)
                   .arg(t.work.rows, 8)
                   .arg(t.minimum, 9, 'f', 1)
                   .arg(t.median, 10, 'f', 1)
                   .arg(t.work.ok ? QString() : QStringLiteral("  FAILED: ") + db.lastError());
    }
    out << QStringLiteral("%1 %2\n")
               .arg(QStringLiteral("tree counts, sum of medians"), -60)
               .arg(treeTotal, 10, 'f', 1);
    return ok ? 0 : 1;
}
