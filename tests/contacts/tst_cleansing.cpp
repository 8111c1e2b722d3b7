// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"
#include "contacts/Cleansing.h"
#include "contacts/ValidityPeriod.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "quickfind/FindKeys.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

const QDate kToday(2012, 5, 8);

} // namespace

class TestCleansing : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void whoGoes_data();
    void whoGoes();
    void answeredNoChangesNothing();
    void questionAndProgress();
    void anImpossibleDateRollsEverythingBack();
    void killedBeforeTheCommitMovesNobody();
    void periodOfTheSetting_data();
    void periodOfTheSetting();
    void periodDialogRules_data();
    void periodDialogRules();

  private:
    // A contact and its interactions as "year|month|day" or "year|month|day|comm_date".
    qint64 contact(int live, const QStringList& interactions);
    int flag(qint64 code);
    // The find box's row of a contact: its findkey_code, then its keys.
    QStringList findKeys(qint64 code);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    FixedClock clock_{QDateTime(kToday, QTime(9, 0))};
};

void TestCleansing::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestCleansing::cleanup() {
    db_.reset();
    prompter_.reset();
    home_.reset();
}

qint64 TestCleansing::contact(int live, const QStringList& interactions) {
    db_->execute(sql::format("insert into base(base_name,base_invalid_flag) values('某人',%ld)",
                             qint64(live)));
    const qint64 code = db_->count("select max(base_code) from base");
    for (const QString& entry : interactions) {
        const QStringList p = entry.split(u'|');
        const QDate date(p[0].toInt(), p[1].toInt(), p[2].toInt());
        const QString stored = p.size() > 3 ? p[3] : date.toString(Qt::ISODate);
        db_->execute(sql::format("insert into comm(comm_base_code,comm_year,comm_month,comm_day,"
                                 "comm_date) values(%ld,'%s','%s','%s','%s')",
                                 code, p[0], p[1], p[2], stored));
    }
    return code;
}

int TestCleansing::flag(qint64 code) {
    int value = -1;
    db_->query(sql::format("select base_invalid_flag from base where base_code=%ld", code),
               [&](const Row& r) {
                   value = int(r.numberAt(0));
                   return false;
               });
    return value;
}

QStringList TestCleansing::findKeys(qint64 code) {
    QStringList keys;
    db_->query(sql::format("select findkey_code,findkey_name,findkey_unit,findkey_branch,"
                           "findkey_digits from findkey where findkey_base_code=%ld",
                           code),
               [&](const Row& r) {
                   for (int c = 0; c < r.columnCount(); ++c)
                       keys << r.textAt(c, QStringLiteral("<null>"));
                   return false;
               });
    return keys;
}

void TestCleansing::whoGoes_data() {
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("live");
    QTest::addColumn<QStringList>("interactions");
    QTest::addColumn<int>("flagAfter");

    QTest::newRow("period 0, seen today: stays") << 0 << 1 << QStringList{"2012|05|08"} << 1;
    QTest::newRow("period 0, seen yesterday: goes") << 0 << 1 << QStringList{"2012|05|07"} << 0;
    QTest::newRow("never seen, period 0: goes") << 0 << 1 << QStringList{} << 0;
    QTest::newRow("never seen, period 9999: goes") << 9999 << 1 << QStringList{} << 0;
    QTest::newRow("exactly the period ago: stays") << 30 << 1 << QStringList{"2012|04|08"} << 1;
    QTest::newRow("a day more: goes") << 30 << 1 << QStringList{"2012|04|07"} << 0;
    QTest::newRow("a meeting still to come: stays") << 0 << 1 << QStringList{"2012|06|01"} << 1;
    QTest::newRow("an old and a recent one: stays")
        << 30 << 1 << QStringList{"2011|01|01", "2012|05|01"} << 1;
    QTest::newRow("the recent one dated earlier in comm_date: goes")
        << 30 << 1 << QStringList{"2011|01|01", "2012|05|01|2010-01-01"} << 0;
    QTest::newRow("two days ago, period 2: stays") << 2 << 1 << QStringList{"2012|05|06"} << 1;
    QTest::newRow("in the trash, recently seen: stays in the trash")
        << 30 << 0 << QStringList{"2012|05|01"} << 0;
    QTest::newRow("in the trash, long gone: stays in the trash")
        << 30 << 0 << QStringList{"2010|05|01"} << 0;
}

void TestCleansing::whoGoes() {
    QFETCH(int, days);
    QFETCH(int, live);
    QFETCH(QStringList, interactions);
    QFETCH(int, flagAfter);
    // A bystander seen today is never moved.
    const qint64 kept = contact(1, {"2012|05|08"});
    const qint64 who = contact(live, interactions);
    QCOMPARE(quickfind::findkeys::fillMissing(*db_), 2);
    const QStringList keysBefore = findKeys(who), keptKeys = findKeys(kept);
    Cleansing cleansing(*db_, *prompter_, clock_);
    QVERIFY(cleansing.run(days));
    QCOMPARE(flag(who), flagAfter);
    QCOMPARE(flag(kept), 1);
    QVERIFY(prompter_->messages.isEmpty());
    // The same keys; a contact moved has them in a new row, which the find box reads again.
    const QStringList keysAfter = findKeys(who);
    QCOMPARE(keysAfter.mid(1), keysBefore.mid(1));
    QCOMPARE(keysAfter.first().toLongLong() > keysBefore.first().toLongLong(), live != flagAfter);
    QCOMPARE(findKeys(kept), keptKeys);
}

void TestCleansing::answeredNoChangesNothing() {
    const qint64 a = contact(1, {});
    prompter_->answer(false);
    Cleansing cleansing(*db_, *prompter_, clock_);
    QVERIFY(!cleansing.confirm(60));
    QCOMPARE(flag(a), 1);
}

