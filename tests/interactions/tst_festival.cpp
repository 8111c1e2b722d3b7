// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/Days.h"
#include "db/Statement.h"
#include "interactions/FestivalCountdown.h"
#include "interactions/StartupNotice.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>

// Feasts are given as "name|month|day", a lunar one as "name|month|day|1"; the
// keyword "seed" keeps the delivered table.
class TestFestival : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void dayDifference_data();
    void dayDifference();
    void leadingNumber_data();
    void leadingNumber();
    void countdown_data();
    void countdown();
    void failedQueryCountsNothing();
    void noticeLines_data();
    void noticeLines();

  private:
    bool replaceFeasts(const QStringList& feasts);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
};

void TestFestival::init() {
    home_ = std::make_unique<TestHome>();
    QVERIFY(home_->isValid());
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestFestival::cleanup() {
    db_.reset();
    prompter_.reset();
    home_.reset();
}

bool TestFestival::replaceFeasts(const QStringList& feasts) {
    if (feasts == QStringList{QStringLiteral("seed")})
        return true;
    if (!db_->execute(sql::Statement(QStringLiteral("delete from feast"))))
        return false;
    for (const QString& feast : feasts) {
        const QStringList parts = feast.split(u'|');
        if (!db_->execute(sql::format("insert into feast(feast_name,feast_month,feast_day,"
                                      "feast_lunar) values('%s','%s','%s',%ld)",
                                      parts[0], parts[1], parts[2], parts.value(3).toLongLong())))
            return false;
    }
    return true;
}

void TestFestival::dayDifference_data() {
    QTest::addColumn<QList<int>>("later");
    QTest::addColumn<QList<int>>("earlier");
    QTest::addColumn<qint64>("days");
    QTest::newRow("2000 is a leap year") << QList{2000, 3, 1} << QList{2000, 2, 28} << qint64(2);
    QTest::newRow("1900 is not") << QList{1900, 3, 1} << QList{1900, 2, 28} << qint64(1);
    QTest::newRow("2012 is") << QList{2012, 3, 1} << QList{2012, 2, 28} << qint64(2);
    QTest::newRow("across new year") << QList{2013, 1, 1} << QList{2012, 12, 31} << qint64(1);
    QTest::newRow("a leap year long") << QList{2013, 1, 1} << QList{2012, 1, 1} << qint64(366);
    QTest::newRow("earlier first") << QList{2012, 5, 1} << QList{2012, 5, 8} << qint64(-7);
    QTest::newRow("four centuries") << QList{2400, 1, 1} << QList{2000, 1, 1} << qint64(146097);
    // Parts typed oddly carry on into the next month or year.
    QTest::newRow("02-30 of a leap year is 03-01")
        << QList{2012, 3, 1} << QList{2012, 2, 30} << qint64(0);
    QTest::newRow("02-30 of another year is 03-02")
        << QList{2013, 3, 2} << QList{2013, 2, 30} << qint64(0);
    QTest::newRow("month 13 is next January")
        << QList{2013, 1, 5} << QList{2012, 13, 1} << qint64(4);
}

// The expected distances are counted by hand.
void TestFestival::dayDifference() {
    QFETCH(QList<int>, later);
    QFETCH(QList<int>, earlier);
    QFETCH(qint64, days);
    QCOMPARE(dates::daysBetween(later[0], later[1], later[2], earlier[0], earlier[1], earlier[2]),
             days);
}

void TestFestival::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("zero padded") << "05" << 5;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blanks then digits") << "  7日" << 7;
    QTest::newRow("no digits") << "元旦" << 0;
    QTest::newRow("sign") << "-3" << -3;
}

void TestFestival::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(dates::leadingNumber(text), number);
}

