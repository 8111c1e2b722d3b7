// SPDX-License-Identifier: GPL-3.0-or-later
// Times the interaction query and the three exports over a database filled by
// "mavor-admin gen", each beside its floor: one hand-written statement that
// reads the same rows and nothing else.
//
//   bench_reports PATH [--repeat N] [--out DIR] [--progress] [--only queries|exports]
//
// --out keeps the exported workbooks there; --progress shows the export's
// progress window (on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise), as the program does.
#include "BenchTiming.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "db/DateForms.h"
#include "reports/ContactListSheet.h"
#include "reports/ExportProgress.h"
#include "reports/InteractionQuery.h"
#include "reports/InteractionResults.h"
#include "reports/LabelSheet.h"
#include "reports/SheetExport.h"
#include "reports/StatisticsSheet.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <vector>

namespace {

class StderrPrompter : public Prompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon) override {
        if (!quiet)
            QTextStream(stderr) << caption << ": " << text << "\n";
    }
    bool ask(const QString&, const QString&) override { return false; }
    std::unique_ptr<ProgressHandle> beginProgress() override { return nullptr; }
    bool quiet = true;
};

// Reads every column of every row of a hand-written statement, as text.
qint64 readAll(Database& db, const QString& statement) {
    QSqlQuery q(db.connection());
    q.setForwardOnly(true);
    if (!q.exec(statement))
        return -1;
    qint64 rows = 0;
    const int columns = q.record().count();
    while (q.next()) {
        for (int c = 0; c < columns; ++c)
            q.value(c).toString();
        ++rows;
    }
    return rows;
}

struct Line {
    explicit Line(QString label) : what(std::move(label)) {}
    QString what;
    qint64 rows = 0;
    bench::Duration time;
    bench::Duration floor;
};

QTextStream out(stdout);

