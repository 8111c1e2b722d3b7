// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "interactions/Score.h"
#include "interactions/ScoreQuery.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>
#include <QTimeZone>

class TestScore : public QObject {
    Q_OBJECT

  private slots:
    void levelText_data();
    void levelText();
    void loginRule_data();
    void loginRule();
    void userScoreCountsLiveContactsAndBonus();
    void sameDayTwiceChangesNothing();
    void scoreQueryFigures();
};

void TestScore::levelText_data() {
    QTest::addColumn<qint64>("score");
    QTest::addColumn<QString>("text");
    QTest::newRow("-1") << qint64(-1) << "级别是: 10 级! 人脉资源正在流失,请加快建设!";
    QTest::newRow("0") << qint64(0) << "从现在开始,管理人脉, 提升人脉等级 !";
    QTest::newRow("1") << qint64(1) << "级别是: 9 级! 离一下等级还差 99 分!";
    QTest::newRow("99") << qint64(99) << "级别是: 9 级! 离一下等级还差 1 分!";
    QTest::newRow("100") << qint64(100) << "级别是: 8 级! 离一下等级还差 100 分!";
    QTest::newRow("299") << qint64(299) << "级别是: 7 级! 离一下等级还差 1 分!";
    QTest::newRow("300") << qint64(300) << "级别是: 6 级! 离一下等级还差 200 分!";
    QTest::newRow("500 two blanks") << qint64(500) << "级别是: 5 级!  离一下等级还差 200 分!";
    QTest::newRow("999") << qint64(999) << "级别是: 4 级!  离一下等级还差 1 分!";
    QTest::newRow("1000") << qint64(1000) << "级别是: 3 级!  离一下等级还差 500 分!";
    QTest::newRow("2999") << qint64(2999) << "级别是: 2 级!  离一下等级还差 1 分!";
    QTest::newRow("3000") << qint64(3000) << "级别是: 1 级! 恭喜! 一定要保持!";
}

void TestScore::levelText() {
    QFETCH(qint64, score);
    QFETCH(QString, text);
    QCOMPARE(Score::levelText(score), text);
}

void TestScore::loginRule_data() {
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("message");
    QTest::addColumn<qint64>("gradeChange");
    const QDateTime now(QDate(2012, 5, 8), QTime(9, 0, 0));
    QTest::newRow("first login") << "" << now << "用户登录,等级分增加 10 分!" << qint64(10);
    QTest::newRow("same day") << "2012-05-08 08:00:00" << now << "维护人脉资源,走向成功!"
                              << qint64(0);
    QTest::newRow("23 hours") << "2012-05-07 10:00:00" << now << "维护人脉资源,走向成功!"
                              << qint64(0);
    QTest::newRow("one day") << "2012-05-07 09:00:00" << now << "用户登录,等级分增加 10 分!"
                             << qint64(10);
    QTest::newRow("two days") << "2012-05-06 09:00:00" << now << "长期不登录,等级分下降 5 分!"
                              << qint64(-5);
    QTest::newRow("three days") << "2012-05-05 08:00:00" << now << "长期不登录,等级分下降 10 分!"
                                << qint64(-10);
    QTest::newRow("seven days") << "2012-05-01 09:00:00" << now << "长期不登录,等级分下降 30 分!"
                                << qint64(-30);
    QTest::newRow("a year") << "2011-05-01 09:00:00" << now << "长期不登录,等级分下降 30 分!"
                            << qint64(-30);
    QTest::newRow("clock set back")
        << "2012-06-01 09:00:00" << now << "维护人脉资源,走向成功!" << qint64(0);
    QTest::newRow("30 hours") << "2012-05-07 03:00:00" << now << "用户登录,等级分增加 10 分!"
                              << qint64(10);
    QTest::newRow("50 hours") << "2012-05-06 07:00:00" << now << "长期不登录,等级分下降 5 分!"
                              << qint64(-5);
    QTest::newRow("10 days") << "2012-04-28 09:00:00" << now << "长期不登录,等级分下降 30 分!"
                             << qint64(-30);
    QTest::newRow("one second short of a day")
        << "2012-05-07 09:00:01" << now << "维护人脉资源,走向成功!" << qint64(0);
    // The night the clocks went forward has 23 hours; the wall clock counts a day.
    const QTimeZone berlin("Europe/Berlin");
    QTest::newRow("across the clock change")
        << "2012-03-25 00:30:00" << QDateTime(QDate(2012, 3, 26), QTime(0, 30), berlin)
        << "用户登录,等级分增加 10 分!" << qint64(10);
}

