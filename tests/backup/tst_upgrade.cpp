// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DatabaseUpgrade.h"
#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/SchemaVersion.h"
#include "interactions/FestivalCountdown.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QFile>
#include <QTest>

#include <algorithm>

// A database of the first release (tests/fixtures/first-release.tdb: made by
// that release's "mavor-admin initdb" and "gen --contacts 40 --interactions
// 150") opens in this program: it is copied beside itself, brought up to date
// in one transaction, and keeps every row. A file of a newer program is refused.
class TestUpgrade : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void firstReleaseReadsAsVersionOne();
    void upgradeKeepsEveryRowAndACopy();
    void failedStepChangesNothing();
    void newerFileIsRefused();
    void upgradedFileEqualsANewOne();
    void lunarFestivalsArriveBesideTheUsersRows();

  private:
    QString fixture() const { return home_->file("mavor.tdb"); }
    QString writeStep(const QString& name, const QString& statements);
    // Every row of db's tables, as text; with columnsOf, only the tables and
    // columns that database has.
    static QString rowsOf(Database& db, Database* columnsOf = nullptr);
    static QStringList schemaOf(const QString& path);

    std::unique_ptr<TestHome> home_;
};

void TestUpgrade::init() {
    home_ = std::make_unique<TestHome>();
    QFile::remove(fixture());
    QVERIFY(QFile::copy(QStringLiteral(MAVOR_FIXTURES "/first-release.tdb"), fixture()));
    QFile::setPermissions(fixture(), QFile::ReadOwner | QFile::WriteOwner);
}