void print(const Line& l) {
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(l.what, -44)
               .arg(l.rows, 8)
               .arg(l.time.median, 10, 'f', 1)
               .arg(l.floor.median, 10, 'f', 1)
               .arg(l.floor.median > 0 ? l.time.median / l.floor.median : 0.0, 7, 'f', 1)
               .arg(l.time.minimum, 9, 'f', 1);
    out.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int repeat = 3;
    QString outDir;
    if (QString v; bench::takeOption(args, QStringLiteral("--repeat"), &v))
        repeat = std::max(1, v.toInt());
    bench::takeOption(args, QStringLiteral("--out"), &outDir);
    const bool progress = args.removeAll(QStringLiteral("--progress")) > 0;
    QString only;
    bench::takeOption(args, QStringLiteral("--only"), &only);
    if (args.size() != 1) {
        QTextStream(stderr) << "usage: bench_reports PATH [--repeat N] [--out DIR] [--progress] "
                               "[--only queries|exports]\n";
        return 2;
    }
    QTemporaryDir scratch;
    if (outDir.isEmpty())
        outDir = scratch.path();
    QDir().mkpath(outDir);
    const QString templatePath =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/moban.xlsx");

    StderrPrompter prompter;
    Database db(&prompter);
    if (!db.open(args.first())) {
        QTextStream(stderr) << "bench_reports: " << db.lastError() << "\n";
        return 1;
    }
    SystemClock clock;
    const QDate today = clock.today();
    out << "database " << args.first() << ": " << db.count("select count(*) from base")
        << " contacts, " << db.count("select count(*) from comm") << " interactions; median of "
        << repeat << " runs (ms)\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("what"), -44)
               .arg(QStringLiteral("rows"), 8)
               .arg(QStringLiteral("ms"), 10)
               .arg(QStringLiteral("floor ms"), 10)
               .arg(QStringLiteral("x floor"), 7)
               .arg(QStringLiteral("min ms"), 9);

    // Interaction queries of user 1 (the owner of every generated contact).
    InteractionQuery query(db, prompter, clock, 1);
    InteractionResults results(db);
    const QString iso = today.toString(Qt::ISODate);
    const QDate monthStart(today.year(), today.month(), 1);
    const QDate lastMonth = monthStart.addMonths(-1);
    InteractionQueryForm month;
    const QString lastMonthText =
        QStringLiteral("%1").arg(lastMonth.month(), 2, 10, QLatin1Char('0'));
    month.dates = {
        QString::number(lastMonth.year()), lastMonthText, QStringLiteral("01"),
        QString::number(lastMonth.year()), lastMonthText, QString::number(lastMonth.daysInMonth())};
    InteractionQueryForm name;
    name.name = QStringLiteral("王");
    name.dates.startYear = QString::number(today.year());

    const QString floorColumns = QStringLiteral(
        "select c.comm_base_code,c.comm_year,c.comm_month,c.comm_day,c.comm_spent,c.comm_cost,"
        "b.base_name,d.duty_name,s.sort_name,b.work_name,i.business_name,c.comm_tran,c.comm_clock,"
        "c.comm_minute,c.comm_place,c.comm_reason,c.comm_client,c.comm_myjoin,c.comm_gift "
        "from comm c join base b on b.base_code=c.comm_base_code join duty d on "
        "d.duty_code=b.work_duty_code join sort s on s.sort_code=b.base_sort_code join business i "
        "on i.business_code=c.comm_business_code where b.base_user_code=1 and "
        "b.base_invalid_flag=1 ");
    struct Case {
        QString what;
        InteractionConditions conditions;
        QString floor;
    };
    const std::vector<Case> cases{
        {QStringLiteral("interactions: today (当日往来)"), query.today(),
         floorColumns + QStringLiteral("and c.comm_date='%1'").arg(iso)},
        {QStringLiteral("interactions: last month"), *query.conditions(month),
         floorColumns + QStringLiteral("and c.comm_date between '%1' and '%2'")
                            .arg(lastMonth.toString(Qt::ISODate),
                                 QDate(lastMonth.year(), lastMonth.month(), lastMonth.daysInMonth())
                                     .toString(Qt::ISODate))},
        {QStringLiteral("interactions: name like 王, this year"), *query.conditions(name),
         floorColumns + QStringLiteral("and b.base_name like '%王%' and c.comm_date between "
                                       "'%1-01-01' and '%2'")
                            .arg(today.year())
                            .arg(iso)},
        {QStringLiteral("interactions: all of them"), *query.conditions({}), floorColumns},
    };
    InteractionTotals kept;
    ReportRows keptRows;
    for (const Case& c : cases) {
        if (only == u"exports" && !c.what.contains(QStringLiteral("last month")))
            continue;
        Line line(c.what);
        ReportRows rows;
        InteractionTotals totals;
        line.time = bench::timeRepeated(repeat, [&] { results.fetch(c.conditions, rows, totals); });
        line.rows = rows.size();
        qint64 floorRows = 0;
        line.floor = bench::timeRepeated(repeat, [&] { floorRows = readAll(db, c.floor); });
        if (floorRows != line.rows)
            line.what += QStringLiteral(" (floor %1 rows!)").arg(floorRows);
        print(line);
        if (c.what.contains(QStringLiteral("last month"))) {
            kept = totals;
            keptRows = rows;
        }
    }

    if (only == u"queries")
        return 0;

    // The exports of the contact list with every live contact ticked.
    ReportModel contacts(ContactList::kColumns);
    ContactList list(db, prompter, clock, 1, contacts);
    list.load(sql::Statement("b.base_invalid_flag=1"), ContactList::Contacts, 1);
    for (int r = 0; r < contacts.rowCount(); ++r)
        contacts.setChecked(r, true);
    auto exporter = [&] {
        if (!progress)
            return SheetExport(prompter, templatePath);
        return SheetExport(prompter, templatePath,
                           [] { return std::make_unique<ExportProgress>(nullptr); });
    };
    const QString listFloor = QStringLiteral(
        "select b.base_name,b.base_sex,d.duty_name,b.work_areacode,b.base_phone,b.base_mobil,"
        "b.work_name,b.work_address from base b join duty d on b.work_duty_code=d.duty_code join "
        "userlogin u on b.base_user_code=u.user_code where b.base_invalid_flag=1");
    {
        Line line(QStringLiteral("export: contact list") +
                  (progress ? QStringLiteral(" + progress window") : QString()));
        ContactListSheet sheet(db, clock, contacts);
        line.time = bench::timeRepeated(
            repeat, [&] { exporter().run(sheet, outDir + QStringLiteral("/资料列表.xlsx")); });
        line.rows = contacts.rowCount();
        line.floor = bench::timeRepeated(repeat, [&] { readAll(db, listFloor); });
        print(line);
    }
    {
        Line line(QStringLiteral("export: envelope labels") +
                  (progress ? QStringLiteral(" + progress window") : QString()));
        LabelSheet sheet(db, contacts);
        line.time = bench::timeRepeated(
            repeat, [&] { exporter().run(sheet, outDir + QStringLiteral("/信封标签.xlsx")); });
        line.rows = contacts.rowCount();
        line.floor = bench::timeRepeated(repeat, [&] {
            readAll(db, QStringLiteral("select work_zip,work_address,base_name,work_name from "
                                       "base where base_invalid_flag=1"));
        });
        print(line);
    }
    {
        ReportModel stats(InteractionResults::kColumns);
        stats.setRows(keptRows);
        for (int r = 0; r < stats.rowCount(); ++r)
            stats.setChecked(r, true);
        Line line(QStringLiteral("export: last month's statistics"));
        StatisticsSheet sheet(clock, stats, kept);
        line.time = bench::timeRepeated(
            repeat, [&] { exporter().run(sheet, outDir + QStringLiteral("/往来统计表.xlsx")); });
        line.rows = stats.rowCount();
        line.floor = bench::timeRepeated(repeat, [&] { readAll(db, cases[1].floor); });
        print(line);
    }
    return 0;
}
