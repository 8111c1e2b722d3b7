// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/LunarCalendar.h"
#include "db/Statement.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>

namespace {

// 正月初一 of every lunar year from 1901 to 2100, as the Hong Kong Observatory's
// Gregorian-Lunar Calendar Conversion Tables give it. The list was written out
// from an astronomical computation independent of this program's table
// (lunar-javascript 1.7.7), which matches the Observatory's tables on every
// one of these days, and read against ICU 72, which puts three of them a day
// away (1954-02-04, 2027-02-07 and 2030-02-02: new moons close to midnight).
const char* const kSpringFestivals[] = {
    "1901-02-19", "1902-02-08", "1903-01-29", "1904-02-16", "1905-02-04", "1906-01-25",
    "1907-02-13", "1908-02-02", "1909-01-22", "1910-02-10", "1911-01-30", "1912-02-18",
    "1913-02-06", "1914-01-26", "1915-02-14", "1916-02-03", "1917-01-23", "1918-02-11",
    "1919-02-01", "1920-02-20", "1921-02-08", "1922-01-28", "1923-02-16", "1924-02-05",
    "1925-01-24", "1926-02-13", "1927-02-02", "1928-01-23", "1929-02-10", "1930-01-30",
    "1931-02-17", "1932-02-06", "1933-01-26", "1934-02-14", "1935-02-04", "1936-01-24",
    "1937-02-11", "1938-01-31", "1939-02-19", "1940-02-08", "1941-01-27", "1942-02-15",
    "1943-02-05", "1944-01-25", "1945-02-13", "1946-02-02", "1947-01-22", "1948-02-10",
    "1949-01-29", "1950-02-17", "1951-02-06", "1952-01-27", "1953-02-14", "1954-02-03",
    "1955-01-24", "1956-02-12", "1957-01-31", "1958-02-18", "1959-02-08", "1960-01-28",
    "1961-02-15", "1962-02-05", "1963-01-25", "1964-02-13", "1965-02-02", "1966-01-21",
    "1967-02-09", "1968-01-30", "1969-02-17", "1970-02-06", "1971-01-27", "1972-02-15",
    "1973-02-03", "1974-01-23", "1975-02-11", "1976-01-31", "1977-02-18", "1978-02-07",
    "1979-01-28", "1980-02-16", "1981-02-05", "1982-01-25", "1983-02-13", "1984-02-02",
    "1985-02-20", "1986-02-09", "1987-01-29", "1988-02-17", "1989-02-06", "1990-01-27",
    "1991-02-15", "1992-02-04", "1993-01-23", "1994-02-10", "1995-01-31", "1996-02-19",
    "1997-02-07", "1998-01-28", "1999-02-16", "2000-02-05", "2001-01-24", "2002-02-12",
    "2003-02-01", "2004-01-22", "2005-02-09", "2006-01-29", "2007-02-18", "2008-02-07",
    "2009-01-26", "2010-02-14", "2011-02-03", "2012-01-23", "2013-02-10", "2014-01-31",
    "2015-02-19", "2016-02-08", "2017-01-28", "2018-02-16", "2019-02-05", "2020-01-25",
    "2021-02-12", "2022-02-01", "2023-01-22", "2024-02-10", "2025-01-29", "2026-02-17",
    "2027-02-06", "2028-01-26", "2029-02-13", "2030-02-03", "2031-01-23", "2032-02-11",
    "2033-01-31", "2034-02-19", "2035-02-08", "2036-01-28", "2037-02-15", "2038-02-04",
    "2039-01-24", "2040-02-12", "2041-02-01", "2042-01-22", "2043-02-10", "2044-01-30",
    "2045-02-17", "2046-02-06", "2047-01-26", "2048-02-14", "2049-02-02", "2050-01-23",
    "2051-02-11", "2052-02-01", "2053-02-19", "2054-02-08", "2055-01-28", "2056-02-15",
    "2057-02-04", "2058-01-24", "2059-02-12", "2060-02-02", "2061-01-21", "2062-02-09",
    "2063-01-29", "2064-02-17", "2065-02-05", "2066-01-26", "2067-02-14", "2068-02-03",
    "2069-01-23", "2070-02-11", "2071-01-31", "2072-02-19", "2073-02-07", "2074-01-27",
    "2075-02-15", "2076-02-05", "2077-01-24", "2078-02-12", "2079-02-02", "2080-01-22",
    "2081-02-09", "2082-01-29", "2083-02-17", "2084-02-06", "2085-01-26", "2086-02-14",
    "2087-02-03", "2088-01-24", "2089-02-10", "2090-01-30", "2091-02-18", "2092-02-07",
    "2093-01-27", "2094-02-15", "2095-02-05", "2096-01-25", "2097-02-12", "2098-02-01",
    "2099-01-21", "2100-02-09",
};

} // namespace