void TestScore::loginRule() {
    QFETCH(QString, previous);
    QFETCH(QDateTime, now);
    QFETCH(QString, message);
    QFETCH(qint64, gradeChange);
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute(sql::Statement(
        QStringLiteral("update userlogin set user_grade=100,user_lastlogin='%1' where user_code=1")
            .arg(previous))));
    FixedClock clock(now);
    Score score(db);
    QCOMPARE(score.applyLoginRule(1, clock), message);
    QCOMPARE(db.count("select user_grade from userlogin where user_code=1"), 100 + gradeChange);
    QString stamp;
    db.query("select user_lastlogin from userlogin where user_code=1", [&](const Row& row) {
        stamp = row.text("user_lastlogin");
        return false;
    });
    QCOMPARE(stamp, now.toString("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(prompter.messages.isEmpty());
}

void TestScore::userScoreCountsLiveContactsAndBonus() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    Score score(db);
    QCOMPARE(score.userScore(1), 0);
    const qint64 top = db.count("select max(sort_value) from sort");
    const qint64 topCode = db.count("select sort_code from sort order by sort_value desc");
    for (int flag : {1, 1, 0})
        QVERIFY(db.execute(sql::Statement(
            QStringLiteral("insert into base(base_name,base_sort_code,base_user_code,"
                           "base_invalid_flag) values('x',%1,1,%2)")
                .arg(topCode)
                .arg(flag))));
    QVERIFY(db.execute(
        sql::Statement(QStringLiteral("insert into base(base_name,base_sort_code,base_user_code,"
                                      "base_invalid_flag) values('y',%1,2,1)")
                           .arg(topCode))));
    QCOMPARE(score.userScore(1), 2 * top);
    QVERIFY(score.add(1, -7));
    QCOMPARE(score.userScore(1), 2 * top - 7);
    QCOMPARE(score.networkScore(""), 4 * top);
    QCOMPARE(Score::scoreText(15), QStringLiteral("我的人脉等级分是: 15 分 !"));
    QCOMPARE(Score::changeNotice(5), QStringLiteral("等级分增加 5 分!"));
    QCOMPARE(Score::changeNotice(-5), QStringLiteral("等级分减少 5 分!"));
}

void TestScore::sameDayTwiceChangesNothing() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute(sql::Statement(
        QStringLiteral("update userlogin set user_grade=40,user_lastlogin='2012-05-01 08:00:00' "
                       "where user_code=1"))));
    FixedClock clock(QDateTime(QDate(2012, 5, 8), QTime(8, 0)));
    Score score(db);
    QCOMPARE(score.applyLoginRule(1, clock), QStringLiteral("长期不登录,等级分下降 30 分!"));
    QCOMPARE(db.count("select user_grade from userlogin where user_code=1"), 10);
    clock.set(QDateTime(QDate(2012, 5, 8), QTime(23, 59, 59)));
    QCOMPARE(score.applyLoginRule(1, clock), QStringLiteral("维护人脉资源,走向成功!"));
    QCOMPARE(db.count("select user_grade from userlogin where user_code=1"), 10);
    QCOMPARE(score.userScore(1), 10);
}

void TestScore::scoreQueryFigures() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    auto run = [&](const QString& statement) { QVERIFY(db.execute(sql::Statement(statement))); };
    // admin (总经理办公室) keeps two live contacts of level value 10 and one in the
    // trash; bob (销售部) one of value 6; carol (销售部) none. Bonus points do not count.
    run("update userlogin set user_grade=500 where user_name='admin'");
    run("insert into sort(sort_name,sort_value,sort_frequence) values('十分',10,7),('六分',6,7)");
    run("insert into userlogin(user_name,user_dep_code,user_grade) values"
        "('bob',(select dep_code from dep where dep_name='销售部'),50),"
        "('carol',(select dep_code from dep where dep_name='销售部'),-20)");
    for (const char* contact : {"'甲',(select sort_code from sort where sort_name='十分'),1,1",
                                "'乙',(select sort_code from sort where sort_name='十分'),1,1",
                                "'丙',(select sort_code from sort where sort_name='十分'),0,1",
                                "'丁',(select sort_code from sort where sort_name='六分'),1,"
                                "(select user_code from userlogin where user_name='bob')"})
        run(QStringLiteral("insert into base(base_name,base_sort_code,base_invalid_flag,"
                           "base_user_code) values(%1)")
                .arg(QString::fromUtf8(contact)));
    run("update base set base_user_dep_code=(select user_dep_code from userlogin "
        "where user_code=base_user_code)");

    ScoreQuery query(db);
    const auto users = query.users();
    QStringList shown;
    for (const auto& row : users)
        shown << QStringLiteral("%1|%2|%3").arg(row.name).arg(row.score).arg(row.department);
    QCOMPARE(shown, (QStringList{"admin|20|总经理办公室", "bob|6|销售部", "carol|0|销售部"}));
    QCOMPARE(ScoreQuery::total(users), QStringLiteral("26"));
    QCOMPARE(ScoreQuery::average(users), QStringLiteral("8.67"));
    QCOMPARE(ScoreQuery::title(users.size()), QStringLiteral("等级分查询--目前共有人数： 3"));
    QCOMPARE(ScoreQuery::average({}), QStringLiteral("0.00"));

    QHash<QString, QString> departments;
    for (const auto& row : query.departments())
        departments.insert(row.name, QStringLiteral("%1|%2").arg(row.score).arg(row.average));
    const QHash<QString, QString> expected{{"总经理办公室", "20|20.00"},
                                           {"销售部", "6|3.00"},
                                           {"市场部", "0|0.00"},
                                           {"行政部", "0|0.00"},
                                           {"财务部", "0|0.00"}};
    QCOMPARE(departments, expected);
    QVERIFY(prompter.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestScore)
#include "tst_score.moc"
