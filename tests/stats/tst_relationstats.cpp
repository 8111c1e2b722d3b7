// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsNetwork.h"
#include "db/Amount.h"
#include "stats/RelationStats.h"

#include <QProcess>
#include <QTest>

// The figures of the hand-worked network (StatsNetwork.h); the comments give the sums.
class TestRelationStats : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void moneyTexts_data();
    void moneyTexts();
    void monthsTypesAndTotals();
    void topLists();
    void overdueByLevel();
    void scopes();
    void contactLedger();
    void overduePoints();
    void adminCommand();

  private:
    StatsRequest request(StatsScope scope = StatsScope::Mine) const {
        return StatsRequest{QDate(2026, 1, 1), QDate(2026, 6, 30), scope, 1, 1};
    }
    std::unique_ptr<ReportsFixture> f;
    std::unique_ptr<StatsNetwork> net;
    qint64 zhang = -1, sun = -1;
};

void TestRelationStats::init() {
    f = std::make_unique<ReportsFixture>();
    QVERIFY(f->db.isOpen());
    net = std::make_unique<StatsNetwork>(f.get());
    net->build();
    zhang = net->zhang;
    sun = net->sun;
}

void TestRelationStats::cleanup() {
    net.reset();
    f.reset();
}

void TestRelationStats::moneyTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value"); // -1: cannot be read
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks around") << QStringLiteral(" 12 ") << 12.0;
    QTest::newRow("point last") << QStringLiteral("12.") << 12.0;
    QTest::newRow("point first") << QStringLiteral(".5") << 0.5;
    QTest::newRow("fraction") << QStringLiteral("250.75") << 250.75;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << -1.0;
    QTest::newRow("lone point") << QStringLiteral(".") << -1.0;
    QTest::newRow("sign") << QStringLiteral("-5") << -1.0;
    QTest::newRow("exponent") << QStringLiteral("1e3") << -1.0;
    QTest::newRow("letters") << QStringLiteral("abc") << -1.0;
    QTest::newRow("wide digits") << QStringLiteral("１２") << -1.0;
    QTest::newRow("inner blank") << QStringLiteral("1 2") << -1.0;
}

// The program's reading and the engine's (file or server) agree.
void TestRelationStats::moneyTexts() {
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto parsed = amount::parse(text);
    QCOMPARE(parsed.has_value(), value >= 0);
    if (parsed)
        QCOMPARE(*parsed, value);
    net->add(sun, QStringLiteral("2026-07-01"), QStringLiteral("拜访"), text, QString());
    QString engine = QStringLiteral("none");
    QVERIFY(f->db.query(sql::format(QStringLiteral("select amount(comm_cost) from comm where "
                                                   "comm_base_code=%ld"),
                                    sun),
                        [&](const Row& row) {
                            engine = row.textAt(0, QStringLiteral("null"));
                            return false;
                        }));
    if (value < 0)
        QCOMPARE(engine, QStringLiteral("null"));
    else
        QCOMPARE(engine.toDouble(), value);
}

void TestRelationStats::monthsTypesAndTotals() {
    const auto figures = RelationStats(f->db).figures(request());
    QVERIFY2(figures, qPrintable(f->db.lastError()));
    QCOMPARE(figures->months.size(), 6);
    // Jan: 100 + 250.5 out, 50 + 500 in; Mar: 20 + 300 out (1.2.3 unread), 30 in
    // (abc unread); May: "200." out; Jun: a call without money; Feb, Apr: nothing.
    const qint64 counts[] = {3, 0, 3, 0, 1, 1};
    const double given[] = {350.5, 0, 320, 0, 200, 0};
    const double received[] = {550, 0, 30, 0, 0, 0};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(figures->months[i].month, QDate(2026, i + 1, 1));
        QCOMPARE(figures->months[i].count, counts[i]);
        QCOMPARE(figures->months[i].given, given[i]);
        QCOMPARE(figures->months[i].received, received[i]);
    }
    QCOMPARE(figures->interactions, 8);
    QCOMPARE(figures->given, 870.5);
    QCOMPARE(figures->received, 580.0);
    QCOMPARE(figures->unreadableMoney, 2);
    QStringList types;
    for (const TypeShare& t : figures->types)
        types << QStringLiteral("%1 %2").arg(t.type).arg(t.count);
    QCOMPARE(types, (QStringList{QStringLiteral("拜访 3"), QStringLiteral("送礼 3"),
                                 QStringLiteral("宴请 1"), QStringLiteral("电话 1")}));
}

