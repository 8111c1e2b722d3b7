// SPDX-License-Identifier: GPL-3.0-or-later
// Times the relationship view (往来统计) over a database filled by
// "mavor-admin gen": the figures alone and the whole view (figures and five
// charts drawn offscreen), for the last 12 months and for all time, with the
// user's own contacts. Beside them stands one hand-written statement per
// chart: the floor. Then the process's peak memory.
//
//   bench_stats PATH [--user CODE] [--repeat N] [--today YYYY-MM-DD]
#include "BenchTiming.h"
#include "QuietPrompter.h"
#include "base/Clock.h"
#include "db/Database.h"
#include "stats/CRelationStatsView.h"
#include "stats/RelationStats.h"

#include <QApplication>
#include <QTextStream>
#include <sys/resource.h>

namespace {

// One statement per chart, over comm alone (the generated contacts are all
// live and the user's), money read by amount() as the program reads it.
const QString kMonthsFloor = QStringLiteral(
    "select substr(comm_date,1,7),count(*),sum(amount(comm_cost)),sum(amount(comm_tran)) "
    "from comm where comm_date between '%s' and '%s' group by substr(comm_date,1,7)");
const QString kTypesFloor = QStringLiteral(
    "select comm_business_code,count(*) from comm where comm_date between '%s' and '%s' "
    "group by comm_business_code");
const QString kMostFloor = QStringLiteral(
    "select comm_base_code,count(*) as n from comm where comm_date between '%s' and '%s' "
    "group by comm_base_code order by n DESC limit 20");
const QString kImbalanceFloor = QStringLiteral(
    "select comm_base_code,abs(sum(amount(comm_cost))-sum(amount(comm_tran))) as d from comm "
    "where comm_date between '%s' and '%s' group by comm_base_code order by d DESC limit 20");
// The overdue contacts of one day (the period's last), per level.
const QString kOverdueFloor = QStringLiteral(
    "select b.base_sort_code,count(*) from base as b,sort as s where b.base_invalid_flag=1 and "
    "b.base_sort_code=s.sort_code and %ld-ifnull((select daynumber(n.comm_year,n.comm_month,"
    "n.comm_day) from comm as n where n.comm_base_code=b.base_code order by n.comm_date DESC,"
    "n.comm_code DESC limit 1),0)>s.sort_frequence group by b.base_sort_code");

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QStringList args = app.arguments().mid(1);
    QString path;
    qint64 user = 1;
    int repeat = 3;
    QDate today = QDate::currentDate();
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--user" && !args.isEmpty())
            user = args.takeFirst().toLongLong();
        else if (arg == u"--repeat" && !args.isEmpty())
            repeat = args.takeFirst().toInt();
        else if (arg == u"--today" && !args.isEmpty())
            today = QDate::fromString(args.takeFirst(), Qt::ISODate);
        else
            path = arg;
    }
    if (path.isEmpty() || !today.isValid()) {
        out << "usage: bench_stats PATH [--user CODE] [--repeat N] [--today YYYY-MM-DD]\n";
        return 2;
    }
    QuietPrompter prompter;
    Database db(&prompter);
    if (!db.open(path)) {
        out << "cannot open " << path << ": " << db.lastError() << "\n";
        return 1;
    }
    const DayClock clock(today);
    const QDate yearAgo = QDate(today.year(), today.month(), 1).addMonths(-11);
    StatsRequest twelve{yearAgo, today, StatsScope::Mine, user, 1};
    StatsRequest all = twelve;
    all.from = RelationStats(db).firstDay(all, today);
    const auto ms = [](const bench::Duration& d) {
        return QStringLiteral("%1 ms (cpu %2 ms)")
            .arg(d.median, 0, 'f', 0)
            .arg(d.cpuMedian, 0, 'f', 0);
    };
    const auto floor = [&](const QString& statement, const StatsRequest& r) {
        return bench::timeRepeated(repeat, [&] {
            db.query(
                sql::format(statement, r.from.toString(Qt::ISODate), r.to.toString(Qt::ISODate)),
                [](const Row&) { return true; });
        });
    };
    CRelationStatsView view;
    view.attach(&db, &clock, user, 1);
    view.resize(1280, 800);
    for (const auto& [name, r, period] :
         {std::tuple{QStringLiteral("12 个月"), twelve, CRelationStatsView::LastTwelveMonths},
          std::tuple{QStringLiteral("全部时间"), all, CRelationStatsView::AllTime}}) {
        qint64 interactions = 0;
        const auto figures = bench::timeRepeated(repeat, [&] {
            interactions = RelationStats(db).figures(r).value_or(RelationFigures{}).interactions;
        });
        view.choose(period, StatsScope::Mine);
        const auto shown = bench::timeRepeated(repeat, [&] { view.refresh(); });
        const qint64 last = clock.today().toJulianDay() - QDate(1970, 1, 1).toJulianDay();
        const auto overdue = bench::timeRepeated(repeat, [&] {
            db.query(sql::format(kOverdueFloor, last), [](const Row&) { return true; });
        });
        out << name << " (" << r.from.toString(Qt::ISODate) << " 至 " << r.to.toString(Qt::ISODate)
            << ", " << interactions << " 条往来)\n"
            << "  figures            " << ms(figures) << "\n"
            << "  view (with charts) " << ms(shown) << "\n"
            << "  floor months       " << ms(floor(kMonthsFloor, r)) << "\n"
            << "  floor types        " << ms(floor(kTypesFloor, r)) << "\n"
            << "  floor most         " << ms(floor(kMostFloor, r)) << "\n"
            << "  floor imbalance    " << ms(floor(kImbalanceFloor, r)) << "\n"
            << "  floor overdue (1 day) " << ms(overdue) << "\n";
        out.flush();
    }
    out << "peak memory " << QString::number(peakMegabytes(), 'f', 0) << " MB\n";
    return 0;
}
