// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The statements are written once, in the dialect the file engine reads. On a
// server the few things only that engine understands are mapped as each
// statement is sent; everything else (bound values included) goes as it is:
//   - "x is not 0" / "x is 0" (is with a value) become "is distinct from" /
//     "is not distinct from";
//   - "like" compares without regard to the case of Latin letters and knows
//     no escape character, so it becomes "ilike ... escape ''";
//   - amount(column) becomes the server's own reading of money (Amount.h);
//   - daynumber() of commlast's own year, month and day (or next year,
//     month and day) reads the number the server keeps beside them;
//   - "" (an empty quoted name, which the file engine reads as empty text)
//     becomes ''.
// The date functions (cdate, datediff, daynumber), ifnull and the pinyin
// collation need no mapping: the server database has its own of each
// (PgSchema.h).
namespace serverdialect {

QString statement(const QString& text);

// The server's own words of an error ("ERROR:  ...", its position lines left out).
QString message(const QString& serverText);

} // namespace serverdialect