void TestRelationStats::topLists() {
    const auto figures = RelationStats(f->db).figures(request());
    QVERIFY2(figures, qPrintable(f->db.lastError()));
    const auto names = [](const QList<ContactFigures>& list) {
        QStringList out;
        for (const ContactFigures& c : list)
            out << QStringLiteral("%1 %2 %3").arg(c.name).arg(c.count).arg(c.balance());
        return out;
    };
    // 王五 and 李四 both twice: the more recent first.
    QCOMPARE(names(figures->mostInteractions),
             (QStringList{QStringLiteral("张三 4 270.5"), QStringLiteral("王五 2 500"),
                          QStringLiteral("李四 2 -480")}));
    QCOMPARE(names(figures->largestImbalance),
             (QStringList{QStringLiteral("王五 2 500"), QStringLiteral("李四 2 -480"),
                          QStringLiteral("张三 4 270.5")}));
    QCOMPARE(figures->mostInteractions.first().code, zhang);
    QCOMPARE(figures->mostInteractions.first().lastDate, QStringLiteral("2026-06-28"));
}

// The reminders' rule on each month end: 张三 (every 7 days) is overdue from
// late January until his call of 28 June; 李四 (30 days) not in February,
// his plan being for 10 March, and from mid-April on; 孙八 (15 days, no
// interaction, created 20 March) from 5 April; 王五 (90 days) never.
void TestRelationStats::overdueByLevel() {
    const auto figures = RelationStats(f->db).figures(request());
    QVERIFY2(figures, qPrintable(f->db.lastError()));
    QCOMPARE(figures->overduePoints,
             (QList<QDate>{QDate(2026, 1, 31), QDate(2026, 2, 28), QDate(2026, 3, 31),
                           QDate(2026, 4, 30), QDate(2026, 5, 31), QDate(2026, 6, 30)}));
    QStringList series;
    for (const OverdueSeries& s : figures->overdue) {
        QStringList counts;
        for (qint64 n : s.counts)
            counts << QString::number(n);
        series << s.level + u' ' + counts.join(u',');
    }
    QCOMPARE(series, (QStringList{QStringLiteral("A级-核心 1,1,1,1,1,0"),
                                  QStringLiteral("B级-重要 0,0,0,1,1,1"),
                                  QStringLiteral("C级-一般 0,0,0,1,1,1")}));
}

// Another department's contact joins only for everyone; the trash never.
void TestRelationStats::scopes() {
    RelationStats stats(f->db);
    const auto department = stats.figures(request(StatsScope::Department));
    const auto everyone = stats.figures(request(StatsScope::Everyone));
    QVERIFY(department && everyone);
    QCOMPARE(department->interactions, 8);
    QCOMPARE(everyone->interactions, 9);
    QCOMPARE(everyone->months[0].given, 1350.5);
    QCOMPARE(everyone->overdue.first().counts, (QList<qint64>{2, 2, 2, 2, 2, 1}));
    StatsRequest other = request();
    other.userCode = 99;
    const auto nobody = stats.figures(other);
    QVERIFY(nobody);
    QCOMPARE(nobody->interactions, 0);
    QCOMPARE(nobody->months.size(), 6);
    QVERIFY(nobody->mostInteractions.isEmpty());
    QVERIFY(nobody->overdue.isEmpty());
}