QString TestUpgrade::writeStep(const QString& name, const QString& statements) {
    QFile file(home_->file(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(statements.toUtf8());
    return file.fileName();
}

QString TestUpgrade::rowsOf(Database& db, Database* columnsOf) {
    Database& shape = columnsOf ? *columnsOf : db;
    QStringList tables;
    shape.query("select name from sqlite_master where type='table' and name<>'sqlite_sequence' "
                "order by name",
                [&](const Row& row) {
                    tables << row.textAt(0);
                    return true;
                });
    QStringList out;
    for (const QString& table : tables) {
        QStringList columns;
        shape.query(sql::Statement(QStringLiteral("PRAGMA table_info(%1)").arg(table)),
                    [&](const Row& row) {
                        columns << row.text("name");
                        return true;
                    });
        db.query(
            sql::Statement(
                QStringLiteral("select %1 from %2 order by rowid").arg(columns.join(u','), table)),
            [&](const Row& row) {
                QStringList cells;
                for (int i = 0; i < row.columnCount(); ++i)
                    cells << row.textAt(i, "<null>");
                out << table + u':' + cells.join(u'|');
                return true;
            });
    }
    return out.join(u'\n');
}

QStringList TestUpgrade::schemaOf(const QString& path) {
    Database db;
    QStringList out;
    if (!db.open(path))
        return out;
    db.query(
        "select type,name,tbl_name,sql from sqlite_master where name not like 'sqlite_%' "
        "order by type,name",
        [&](const Row& row) {
            out << QStringList{row.textAt(0), row.textAt(1), row.textAt(2), row.textAt(3)}.join(
                u'|');
            return true;
        });
    return out;
}

void TestUpgrade::firstReleaseReadsAsVersionOne() {
    Database db;
    QVERIFY(db.open(fixture()));
    QCOMPARE(schema::versionOf(db), 1);
    QCOMPARE(db.count("select count(*) from base"), 40);
    QCOMPARE(db.count("select count(*) from comm"), 150);
}

void TestUpgrade::upgradeKeepsEveryRowAndACopy() {
    const QList<schema::Step> steps{
        {2, writeStep("002.sql", "alter table base add column base_test text default '';\n"
                                 "create index idx_test on base(base_test);")},
        {3, writeStep("003.sql", "insert into feast(feast_name,feast_month,feast_day) "
                                 "values('测试节','1','1');")}};
    Database db;
    QVERIFY(db.open(fixture()));
    const QString before = rowsOf(db);
    ScriptedPrompter prompter;
    DatabaseUpgrade upgrade(db, &prompter);
    QCOMPARE(upgrade.ensureCurrent(steps), DatabaseUpgrade::Outcome::Upgraded);
    // One progress window, from the copy to the last step, gone when it is done.
    QCOMPARE(prompter.progressRuns.size(), 1);
    const ScriptedPrompter::ProgressRun& run = *prompter.progressRuns.first();
    QVERIFY(run.finished);
    QVERIFY(run.positions.size() >= 4); // the copy, two steps, the statistics
    QVERIFY(std::is_sorted(run.positions.cbegin(), run.positions.cend()));
    QCOMPARE(run.positions.last(), run.upper);
    QCOMPARE(schema::versionOf(db), 3);
    QCOMPARE(db.count("select count(*) from base where base_test=''"), 40);
    QCOMPARE(db.count("select count(*) from feast where feast_name='测试节'"), 1);
    // The copy beside it is the old version, whole.
    QCOMPARE(upgrade.backupPath(), fixture() + ".v1.bak");
    Database copy;
    QVERIFY(copy.open(upgrade.backupPath()));
    QCOMPARE(schema::versionOf(copy), 1);
    QCOMPARE(rowsOf(copy), before);

    // Every row of old is there, beside the new column and row.
    QVERIFY(db.execute("delete from feast where feast_name='测试节'"));
    QCOMPARE(rowsOf(db, &copy), before);

    // A second opening finds nothing to do.
    QCOMPARE(DatabaseUpgrade(db).ensureCurrent(steps), DatabaseUpgrade::Outcome::Current);
}

void TestUpgrade::failedStepChangesNothing() {
    const QList<schema::Step> steps{
        {2, writeStep("002.sql", "alter table base add column base_test text;")},
        {3, writeStep("003.sql", "alter table nosuchtable add column x text;")}};
    Database db;
    QVERIFY(db.open(fixture()));
    const QString before = rowsOf(db);
    const QStringList schemaBefore = schemaOf(fixture());
    DatabaseUpgrade upgrade(db);
    QCOMPARE(upgrade.ensureCurrent(steps), DatabaseUpgrade::Outcome::Failed);
    QVERIFY2(upgrade.message().contains("nosuchtable"), qPrintable(upgrade.message()));
    QCOMPARE(schema::versionOf(db), 1);
    QCOMPARE(rowsOf(db), before);
    db.close();
    QCOMPARE(schemaOf(fixture()), schemaBefore);
}

void TestUpgrade::newerFileIsRefused() {
    {
        Database db;
        QVERIFY(db.open(fixture()));
        QVERIFY(db.execute("PRAGMA user_version=99"));
    }
    Database db;
    QVERIFY(db.open(fixture()));
    DatabaseUpgrade upgrade(db);
    QCOMPARE(upgrade.ensureCurrent(), DatabaseUpgrade::Outcome::Newer);
    QVERIFY(upgrade.message().contains("99"));
    QVERIFY(upgrade.message().contains(QString::number(schema::current())));
    QCOMPARE(schema::versionOf(db), 99);
    QVERIFY(!QFile::exists(fixture() + ".v99.bak"));
}

// Whatever steps the program has, an upgraded first-release file and a new
// file have the same tables, columns and indexes.
void TestUpgrade::upgradedFileEqualsANewOne() {
    {
        Database db;
        QVERIFY(db.open(fixture()));
        const DatabaseUpgrade::Outcome outcome = DatabaseUpgrade(db).ensureCurrent();
        QVERIFY(outcome == DatabaseUpgrade::Outcome::Upgraded ||
                outcome == DatabaseUpgrade::Outcome::Current);
        QCOMPARE(schema::versionOf(db), schema::current());
    }
    const QString fresh = home_->file("fresh.tdb");
    QString error;
    QVERIFY2(delivered::create(fresh, &error), qPrintable(error));
    {
        Database db;
        QVERIFY(db.open(fresh));
        QCOMPARE(schema::versionOf(db), schema::current());
    }
    QCOMPARE(schemaOf(fixture()), schemaOf(fresh));
}

// The program's own steps on a first-release file: the lunar festivals are
// added, the rows the user renamed or added stay as they were, a name the user
// already has is not added twice, and every birthday reads as Gregorian.
void TestUpgrade::lunarFestivalsArriveBesideTheUsersRows() {
    {
        Database db;
        QVERIFY(db.open(fixture()));
        QVERIFY(db.execute("update feast set feast_name='圣诞' where feast_name='圣诞节'"));
        QVERIFY(db.execute("insert into feast(feast_name,feast_month,feast_day) "
                           "values('中秋节','09','25')"));
        QVERIFY(db.execute("insert into feast(feast_name,feast_month,feast_day) "
                           "values('结婚纪念日','06','18')"));
    }
    Database db;
    QVERIFY(db.open(fixture()));
    QCOMPARE(DatabaseUpgrade(db).ensureCurrent(), DatabaseUpgrade::Outcome::Upgraded);
    QStringList rows;
    QVERIFY(db.query(
        "select feast_name,feast_month,feast_day,feast_lunar from feast "
        "order by feast_code",
        [&](const Row& row) {
            rows << QStringList{row.textAt(0), row.textAt(1), row.textAt(2), row.textAt(3)}.join(
                u'|');
            return true;
        }));
    const QStringList expected = {
        "元旦|01|01|0",       "情人节|02|14|0", "妇女节|03|08|0", "植树节|03|12|0",
        "愚人节|04|01|0",     "劳动节|05|01|0", "青年节|05|04|0", "儿童节|06|01|0",
        "建党节|07|01|0",     "建军节|08|01|0", "教师节|09|10|0", "国庆节|10|01|0",
        "万圣节|10|31|0",     "平安夜|12|24|0", "圣诞|12|25|0",   "中秋节|09|25|0",
        "结婚纪念日|06|18|0", "春节|01|01|1",   "元宵节|01|15|1", "端午节|05|05|1",
        "七夕|07|07|1",       "重阳节|09|09|1", "除夕|12|30|1"};
    QCOMPARE(rows, expected);

    // The start-up notice counts down to them: 除夕 of lunar 2026 is 2027-02-05
    // (春节 2027-02-06), 34 days after 2 January; the user's 中秋节 stays on 25 September.
    const QList<std::tuple<QDate, QString, int>> countdowns = {{QDate(2027, 1, 2), "除夕", 34},
                                                               {QDate(2027, 2, 5), "除夕", 0},
                                                               {QDate(2026, 12, 7), "平安夜", 17},
                                                               {QDate(2026, 9, 11), "中秋节", 14}};
    for (const auto& [today, name, days] : countdowns) {
        const FixedClock clock(QDateTime(today, QTime(9, 0)));
        const Festival next = FestivalCountdown(db, clock).next();
        QCOMPARE(next.name, name);
        QCOMPARE(next.days, days);
    }
    QCOMPARE(db.count("select count(*) from base where base_lunar<>0"), 0);
    QCOMPARE(db.count("select count(*) from home where home_lunar<>0 or home_child_lunar<>0"), 0);
    QCOMPARE(db.count("select count(*) from base"), 40);
}

QTEST_GUILESS_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
