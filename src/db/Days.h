#pragma once

#include <QString>

// Day arithmetic on dates kept as separate year, month and day numbers.
namespace dates {

// Days from the second date to the first (positive when the first is later),
// Gregorian leap years. A day beyond its month's end counts on into the next,
// so a part typed oddly ("02-30") still gives a distance.
qint64 daysBetween(int year1, int month1, int day1, int year2, int month2, int day2);

// The number a text part starts with: blanks skipped, an optional sign, then
// digits; no digits give 0 (as the C runtime's atoi reads it).
int leadingNumber(const QString& text);

} // namespace dates
