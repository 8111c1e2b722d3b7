// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/LunarCalendar.h"

#include <QVector>
#include <array>

namespace lunar {

namespace {

// One word per lunar year from 1900 to 2100, in the layout that has been used
// for this table since the 1990s: bits 15..4 say whether months 1..12 have 30
// days (set) or 29, bits 3..0 name the leap month (0: none) and bit 16 says
// whether the leap month has 30 days. Lunar year 1900 begins on 1900-01-31.
//
// Source: the Hong Kong Observatory's Gregorian-Lunar Calendar Conversion
// Tables 1901-2100, which follow the Purple Mountain Observatory's almanac.
// Two words differ from copies of the table found elsewhere: 2057 (九月初一 on
// 28 September) and 2097 (七月初一 on 7 August), both new moons within a minute
// of midnight for which the Observatory's tables give those days.
constexpr std::array<quint32, kLastYear - kFirstYear + 1> kYears = {
    0x04bd8, 0x04ae0, 0x0a570, 0x054d5, 0x0d260,
    0x0d950, 0x16554, 0x056a0, 0x09ad0, 0x055d2, // 1900
    0x04ae0, 0x0a5b6, 0x0a4d0, 0x0d250, 0x1d255,
    0x0b540, 0x0d6a0, 0x0ada2, 0x095b0, 0x14977, // 1910
    0x04970, 0x0a4b0, 0x0b4b5, 0x06a50, 0x06d40,
    0x1ab54, 0x02b60, 0x09570, 0x052f2, 0x04970, // 1920
    0x06566, 0x0d4a0, 0x0ea50, 0x16a95, 0x05ad0,
    0x02b60, 0x186e3, 0x092e0, 0x1c8d7, 0x0c950, // 1930
    0x0d4a0, 0x1d8a6, 0x0b550, 0x056a0, 0x1a5b4,
    0x025d0, 0x092d0, 0x0d2b2, 0x0a950, 0x0b557, // 1940
    0x06ca0, 0x0b550, 0x15355, 0x04da0, 0x0a5b0,
    0x14573, 0x052b0, 0x0a9a8, 0x0e950, 0x06aa0, // 1950
    0x0aea6, 0x0ab50, 0x04b60, 0x0aae4, 0x0a570,
    0x05260, 0x0f263, 0x0d950, 0x05b57, 0x056a0, // 1960
    0x096d0, 0x04dd5, 0x04ad0, 0x0a4d0, 0x0d4d4,
    0x0d250, 0x0d558, 0x0b540, 0x0b6a0, 0x195a6, // 1970
    0x095b0, 0x049b0, 0x0a974, 0x0a4b0, 0x0b27a,
    0x06a50, 0x06d40, 0x0af46, 0x0ab60, 0x09570, // 1980
    0x04af5, 0x04970, 0x064b0, 0x074a3, 0x0ea50,
    0x06b58, 0x05ac0, 0x0ab60, 0x096d5, 0x092e0, // 1990
    0x0c960, 0x0d954, 0x0d4a0, 0x0da50, 0x07552,
    0x056a0, 0x0abb7, 0x025d0, 0x092d0, 0x0cab5, // 2000
    0x0a950, 0x0b4a0, 0x0baa4, 0x0ad50, 0x055d9,
    0x04ba0, 0x0a5b0, 0x15176, 0x052b0, 0x0a930, // 2010
    0x07954, 0x06aa0, 0x0ad50, 0x05b52, 0x04b60,
    0x0a6e6, 0x0a4e0, 0x0d260, 0x0ea65, 0x0d530, // 2020
    0x05aa0, 0x076a3, 0x096d0, 0x04afb, 0x04ad0,
    0x0a4d0, 0x1d0b6, 0x0d250, 0x0d520, 0x0dd45, // 2030
    0x0b5a0, 0x056d0, 0x055b2, 0x049b0, 0x0a577,
    0x0a4b0, 0x0aa50, 0x1b255, 0x06d20, 0x0ada0, // 2040
    0x14b63, 0x09370, 0x049f8, 0x04970, 0x064b0,
    0x168a6, 0x0ea50, 0x06aa0, 0x1a6c4, 0x0aae0, // 2050
    0x092e0, 0x0d2e3, 0x0c960, 0x0d557, 0x0d4a0,
    0x0da50, 0x05d55, 0x056a0, 0x0a6d0, 0x055d4, // 2060
    0x052d0, 0x0a9b8, 0x0a950, 0x0b4a0, 0x0b6a6,
    0x0ad50, 0x055a0, 0x0aba4, 0x0a5b0, 0x052b0, // 2070
    0x0b273, 0x06930, 0x07337, 0x06aa0, 0x0ad50,
    0x14b55, 0x04b60, 0x0a570, 0x054e4, 0x0d160, // 2080
    0x0e968, 0x0d520, 0x0daa0, 0x16aa6, 0x056d0,
    0x04ae0, 0x0a9d4, 0x0a2d0, 0x0d150, 0x0f252, // 2090
    0x0d520,                                     // 2100
};

struct Month {
    qint64 first; // Julian day of the month's first day
    int year;
    int month;
    bool leap;
    int length;
};

// Every month of the table in order, laid out once.
const QVector<Month>& months() {
    static const QVector<Month> all = [] {
        QVector<Month> out;
        qint64 first = QDate(1900, 1, 31).toJulianDay();
        for (int i = 0; i < int(kYears.size()); ++i) {
            const quint32 word = kYears[size_t(i)];
            const int leap = int(word & 0xf);
            for (int m = 1; m <= 12; ++m) {
                const int length = (word & (0x10000u >> m)) ? 30 : 29;
                out.append({first, kFirstYear + i, m, false, length});
                first += length;
                if (m == leap) {
                    const int leapLength = (word & 0x10000u) ? 30 : 29;
                    out.append({first, kFirstYear + i, m, true, leapLength});
                    first += leapLength;
                }
            }
        }
        return out;
    }();
    return all;
}

const Month* findMonth(int year, int month, bool leap) {
    if (year < kFirstYear || year > kLastYear)
        return nullptr;
    // About 12.37 months a year: start a little before the year's first month.
    const QVector<Month>& all = months();
    qsizetype i = std::max<qsizetype>(0, qsizetype((year - kFirstYear) * 12.36) - 2);
    for (; i < all.size() && all[i].year <= year; ++i) {
        if (all[i].year == year && all[i].month == month && all[i].leap == leap)
            return &all[i];
    }
    return nullptr;
}

const QString kStems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
const QString kBranches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
const QString kAnimals = QStringLiteral("鼠牛虎兔龙蛇马羊猴鸡狗猪");
const QStringList kMonthNames = {
    QStringLiteral("正月"), QStringLiteral("二月"), QStringLiteral("三月"), QStringLiteral("四月"),
    QStringLiteral("五月"), QStringLiteral("六月"), QStringLiteral("七月"), QStringLiteral("八月"),
    QStringLiteral("九月"), QStringLiteral("十月"), QStringLiteral("冬月"), QStringLiteral("腊月")};
const QString kDigits = QStringLiteral("一二三四五六七八九十");

// Index of a year in the sixty-year cycle: 1984 was 甲子.
int cycleOf(int year) {
    return ((year - 1984) % 60 + 60) % 60;
}

} // namespace

Date fromSolar(const QDate& date) {
    if (!date.isValid())
        return {};
    const qint64 day = date.toJulianDay();
    const QVector<Month>& all = months();
    if (day < all.first().first || day >= all.last().first + all.last().length)
        return {};
    // The last month whose first day is not after the date.
    const auto it = std::upper_bound(all.begin(), all.end(), day,
                                     [](qint64 d, const Month& m) { return d < m.first; });
    const Month& m = *(it - 1);
    return {m.year, m.month, m.leap, int(day - m.first) + 1};
}

QDate toSolar(int year, int month, bool leap, int day) {
    const Month* m = findMonth(year, month, leap);
    if (!m || day < 1 || day > m->length)
        return {};
    return QDate::fromJulianDay(m->first + day - 1);
}

QDate toSolar(const Date& date) {
    return toSolar(date.year, date.month, date.leap, date.day);
}

int leapMonth(int year) {
    if (year < kFirstYear || year > kLastYear)
        return 0;
    return int(kYears[size_t(year - kFirstYear)] & 0xf);
}

int monthLength(int year, int month, bool leap) {
    const Month* m = findMonth(year, month, leap);
    return m ? m->length : 0;
}

QDate anniversary(int year, int month, bool leap, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 30)
        return {};
    const bool inLeap = leap && leapMonth(year) == month;
    const Month* m = findMonth(year, month, inLeap);
    if (!m)
        return {};
    return QDate::fromJulianDay(m->first + std::min(day, m->length) - 1);
}

