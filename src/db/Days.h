// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Day arithmetic on dates kept as separate year, month and day numbers.
namespace dates {

// Days from the second date to the first (positive when the first is later),
// Gregorian leap years. A day beyond its month's end counts on into the next,
// so a part typed oddly ("02-30") still gives a distance.
qint64 daysBetween(int year1, int month1, int day1, int year2, int month2, int day2);

// The day of a civil date counted from 1970-01-01, with the same carrying of
// odd parts: daysBetween(a, b) == dayNumber(a) - dayNumber(b).
qint64 dayNumber(qint64 year, qint64 month, qint64 day);

// The number a text part starts with: blanks skipped, an optional sign, then
// digits; no digits give 0 (as the C runtime's atoi reads it).
int leadingNumber(const QString& text);
// The same over UTF-8 (or any ASCII-compatible) bytes.
int leadingNumber(const char* text, qsizetype size);

} // namespace dates
