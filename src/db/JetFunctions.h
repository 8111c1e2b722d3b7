// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The date functions of the statements' dialect, added to every connection:
// cdate(text) gives the date as ISO text ("2012-05-08"), so it compares with the
// ISO dates stored in comm_date; a text that is no valid date is an SQL error.
// datediff('d', a, b) gives the days from a to b. The program's own
// daynumber(year, month, day) turns date parts into a day count (dates::dayNumber).
namespace jet {

// Reads "2012/5/8", "2012-05-08" and either followed by a time; nothing else.
std::optional<QDate> parseDate(const QString& text);
// The same over UTF-8 bytes.
std::optional<QDate> parseDate(const char* utf8, qsizetype size);

// The ISO form stored in date columns, or empty text when the text is no date.
QString isoDate(const QString& text);

bool registerFunctions(QSqlDatabase& db);

} // namespace jet