class TestLunarCalendar : public QObject {
    Q_OBJECT

  private slots:
    void springFestivals_data();
    void springFestivals();
    void leapMonths_data();
    void leapMonths();
    void yearNames_data();
    void yearNames();
    void dayAndMonthNames();
    void todayText_data();
    void todayText();
    void kept_data();
    void kept();
    void outsideTheTable();
    void sqlFunction_data();
    void sqlFunction();
};

void TestLunarCalendar::springFestivals_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("festival");
    for (int i = 0; i < 200; ++i) {
        const QDate date = QDate::fromString(QLatin1String(kSpringFestivals[i]), Qt::ISODate);
        QTest::addRow("%d", 1901 + i) << 1901 + i << date;
    }
}

// The day itself is 正月初一, the day before is the last of the old year's
// twelfth month (29 or 30), in both directions of the conversion.
void TestLunarCalendar::springFestivals() {
    QFETCH(int, year);
    QFETCH(QDate, festival);
    QVERIFY(festival.isValid());
    QCOMPARE(festival.year(), year);
    QCOMPARE(lunar::fromSolar(festival), (lunar::Date{year, 1, false, 1}));
    QCOMPARE(lunar::toSolar(year, 1, false, 1), festival);
    const lunar::Date eve = lunar::fromSolar(festival.addDays(-1));
    QCOMPARE(eve.year, year - 1);
    QCOMPARE(eve.month, 12);
    QVERIFY(!eve.leap);
    QCOMPARE(eve.day, lunar::monthLength(year - 1, 12, false));
    QVERIFY(eve.day == 29 || eve.day == 30);
    // 除夕 is the twelfth month's last day, whether that is its 29th or 30th.
    QCOMPARE(lunar::anniversary(year - 1, 12, false, 30), festival.addDays(-1));
}

void TestLunarCalendar::leapMonths_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QDate>("first"); // 初一 of the leap month
    QTest::addColumn<int>("length");
    QTest::newRow("1903 闰五月") << 1903 << 5 << QDate(1903, 6, 25) << 29;
    QTest::newRow("1917 闰二月") << 1917 << 2 << QDate(1917, 3, 23) << 29;
    QTest::newRow("1933 闰五月") << 1933 << 5 << QDate(1933, 6, 23) << 30;
    QTest::newRow("1957 闰八月") << 1957 << 8 << QDate(1957, 9, 24) << 29;
    QTest::newRow("1984 闰十月") << 1984 << 10 << QDate(1984, 11, 23) << 29;
    QTest::newRow("1987 闰六月") << 1987 << 6 << QDate(1987, 7, 26) << 29;
    QTest::newRow("1995 闰八月") << 1995 << 8 << QDate(1995, 9, 25) << 29;
    QTest::newRow("2001 闰四月") << 2001 << 4 << QDate(2001, 5, 23) << 29;
    QTest::newRow("2004 闰二月") << 2004 << 2 << QDate(2004, 3, 21) << 29;
    QTest::newRow("2006 闰七月") << 2006 << 7 << QDate(2006, 8, 24) << 29;
    QTest::newRow("2009 闰五月") << 2009 << 5 << QDate(2009, 6, 23) << 29;
    QTest::newRow("2012 闰四月") << 2012 << 4 << QDate(2012, 5, 21) << 29;
    QTest::newRow("2014 闰九月") << 2014 << 9 << QDate(2014, 10, 24) << 29;
    QTest::newRow("2017 闰六月") << 2017 << 6 << QDate(2017, 7, 23) << 30;
    QTest::newRow("2020 闰四月") << 2020 << 4 << QDate(2020, 5, 23) << 29;
    QTest::newRow("2023 闰二月") << 2023 << 2 << QDate(2023, 3, 22) << 29;
    QTest::newRow("2025 闰六月") << 2025 << 6 << QDate(2025, 7, 25) << 29;
    QTest::newRow("2028 闰五月") << 2028 << 5 << QDate(2028, 6, 23) << 29;
    QTest::newRow("2033 闰冬月") << 2033 << 11 << QDate(2033, 12, 22) << 29;
    QTest::newRow("2052 闰八月") << 2052 << 8 << QDate(2052, 9, 23) << 29;
    QTest::newRow("2061 闰三月") << 2061 << 3 << QDate(2061, 4, 20) << 29;
    QTest::newRow("2099 闰二月") << 2099 << 2 << QDate(2099, 3, 22) << 29;
    QTest::newRow("2024 none") << 2024 << 0 << QDate() << 0;
    QTest::newRow("2026 none") << 2026 << 0 << QDate() << 0;
    QTest::newRow("2027 none") << 2027 << 0 << QDate() << 0;
}

