// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// A birthday kept by the lunar calendar, as the pages show and store it: the
// month and day columns hold the lunar month and day ("08", "15") and the tick's
// column says which calendar they belong to. The lists then read "正月" ..
// "腊月" (with "闰" months where the year has one) and "初一" .. "三十".
namespace lunarbirthday {

inline const QString kCaption = QStringLiteral("农历");
inline const QString kLunar = QStringLiteral("1"); // the month and day are lunar
inline const QString kLeap = QStringLiteral("2");  // ... in the leap month

bool isLunar(const QString& flag);
// The flag as stored (0, 1 or 2) and back; anything else reads as Gregorian.
int storedFlag(const QString& flag);
QString flagOf(qint64 stored);

// The month entries of a lunar year: 正月 .. 腊月, each leap month after its
// ordinary one. Without a year (0) or outside the calendar, no leap month.
QStringList monthEntries(int year);
QStringList dayEntries();

// "08", "1" -> "八月"; "04", "2" -> "闰四月"; empty when the month is not 1..12.
QString monthEntry(const QString& month, const QString& flag);
// "05" -> "初五"; empty when the day is not 1..30.
QString dayEntry(const QString& day);

struct Month {
    QString month; // "01" .. "12"; empty for no entry
    QString flag;  // kLunar or kLeap
};
// "闰四月" -> {"04", kLeap}; an entry that names no month gives an empty month.
Month monthOf(const QString& entry);
// "初五" -> "05"; empty when the entry names no day.
QString dayOf(const QString& entry);

// Whether a complete lunar date exists: month 1..12, day 1..30, and within the
// calendar's years the month (a leap month only where the year has it) and
// its day. A year outside the calendar is checked for month and day only.
bool isValid(const QString& year, const QString& month, const QString& day, const QString& flag);

// The birthday in the other calendar, for showing beside it: a Gregorian date
// gives its lunar date ("农历 庚子年 八月十五"); a lunar one the Gregorian day
// of birth ("公历 1960-10-05") or, without a year, the day it falls on in this
// lunar year ("今年公历 2026-09-25"). Empty when the parts say no date.
QString otherCalendar(const QString& year, const QString& month, const QString& day,
                      const QString& flag, const QDate& today);

} // namespace lunarbirthday
