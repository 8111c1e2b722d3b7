// SPDX-License-Identifier: GPL-3.0-or-later
// Times the contact list's load of "全部人脉" (all live contacts) over a database
// filled by "mavor-admin gen": the statement with the post and level names read
// once per load, filling the list model, and for comparison the same rows with
// one name lookup per row and column.
//
//   bench_contactlist PATH [--repeat N] [--only load|fetch|fill|per-row]
#include "BenchTiming.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "ui/ReportModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

const sql::Statement kFilter("b.base_invalid_flag=1");

// Messages of a bench run go to stderr; nothing is asked.
class StderrPrompter : public Prompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon) override {
        QTextStream(stderr) << caption << ": " << text << "\n";
    }
    bool ask(const QString&, const QString&) override { return false; }
    std::unique_ptr<ProgressHandle> beginProgress() override { return nullptr; }
};

// The list's rows with the two names looked up row by row, as a list without
// the name cache would fill them.
bool fetchPerRow(Database& db, const sql::Statement& statement, QList<QStringList>& rows) {
    rows.clear();
    Lookups lookups(db);
    return db.query(statement, [&](const Row& row) {
        rows.append({QString(), QString::number(row.number("base_code")), row.text("base_name"),
                     lookups.dutyName(row.number("work_duty_code")),
                     lookups.levelName(row.number("base_sort_code")), row.text("base_mobil"),
                     row.text("base_phone"), row.text("work_name"), row.text("work_branch_name"),
                     row.text("base_lastmodi_date")});
        return true;
    });
}

struct Timing {
    QString label;
    qint64 rows = 0;
    double minimum = 0;
    double median = 0;
    bool ok = true;
};

Timing measure(const QString& label, int repeat, const std::function<qint64()>& run) {
    Timing timing{label};
    const bench::Duration duration = bench::timeRepeated(repeat, [&] {
        timing.rows = run();
        timing.ok = timing.ok && timing.rows >= 0;
    });
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
    QString only;
    if (QString value; bench::takeOption(args, QStringLiteral("--repeat"), &value))
        repeat = value.toInt();
    bench::takeOption(args, QStringLiteral("--only"), &only);
    const QStringList parts = {"load", "fetch", "fill", "per-row"};
    if (args.size() != 1 || repeat < 1 || (!only.isEmpty() && !parts.contains(only))) {
        err << "usage: bench_contactlist PATH [--repeat N] [--only load|fetch|fill|per-row]\n";
        return 2;
    }
    StderrPrompter prompter;
    Database db(&prompter);
    if (!db.open(args.first())) {
        err << "bench_contactlist: " << db.lastError() << "\n";
        return 1;
    }
    SystemClock clock;
    ReportModel model(ContactList::kColumns);
    ContactList list(db, prompter, clock, 1, model);
    const sql::Statement statement = list.statement(kFilter, ContactList::Contacts);

    ReportRows rows;
    if (!list.fetch(kFilter, ContactList::Contacts, rows)) {
        err << "bench_contactlist: " << db.lastError() << "\n";
        return 1;
    }
    out << "database " << args.first() << ": " << db.count("select count(*) from base")
        << " contacts, " << rows.size() << " listed as 全部人脉; " << repeat << " runs each\n\n";

    std::vector<Timing> timings;
    auto wanted = [&](const QString& part) { return only.isEmpty() || only == part; };
    if (wanted("load")) {
        timings.push_back(measure("load: statement, names, model", repeat, [&]() -> qint64 {
            return list.load(kFilter, ContactList::Contacts, 1) ? model.rowCount() : -1;
        }));
    }
    if (wanted("fetch")) {
        timings.push_back(measure("fetch: statement and names only", repeat, [&]() -> qint64 {
            ReportRows fetched;
            return list.fetch(kFilter, ContactList::Contacts, fetched) ? fetched.size() : -1;
        }));
    }
    if (wanted("fill")) {
        timings.push_back(measure("fill: ReportModel::setRows", repeat, [&]() -> qint64 {
            model.setRows(rows);
            return model.rowCount();
        }));
    }
    if (wanted("per-row")) {
        timings.push_back(measure("per-row: two lookups a row", repeat, [&]() -> qint64 {
            QList<QStringList> fetched;
            if (!fetchPerRow(db, statement, fetched))
                return -1;
            model.setRows(fetched);
            bool same = fetched.size() == rows.size();
            for (qsizetype r = 0; same && r < rows.size(); ++r)
                for (int c = 0; same && c < fetched.at(r).size(); ++c)
                    same = fetched.at(r).at(c) == rows.view(r, c);
            return same ? model.rowCount() : -1;
        }));
    }

    bool ok = true;
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("what"), -34)
               .arg(QStringLiteral("rows"), 8)
               .arg(QStringLiteral("min ms"), 9)
               .arg(QStringLiteral("median ms"), 10);
    for (const Timing& t : timings) {
        ok = ok && t.ok;
        out << QStringLiteral("%1 %2 %3 %4%5\n")
                   .arg(t.label, -34)
                   .arg(t.rows, 8)
                   .arg(t.minimum, 9, 'f', 1)
                   .arg(t.median, 10, 'f', 1)
                   .arg(t.ok ? QString() : QStringLiteral("  FAILED"));
    }
    return ok ? 0 : 1;
}