void TestLunarCalendar::leapMonths() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QDate, first);
    QFETCH(int, length);
    QCOMPARE(lunar::leapMonth(year), month);
    if (month == 0) {
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(lunar::monthLength(year, m, true), 0);
        return;
    }
    QCOMPARE(lunar::toSolar(year, month, true, 1), first);
    QCOMPARE(lunar::fromSolar(first), (lunar::Date{year, month, true, 1}));
    QCOMPARE(lunar::monthLength(year, month, true), length);
    // The leap month follows its ordinary month and precedes the next one.
    QCOMPARE(lunar::fromSolar(first.addDays(-1)).leap, false);
    QCOMPARE(lunar::fromSolar(first.addDays(-1)).month, month);
    QCOMPARE(lunar::fromSolar(first.addDays(length)),
             (lunar::Date{year + (month == 12), month % 12 + 1, false, 1}));
    QVERIFY(!lunar::toSolar(year, month, true, length + 1).isValid());
    QCOMPARE(lunar::monthName(month, true), QStringLiteral("闰") + lunar::monthName(month));
}

void TestLunarCalendar::yearNames_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("animal");
    QTest::newRow("1901") << 1901 << "辛丑"
                          << "牛";
    QTest::newRow("1924") << 1924 << "甲子"
                          << "鼠";
    QTest::newRow("1949") << 1949 << "己丑"
                          << "牛";
    QTest::newRow("1984") << 1984 << "甲子"
                          << "鼠";
    QTest::newRow("2000") << 2000 << "庚辰"
                          << "龙";
    QTest::newRow("2025") << 2025 << "乙巳"
                          << "蛇";
    QTest::newRow("2026") << 2026 << "丙午"
                          << "马";
    QTest::newRow("2027") << 2027 << "丁未"
                          << "羊";
    QTest::newRow("2100") << 2100 << "庚申"
                          << "猴";
}

void TestLunarCalendar::yearNames() {
    QFETCH(int, year);
    QFETCH(QString, name);
    QFETCH(QString, animal);
    QCOMPARE(lunar::yearName(year), name);
    QCOMPARE(lunar::zodiac(year), animal);
}

void TestLunarCalendar::dayAndMonthNames() {
    const QStringList days = {"初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八",
                              "初九", "初十", "十一", "十二", "十三", "十四", "十五", "十六",
                              "十七", "十八", "十九", "二十", "廿一", "廿二", "廿三", "廿四",
                              "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};
    for (int d = 1; d <= 30; ++d)
        QCOMPARE(lunar::dayName(d), days.at(d - 1));
    QVERIFY(lunar::dayName(0).isEmpty());
    QVERIFY(lunar::dayName(31).isEmpty());
    const QStringList months = {"正月", "二月", "三月", "四月", "五月", "六月",
                                "七月", "八月", "九月", "十月", "冬月", "腊月"};
    for (int m = 1; m <= 12; ++m)
        QCOMPARE(lunar::monthName(m), months.at(m - 1));
    QVERIFY(lunar::monthName(13).isEmpty());
}

void TestLunarCalendar::todayText_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("the status bar's example") << QDate(2026, 12, 7) << "丙午年 十月廿九";
    QTest::newRow("new year's eve 2027") << QDate(2027, 2, 5) << "丙午年 腊月廿九";
    QTest::newRow("spring festival 2027") << QDate(2027, 2, 6) << "丁未年 正月初一";
    QTest::newRow("mid-autumn 2026") << QDate(2026, 9, 25) << "丙午年 八月十五";
    QTest::newRow("in a leap month") << QDate(2025, 8, 1) << "乙巳年 闰六月初八";
    QTest::newRow("before the spring festival") << QDate(2026, 1, 1) << "乙巳年 冬月十三";
    QTest::newRow("1900-01-31") << QDate(1900, 1, 31) << "庚子年 正月初一";
    QTest::newRow("2100-12-31") << QDate(2100, 12, 31) << "庚申年 腊月初一";
}

void TestLunarCalendar::todayText() {
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(lunar::text(date), text);
}

