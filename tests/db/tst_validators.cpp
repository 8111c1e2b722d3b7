// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DateForms.h"
#include "db/Days.h"
#include "db/Validators.h"
#include "support/FixedClock.h"

#include <QTest>

class TestValidators : public QObject {
    Q_OBJECT

  private slots:
    void validators_data();
    void validators();
    void validDay_data();
    void validDay();
    void daysBetween_data();
    void daysBetween();
    void dateForms();
};

void TestValidators::validators_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("name");
    QTest::addColumn<bool>("amount");
    QTest::addColumn<bool>("phone");
    QTest::addColumn<bool>("digits");
    QTest::newRow("empty") << "" << true << true << true << true;
    QTest::newRow("chinese with blank") << "张 三" << true << false << false << false;
    QTest::newRow("slash") << "a/b" << false << false << false << false;
    QTest::newRow("phone with slash") << "010/88" << false << false << true << false;
    QTest::newRow("comma") << "张,三" << false << false << false << false;
    QTest::newRow("vertical bar") << "a|b" << false << false << false << false;
    QTest::newRow("backslash") << "a\\b" << false << false << false << false;
    QTest::newRow("percent") << "50%" << false << false << false << false;
    QTest::newRow("quote is legal") << "O'Neil" << true << false << false << false;
    QTest::newRow("decimal point") << "12.50" << true << true << false << false;
    QTest::newRow("decimal comma") << "12,50" << false << false << false << false;
    QTest::newRow("digits") << "0123" << true << true << true << true;
    QTest::newRow("phone") << "(010) 8888-1234#2" << true << false << true << false;
    QTest::newRow("phone extras") << "*1_2/3\\4" << false << false << true << false;
    QTest::newRow("full-width digits") << "１２" << true << false << false << false;
    QTest::newRow("minus amount") << "-5" << true << false << true << false;
    QTest::newRow("two points") << "12.5.3" << true << false << false << false;
    QTest::newRow("international") << "+86 138-0000" << false << false << true << false;
    QTest::newRow("inner plus") << "86+138" << false << false << false << false;
    QTest::newRow("letters in mobile") << "abc138" << true << false << false << false;
    for (const char* c : {"?", ">", "<", "+", "=", "*", "&", "^", "!"})
        QTest::newRow(c) << QString::fromLatin1(c) << false << false << (QByteArray(c) == "*")
                         << false;
}

void TestValidators::validators() {
    QFETCH(QString, text);
    QFETCH(bool, name);
    QFETCH(bool, amount);
    QFETCH(bool, phone);
    QFETCH(bool, digits);
    QCOMPARE(validate::isLegalName(text), name);
    QCOMPARE(validate::isAmount(text), amount);
    QCOMPARE(validate::isPhone(text), phone);
    QCOMPARE(validate::isDigits(text), digits);
}

void TestValidators::validDay_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<bool>("valid");
    QTest::newRow("2012-2-29") << "2012"
                               << "2"
                               << "29" << true;
    QTest::newRow("2012-2-30") << "2012"
                               << "2"
                               << "30" << false;
    QTest::newRow("2011-2-29") << "2011"
                               << "2"
                               << "29" << false;
    QTest::newRow("2011-2-28") << "2011"
                               << "02"
                               << "28" << true;
    QTest::newRow("1900-2-29 divisible by 4") << "1900"
                                              << "2"
                                              << "29" << true;
    QTest::newRow("2000-2-29") << "2000"
                               << "2"
                               << "29" << true;
    QTest::newRow("April 31") << "2012"
                              << "4"
                              << "31" << false;
    QTest::newRow("June 31") << "2013"
                             << "06"
                             << "31" << false;
    QTest::newRow("September 31") << "2013"
                                  << "9"
                                  << "31" << false;
    QTest::newRow("November 31") << "2013"
                                 << "11"
                                 << "31" << false;
    QTest::newRow("April 30") << "2012"
                              << "4"
                              << "30" << true;
    QTest::newRow("May 31") << "2012"
                            << "5"
                            << "31" << true;
    QTest::newRow("no year, February 29") << ""
                                          << "2"
                                          << "29" << true;
    QTest::newRow("nothing chosen") << ""
                                    << ""
                                    << "" << true;
}

void TestValidators::validDay() {
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(bool, valid);
    QCOMPARE(validate::isValidDay(year, month, day), valid);
}

void TestValidators::daysBetween_data() {
    QTest::addColumn<QList<int>>("dates");
    QTest::addColumn<qint64>("days");
    QTest::newRow("same day") << QList<int>{2012, 5, 8, 2012, 5, 8} << qint64(0);
    QTest::newRow("first later") << QList<int>{2012, 5, 18, 2012, 5, 8} << qint64(10);
    QTest::newRow("first earlier") << QList<int>{2012, 5, 8, 2012, 5, 18} << qint64(-10);
    QTest::newRow("over leap February") << QList<int>{2012, 3, 1, 2012, 2, 28} << qint64(2);
    QTest::newRow("over common February") << QList<int>{2011, 3, 1, 2011, 2, 28} << qint64(1);
    QTest::newRow("1900 is no leap year") << QList<int>{1900, 3, 1, 1900, 2, 28} << qint64(1);
    QTest::newRow("2000 is a leap year") << QList<int>{2000, 3, 1, 2000, 2, 28} << qint64(2);
    QTest::newRow("a leap year") << QList<int>{2013, 1, 1, 2012, 1, 1} << qint64(366);
    QTest::newRow("a century with 2000") << QList<int>{2001, 1, 1, 1901, 1, 1} << qint64(36525);
    QTest::newRow("a century without 1900") << QList<int>{1901, 1, 1, 1801, 1, 1} << qint64(36524);
    QTest::newRow("day past month end") << QList<int>{2012, 4, 31, 2012, 5, 1} << qint64(0);
}

void TestValidators::daysBetween() {
    QFETCH(QList<int>, dates);
    QFETCH(qint64, days);
    QCOMPARE(dates::daysBetween(dates[0], dates[1], dates[2], dates[3], dates[4], dates[5]), days);
}

void TestValidators::dateForms() {
    FixedClock clock(QDateTime(QDate(2012, 5, 8), QTime(7, 3, 9)));
    QCOMPARE(dateforms::today(clock), QStringLiteral("2012-05-08"));
    QCOMPARE(dateforms::todaySlashed(clock), QStringLiteral("2012/05/08"));
    QCOMPARE(dateforms::now(clock), QStringLiteral("2012-05-08 07:03:09"));
    QCOMPARE(dateforms::dashed("2012", "5", "8"), QStringLiteral("2012-5-8"));
    QCOMPARE(dateforms::slashed("2012", "05", "8"), QStringLiteral("2012/05/8"));
    QCOMPARE(dateforms::clockTime("9", "05", "00"), QStringLiteral("9:05:00"));
    QCOMPARE(dateforms::listDate("2012", "5", "8"), QStringLiteral("2012- 5- 8"));
    QCOMPARE(dateforms::listDate("", "", ""), QStringLiteral("    -  -  "));
    QCOMPARE(dateforms::queryDate(2012, 5, 18), QStringLiteral("2012/ 5/18"));
    QCOMPARE(dateforms::shortTime("14", "30"), QStringLiteral("14:30"));
    QCOMPARE(dateforms::hourOnly("14"), QStringLiteral("14:00"));
}

QTEST_GUILESS_MAIN(TestValidators)
#include "tst_validators.moc"
