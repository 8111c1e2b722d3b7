// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// A sum of money as the interaction form stores it (收入, 支出): decimal digits
// with at most one point, blanks around it allowed. Empty text (or none) is no
// money, 0. Anything else (two points, a sign, a letter, a lone point) cannot
// be read: nullopt, so that callers count it instead of taking it as 0 unseen.
//
// Statements read the columns with amount(x), the same rule as an SQL function
// (registered on every file connection, written out in the server's own
// dialect as each statement is sent): NULL for a text that cannot be read.
namespace amount {

std::optional<double> parse(const char* bytes, qsizetype size);
std::optional<double> parse(const QString& text);

} // namespace amount