// The days a lunar date is kept in a Gregorian year.
void TestLunarCalendar::kept_data() {
    QTest::addColumn<int>("solarYear");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("leap");
    QTest::addColumn<int>("day");
    QTest::addColumn<QList<QDate>>("days");
    QTest::newRow("中秋 2026") << 2026 << 8 << false << 15 << QList<QDate>{QDate(2026, 9, 25)};
    QTest::newRow("中秋 2027") << 2027 << 8 << false << 15 << QList<QDate>{QDate(2027, 9, 15)};
    // Lunar 2026 has a twelfth month of 29 days: 三十 falls on 廿九.
    QTest::newRow("腊月三十 in 2027")
        << 2027 << 12 << false << 30 << QList<QDate>{QDate(2027, 2, 5)};
    QTest::newRow("腊月初一 twice in 2027")
        << 2027 << 12 << false << 1 << QList<QDate>{QDate(2027, 1, 8), QDate(2027, 12, 28)};
    // Born in 闰六月: kept in the leap month in 2025, in 六月 in a year without one.
    QTest::newRow("闰六月初八 in 2025")
        << 2025 << 6 << true << 8 << QList<QDate>{QDate(2025, 8, 1)};
    QTest::newRow("闰六月初八 in 2026")
        << 2026 << 6 << true << 8 << QList<QDate>{QDate(2026, 7, 21)};
    QTest::newRow("六月初八 in 2025") << 2025 << 6 << false << 8 << QList<QDate>{QDate(2025, 7, 2)};
    // 2023 has 闰二月 (22 March); its ordinary 二月 has 30 days, the leap one 29.
    QTest::newRow("闰二月三十 in 2023")
        << 2023 << 2 << true << 30 << QList<QDate>{QDate(2023, 4, 19)};
    QTest::newRow("no month 13") << 2026 << 13 << false << 1 << QList<QDate>{};
    QTest::newRow("no day 31") << 2026 << 1 << false << 31 << QList<QDate>{};
}

void TestLunarCalendar::kept() {
    QFETCH(int, solarYear);
    QFETCH(int, month);
    QFETCH(bool, leap);
    QFETCH(int, day);
    QFETCH(QList<QDate>, days);
    QCOMPARE(lunar::anniversariesIn(solarYear, month, leap, day), days);
    for (int m = 1; m <= 12; ++m) {
        int expected = 0;
        for (const QDate& d : days)
            if (d.month() == m)
                expected = d.day();
        QCOMPARE(lunar::anniversaryDay(solarYear, m, month, leap, day), expected);
    }
}

void TestLunarCalendar::outsideTheTable() {
    QVERIFY(!lunar::fromSolar(QDate(1900, 1, 30)).isValid());
    QVERIFY(lunar::fromSolar(QDate(1900, 1, 31)).isValid());
    QVERIFY(!lunar::fromSolar(QDate(2101, 1, 29)).isValid());
    QVERIFY(!lunar::fromSolar(QDate()).isValid());
    QVERIFY(!lunar::toSolar(1899, 1, false, 1).isValid());
    QVERIFY(!lunar::toSolar(2101, 1, false, 1).isValid());
    QVERIFY(lunar::text(QDate(1899, 12, 31)).isEmpty());
    // Lunar 2100's twelfth month ends in Gregorian 2101: kept, but not past the table.
    QVERIFY(lunar::anniversariesIn(2102, 1, false, 1).isEmpty());
}

void TestLunarCalendar::sqlFunction_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<qint64>("day");
    QTest::newRow("中秋 in September 2026") << "lunarday(1,'08','15',2026,9)" << qint64(25);
    QTest::newRow("not in August") << "lunarday(1,'08','15',2026,8)" << qint64(0);
    QTest::newRow("numbers as text") << "lunarday('1','8','15','2027','9')" << qint64(15);
    QTest::newRow("leap month kept in its year") << "lunarday(2,'06','08',2025,8)" << qint64(1);
    QTest::newRow("not a lunar flag") << "lunarday(0,'08','15',2026,9)" << qint64(0);
    QTest::newRow("empty parts") << "lunarday(1,'','',2026,9)" << qint64(0);
    QTest::newRow("null parts") << "lunarday(1,null,null,2026,9)" << qint64(0);
}

void TestLunarCalendar::sqlFunction() {
    QFETCH(QString, call);
    QFETCH(qint64, day);
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    qint64 result = -1;
    QVERIFY(db.query(sql::Statement(QStringLiteral("select ") + call), [&](const Row& row) {
        result = row.numberAt(0, -1);
        return false;
    }));
    QCOMPARE(result, day);
}

QTEST_GUILESS_MAIN(TestLunarCalendar)
#include "tst_lunarcalendar.moc"