void TestCleansing::questionAndProgress() {
    contact(1, {"2012|05|08", "2012|01|01", "2011|01|01"});
    contact(1, {"2012|05|01"});
    Cleansing cleansing(*db_, *prompter_, clock_);
    QVERIFY(cleansing.confirm(45));
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("确认"));
    QCOMPARE(
        prompter_->messages[0].text,
        QStringLiteral("系统自动将 45 天内无往来记录的人脉资料移入垃圾箱,\r\n\r\n如果人脉资料数量"
                       "减少,可到垃圾箱中寻找!\r\n\r\n确定要对资料进行清洗吗?"));
    QVERIFY(cleansing.run(45));
    QCOMPARE(prompter_->progressRuns.size(), 1);
    const auto& run = *prompter_->progressRuns[0];
    QCOMPARE(run.upper, 4); // the interactions counted
    QCOMPARE(run.positions.last(), 4);
    QVERIFY(run.finished);
}

void TestCleansing::anImpossibleDateRollsEverythingBack() {
    const qint64 never = contact(1, {});
    const qint64 old = contact(1, {"2010|01|01"});
    const qint64 broken = contact(1, {"2012|02|30|2012-03-01"});
    Cleansing cleansing(*db_, *prompter_, clock_);
    QVERIFY(!cleansing.run(30));
    // Nobody moved: not even the contact without interactions, moved first.
    QCOMPARE(flag(never), 1);
    QCOMPARE(flag(old), 1);
    QCOMPARE(flag(broken), 1);
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QVERIFY2(prompter_->messages[0].text.contains(QStringLiteral("2012/02/30")),
             qPrintable(prompter_->messages[0].text));
    QVERIFY(prompter_->progressRuns.last()->finished);
    QVERIFY(!db_->inTransaction());
    // An older impossible date is never read: only the newest counts.
    QVERIFY(db_->execute("update comm set comm_day='28',comm_date='2012-02-28' where "
                         "comm_day='30'"));
    contact(1, {"2012|05|08", "2011|02|30|2011-03-02"});
    prompter_->clear();
    QVERIFY(cleansing.run(30));
    QCOMPARE(flag(never), 0);
    QCOMPARE(flag(old), 0);
    QVERIFY(prompter_->messages.isEmpty());
}

// The cleansing runs in a child process that kills itself after the last
// update, before the commit; the file then shows nobody moved. The same child
// left to finish moves them, so the check can tell.
void TestCleansing::killedBeforeTheCommitMovesNobody() {
    for (int n = 0; n < 50; ++n)
        contact(1, {n % 2 ? "2010|01|01" : "2012|05|08"});
    contact(1, {});
    db_->close();
    const QString victim = QCoreApplication::applicationDirPath() + "/cleansing_victim";
    auto runVictim = [&](bool die) {
        QProcess process;
        QStringList args{home_->databasePath(), "30", kToday.toString(Qt::ISODate)};
        if (die)
            args << "--die";
        process.start(victim, args);
        if (!process.waitForFinished(30000))
            return QString("timeout");
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed() + "|" +
               (process.exitStatus() == QProcess::CrashExit ? "crashed" : "exited");
    };
    QCOMPARE(runVictim(true), QStringLiteral("before commit|crashed"));
    QVERIFY(db_->open(home_->databasePath()));
    QCOMPARE(db_->count("select count(*) from base where base_invalid_flag=0"), 0);
    db_->close();
    QCOMPARE(runVictim(false), QStringLiteral("|exited"));
    QVERIFY(db_->open(home_->databasePath()));
    QCOMPARE(db_->count("select count(*) from base where base_invalid_flag=0"), 26);
}

void TestCleansing::periodOfTheSetting_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("days");
    QTest::newRow("digits") << "60" << 60;
    QTest::newRow("leading digits") << "12天" << 12;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("a letter first") << "x30" << 0;
    QTest::newRow("a sign") << "-5" << 0;
    QTest::newRow("zero") << "0" << 0;
}

void TestCleansing::periodOfTheSetting() {
    QFETCH(QString, setting);
    QTEST(Cleansing::periodOf(setting), "days");
}

void TestCleansing::periodDialogRules_data() {
    QTest::addColumn<QString>("stored"); // the Day line of mavor.ini
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("storedAfter");
    using V = ValidityPeriod::Verdict;
    QTest::newRow("plain") << "Day=45"
                           << "45"
                           << "90" << int(V::Saved) << "90";
    QTest::newRow("30 and a blank opens as 30") << "Day=30 "
                                                << "30"
                                                << "7" << int(V::Saved) << "7";
    QTest::newRow("a letter opens as 30") << "Day=3a"
                                          << "30"
                                          << "3a" << int(V::NotDigits) << "3a";
    QTest::newRow("empty opens as 30, empty refused") << "Day="
                                                      << "30"
                                                      << "" << int(V::Empty) << "";
    QTest::newRow("no key opens as 30") << ""
                                        << "30"
                                        << "0" << int(V::Saved) << "0";
}

void TestCleansing::periodDialogRules() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(int, verdict);
    QFile file(home_->settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(("[Settings]\r\nUserName=\r\n" + stored + "\r\n").toUtf8());
    file.close();
    Settings settings(home_->settingsPath());
    ValidityPeriod period(settings);
    QTEST(period.shown(), "shown");
    QCOMPARE(int(period.save(typed)), verdict);
    QTEST(Settings(home_->settingsPath()).value("Day"), "storedAfter");
}

QTEST_GUILESS_MAIN(TestCleansing)
#include "tst_cleansing.moc"