void TestFestival::countdown_data() {
    QTest::addColumn<QStringList>("feasts");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("line");

    const QStringList seed{"seed"};
    QTest::newRow("festival today")
        << seed << QDate(2012, 5, 1) << "劳动节" << 0 << "今天是 劳动节 !";
    QTest::newRow("tomorrow") << seed << QDate(2012, 4, 30) << "劳动节" << 1
                              << "离 劳动节 还有 1 天";
    QTest::newRow("weeks away") << seed << QDate(2012, 5, 8) << "儿童节" << 24
                                << "离 儿童节 还有 24 天";
    QTest::newRow("last of the year today")
        << seed << QDate(2012, 12, 25) << "圣诞节" << 0 << "今天是 圣诞节 !";
    QTest::newRow("none left: next year's first")
        << seed << QDate(2012, 12, 26) << "元旦" << 6 << "离 元旦 还有 6 天";
    QTest::newRow("new year's eve")
        << seed << QDate(2012, 12, 31) << "元旦" << 1 << "离 元旦 还有 1 天";
    QTest::newRow("next year is a leap year") << QStringList{"妇女节|03|08"} << QDate(2011, 12, 26)
                                              << "妇女节" << 73 << "离 妇女节 还有 73 天";
    QTest::newRow("next year is not") << QStringList{"妇女节|03|08"} << QDate(2010, 12, 26)
                                      << "妇女节" << 72 << "离 妇女节 还有 72 天";
    QTest::newRow("29 February without a leap day counts as 1 March")
        << QStringList{"闰日|02|29"} << QDate(2013, 2, 27) << "闰日" << 2 << "离 闰日 还有 2 天";
    // The table is read in text order of its month and day columns: only
    // zero-padded parts give the calendar order.
    QTest::newRow("padded months in calendar order")
        << QStringList{"国庆节|10|01", "教师节|09|10"} << QDate(2012, 9, 1) << "教师节" << 9
        << "离 教师节 还有 9 天";
    QTest::newRow("unpadded month sorts after October")
        << QStringList{"国庆节|10|01", "教师节|9|10"} << QDate(2012, 9, 1) << "国庆节" << 30
        << "离 国庆节 还有 30 天";
    QTest::newRow("unpadded day sorts after its month's 04")
        << QStringList{"劳动节|05|1", "青年节|05|04"} << QDate(2012, 5, 1) << "青年节" << 3
        << "离 青年节 还有 3 天";
    QTest::newRow("empty table") << QStringList{} << QDate(2012, 5, 8) << "" << -1 << "";

    // Lunar festivals, on the days of the published tables: 春节 2026-02-17 and
    // 2027-02-06, 除夕 2026-02-16 and 2027-02-05 (腊月 of 2026 has 29 days),
    // 中秋节 2026-09-25.
    QTest::newRow("the delivered rows on 2026-12-07: 平安夜 comes first")
        << seed << QDate(2026, 12, 7) << "平安夜" << 17 << "离 平安夜 还有 17 天";
    QTest::newRow("春节 before 国庆节 of the next year")
        << QStringList{"春节|01|01|1", "国庆节|10|01"} << QDate(2026, 12, 7) << "春节" << 61
        << "离 春节 还有 61 天";
    QTest::newRow("除夕 on the 29th of a short month")
        << seed << QDate(2027, 2, 5) << "除夕" << 0 << "今天是 除夕 !";
    QTest::newRow("除夕 ahead of 元宵 and 情人节")
        << seed << QDate(2027, 1, 2) << "除夕" << 34 << "离 除夕 还有 34 天";
    QTest::newRow("除夕 of the old lunar year in February")
        << seed << QDate(2026, 2, 15) << "除夕" << 1 << "离 除夕 还有 1 天";
    QTest::newRow("a Gregorian festival before the lunar one")
        << seed << QDate(2026, 2, 14) << "情人节" << 0 << "今天是 情人节 !";
    QTest::newRow("中秋节 between 教师节 and 国庆节")
        << seed << QDate(2026, 9, 20) << "中秋节" << 5 << "离 中秋节 还有 5 天";
    QTest::newRow("on a tie the table's first row")
        << QStringList{"情人节|02|14", "春节|01|01|1"} << QDate(2010, 2, 14) << "春节" << 0
        << "今天是 春节 !";
    QTest::newRow("nothing left this year, lunar or not")
        << seed << QDate(2027, 12, 26) << "元旦" << 6 << "离 元旦 还有 6 天";
    QTest::newRow("the second 腊月初一 of 2027")
        << QStringList{"腊月初一|12|01|1"} << QDate(2027, 6, 1) << "腊月初一" << 210
        << "离 腊月初一 还有 210 天";
}

void TestFestival::countdown() {
    QFETCH(QStringList, feasts);
    QFETCH(QDate, today);
    QFETCH(QString, name);
    QFETCH(int, days);
    QFETCH(QString, line);
    QVERIFY(replaceFeasts(feasts));
    FixedClock clock(QDateTime(today, QTime(8, 0)));

    const Festival festival = FestivalCountdown(*db_, clock).next();
    QCOMPARE(festival.name, name);
    QCOMPARE(festival.days, days);
    QCOMPARE(StartupNotice::festivalLine(festival), line);
    QVERIFY(prompter_->messages.isEmpty());
}

void TestFestival::failedQueryCountsNothing() {
    QVERIFY(db_->execute(sql::Statement(QStringLiteral("drop table feast"))));
    FixedClock clock;
    const Festival festival = FestivalCountdown(*db_, clock).next();
    QCOMPARE(festival.days, -1);
    QVERIFY(!prompter_->messages.isEmpty());
    QCOMPARE(prompter_->messages.first().caption, QStringLiteral("错误"));
}

void TestFestival::noticeLines_data() {
    QTest::addColumn<int>("festivalDays");
    QTest::addColumn<bool>("planned");
    QTest::addColumn<bool>("birthdays");
    QTest::addColumn<QStringList>("lines");

    const QString hello = QStringLiteral("用户登录,等级分增加 10 分!");
    const QString days = QStringLiteral("离 元旦 还有 3 天");
    const QString planned = QStringLiteral("当天有事务需处理!");
    const QString birthdays = QStringLiteral("本月有人或其家属过生日!");
    QTest::newRow("both alerts") << 3 << true << true
                                 << QStringList{hello, days, planned, birthdays};
    QTest::newRow("planned only") << 3 << true << false << QStringList{hello, days, planned};
    QTest::newRow("birthdays only") << 3 << false << true << QStringList{hello, days, birthdays};
    QTest::newRow("no alert") << 3 << false << false << QStringList{hello, days};
    QTest::newRow("festival today")
        << 0 << false << true << QStringList{hello, QStringLiteral("今天是 元旦 !"), birthdays};
    QTest::newRow("no festival, both alerts")
        << -1 << true << true << QStringList{hello, planned, birthdays};
    QTest::newRow("no festival, no alert") << -1 << false << false << QStringList{hello};
}

void TestFestival::noticeLines() {
    QFETCH(int, festivalDays);
    QFETCH(bool, planned);
    QFETCH(bool, birthdays);
    QFETCH(QStringList, lines);
    const Festival festival{festivalDays < 0 ? QString() : QStringLiteral("元旦"), festivalDays};
    const StartupNotice notice(QStringLiteral("用户登录,等级分增加 10 分!"), festival, planned,
                               birthdays);
    QCOMPARE(notice.lines(), lines);
    QCOMPARE(notice.mode(), lines.size());
}

QTEST_GUILESS_MAIN(TestFestival)
#include "tst_festival.moc"