QList<QDate> anniversariesIn(int solarYear, int month, bool leap, int day) {
    QList<QDate> out;
    for (int year : {solarYear - 1, solarYear}) {
        const QDate date = anniversary(year, month, leap, day);
        if (date.isValid() && date.year() == solarYear)
            out.append(date);
    }
    return out;
}

int anniversaryDay(int solarYear, int solarMonth, int month, bool leap, int day) {
    for (const QDate& date : anniversariesIn(solarYear, month, leap, day)) {
        if (date.month() == solarMonth)
            return date.day();
    }
    return 0;
}

QString yearName(int year) {
    const int cycle = cycleOf(year);
    return QString(kStems.at(cycle % 10)) + kBranches.at(cycle % 12);
}

QString zodiac(int year) {
    return kAnimals.at(cycleOf(year) % 12);
}

QString monthName(int month, bool leap) {
    if (month < 1 || month > 12)
        return {};
    return leap ? QStringLiteral("闰") + kMonthNames.at(month - 1) : kMonthNames.at(month - 1);
}

QString dayName(int day) {
    if (day < 1 || day > 30)
        return {};
    if (day == 10)
        return QStringLiteral("初十");
    if (day == 20)
        return QStringLiteral("二十");
    if (day == 30)
        return QStringLiteral("三十");
    static const QString tens[] = {QStringLiteral("初"), QStringLiteral("十"),
                                   QStringLiteral("廿")};
    return tens[day / 10] + kDigits.at(day % 10 - 1);
}

QString text(const QDate& date) {
    const Date d = fromSolar(date);
    if (!d.isValid())
        return {};
    return yearName(d.year) + QStringLiteral("年 ") + monthName(d.month, d.leap) + dayName(d.day);
}

} // namespace lunar
