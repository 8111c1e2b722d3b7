// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Checks the editors apply to typed text. Each accepts the empty text.
namespace validate {

// No ? > < , / \ | + = * & ^ % !
bool isLegalName(const QString& text);
// Only the digits 0-9 and at most one ".".
bool isAmount(const QString& text);
// Only digits, blanks and # ( ) * - / \ _, after an optional leading +.
bool isPhone(const QString& text);
// Only digits.
bool isDigits(const QString& text);

// The calendar check of the editors' day lists: February has 29 days in every
// year divisible by 4, and April, June, September and November have no 31st.
bool isValidDay(const QString& year, const QString& month, const QString& day);

} // namespace validate