// All of 张三's interactions, the one of 2025 too: 77 + 100 + 250.5 out,
// 50 + 30 in, 190 days from the first to the last over four gaps.
void TestRelationStats::contactLedger() {
    const auto ledger = RelationStats(f->db).ledger(zhang, QDate(2026, 12, 7));
    QVERIFY(ledger);
    QCOMPARE(ledger->count, 5);
    QCOMPARE(ledger->given, 427.5);
    QCOMPARE(ledger->received, 80.0);
    QCOMPARE(ledger->balance(), 347.5);
    QCOMPARE(ledger->last, QDate(2026, 6, 28));
    QCOMPARE(ledger->averageInterval(), 47.5);
    QCOMPARE(ledger->levelInterval, 7);
    QCOMPARE(ledger->unreadableMoney, 1);
    QCOMPARE(ledger->lastTwelveMonths, (QList<qint64>{2, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    const auto none = RelationStats(f->db).ledger(sun, QDate(2026, 12, 7));
    QVERIFY(none);
    QCOMPARE(none->count, 0);
    QVERIFY(none->averageInterval() < 0);
}

// Long periods are sampled, always ending on the period's last day.
void TestRelationStats::overduePoints() {
    const auto points = RelationStats::overduePoints(QDate(2020, 1, 15), QDate(2026, 12, 7));
    QVERIFY(points.size() <= RelationStats::kMaxPoints);
    QCOMPARE(points.last(), QDate(2026, 12, 7));
    QCOMPARE(points[points.size() - 2], QDate(2026, 8, 31)); // every 4 of 84 months
    QVERIFY(points.first() >= QDate(2020, 1, 15));
}

// mavor-admin stats run as an administrator runs it, every printed line
// against the hand sums above.
void TestRelationStats::adminCommand() {
    QProcess admin;
    admin.start(qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor-admin"),
                {QStringLiteral("stats"), QStringLiteral("--user"), QStringLiteral("admin"),
                 QStringLiteral("--from"), QStringLiteral("2026-01-01"), QStringLiteral("--to"),
                 QStringLiteral("2026-06-30"), f->home.databasePath()});
    QVERIFY(admin.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(admin.readAllStandardError()), QString());
    QCOMPARE(admin.exitCode(), 0);
    const QStringList expected{
        QStringLiteral("往来统计: admin, 我的人脉, 2026-01-01 至 2026-06-30"),
        QStringLiteral("往来 8 次, 支出 870.50 元, 收入 580.00 元, 差额 290.50 元"),
        QStringLiteral("无法识别的金额: 2 条"),
        QStringLiteral("每月:"),
        QStringLiteral("  2026-01  3 次  支出 350.50  收入 550.00"),
        QStringLiteral("  2026-02  0 次  支出 0.00  收入 0.00"),
        QStringLiteral("  2026-03  3 次  支出 320.00  收入 30.00"),
        QStringLiteral("  2026-04  0 次  支出 0.00  收入 0.00"),
        QStringLiteral("  2026-05  1 次  支出 200.00  收入 0.00"),
        QStringLiteral("  2026-06  1 次  支出 0.00  收入 0.00"),
        QStringLiteral("往来类型:"),
        QStringLiteral("  拜访  3 次"),
        QStringLiteral("  送礼  3 次"),
        QStringLiteral("  宴请  1 次"),
        QStringLiteral("  电话  1 次"),
        QStringLiteral("往来最多的人:"),
        QStringLiteral("  张三  4 次  支出 350.50  收入 80.00  差额 270.50  最近 2026-06-28"),
        QStringLiteral("  王五  2 次  支出 500.00  收入 0.00  差额 500.00  最近 2026-05-15"),
        QStringLiteral("  李四  2 次  支出 20.00  收入 500.00  差额 -480.00  最近 2026-03-15"),
        QStringLiteral("收支差额最大的人:"),
        QStringLiteral("  王五  2 次  支出 500.00  收入 0.00  差额 500.00  最近 2026-05-15"),
        QStringLiteral("  李四  2 次  支出 20.00  收入 500.00  差额 -480.00  最近 2026-03-15"),
        QStringLiteral("  张三  4 次  支出 350.50  收入 80.00  差额 270.50  最近 2026-06-28"),
        QStringLiteral("逾期人数:"),
        QStringLiteral("  级别  2026-01-31  2026-02-28  2026-03-31  2026-04-30  2026-05-31  "
                       "2026-06-30"),
        QStringLiteral("  A级-核心  1  1  1  1  1  0"),
        QStringLiteral("  B级-重要  0  0  0  1  1  1"),
        QStringLiteral("  C级-一般  0  0  0  1  1  1"),
    };
    QCOMPARE(QString::fromUtf8(admin.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
             expected);
}

QTEST_GUILESS_MAIN(TestRelationStats)
#include "tst_relationstats.moc"
