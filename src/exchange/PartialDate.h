// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// A date of a person's life as the contact pages keep it: year, month and day
// as separate texts ("1985", "04", "12"), any of them possibly empty.
namespace exchange {

struct PartialDate {
    QString year;  // four digits or empty
    QString month; // "01".."12" or empty
    QString day;   // "01".."31" or empty

    bool isEmpty() const { return year.isEmpty() && month.isEmpty() && day.isEmpty(); }
    bool operator==(const PartialDate&) const = default;
};

// Builds a date from loose parts ("4" -> "04"); nullopt when a part is not a
// number in its range (a year has four digits, a month 1 to 12, a day 1 to 31).
std::optional<PartialDate> makeDate(const QString& year, const QString& month, const QString& day);

// A vCard date (RFC 6350 4.3.1 and the ISO forms of vCard 3.0): "19850412",
// "1985-04-12", "1985-04", "1985", "--0412", "--04-12", "--04", "---12", with
// any time after "T" ignored. The year 1604, which some programs write for
// "no year", is read as no year. Empty text gives an empty date.
std::optional<PartialDate> parseVCardDate(const QString& text);
// The vCard form of a date; nullopt for a year and day without a month, which
// has no vCard form. An empty date gives empty text.
std::optional<QString> vcardDate(const PartialDate& date);

// A date typed in a spreadsheet: "1985-04-12", "1985/4/12", "1985.4.12",
// "1985年4月12日", "4月12日", "19850412", the vCard forms, and this program's
// own spreadsheet form "YYYY-MM-DD" with empty parts kept ("-04-12", "1985--").
std::optional<PartialDate> parseLooseDate(const QString& text);
// The spreadsheet form: the three parts joined by "-", empty parts kept, empty
// text for an empty date.
QString sheetDate(const PartialDate& date);

} // namespace exchange
