// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The Chinese lunar calendar (农历) from 1900 to 2100: Gregorian dates to lunar
// ones and back, the names of years, months and days, and the days on which a
// lunar date (a birthday, a festival) is kept in a given Gregorian year.
//
// A lunar year is numbered by the Gregorian year in which its first month
// begins: 正月初一 of lunar year 2027 is 2027-02-06.
namespace lunar {

struct Date {
    int year = 0;  // lunar year, numbered as above; 0 for no date
    int month = 0; // 1..12
    bool leap = false;
    int day = 0; // 1..30

    bool isValid() const { return year != 0; }
    bool operator==(const Date&) const = default;
};

inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2100;

// The lunar date of a Gregorian day; an invalid Date outside the table.
Date fromSolar(const QDate& date);
// The Gregorian day of a lunar date; a null QDate when the year has no such day.
QDate toSolar(int year, int month, bool leap, int day);
QDate toSolar(const Date& date);

// The month the year repeats (1..12), 0 when it has none.
int leapMonth(int year);
// 29 or 30; 0 when the year has no such month.
int monthLength(int year, int month, bool leap);

// The day on which lunar year `year` keeps the date (month, leap, day): a date
// of a leap month falls in the leap month when the year repeats that month and
// in the ordinary month otherwise; day 30 of a month of 29 days falls on its 29th.
// Null for a month outside 1..12, a day outside 1..30 or a year outside the table.
QDate anniversary(int year, int month, bool leap, int day);
// The days of the Gregorian year on which the date is kept, in order. A
// Gregorian year holds the end of one lunar year and the start of the next,
// so a date comes once, twice (腊月初一 in 2027: 8 January and 28 December) or,
// for some days of the last months, not at all.
QList<QDate> anniversariesIn(int solarYear, int month, bool leap, int day);
// The day of the Gregorian month on which the date is kept, 0 when it is not.
int anniversaryDay(int solarYear, int solarMonth, int month, bool leap, int day);

// "丙午": the year's stem and branch (干支).
QString yearName(int year);
// "马": the year's animal (生肖).
QString zodiac(int year);
// "正月" .. "十月", "冬月", "腊月"; with "闰" before a leap month. Empty outside 1..12.
QString monthName(int month, bool leap = false);
// "初一" .. "初十", "十一" .. "二十", "廿一" .. "廿九", "三十". Empty outside 1..30.
QString dayName(int day);
// "丙午年 十月廿九" for 2026-12-07; empty outside the table.
QString text(const QDate& date);

} // namespace lunar
