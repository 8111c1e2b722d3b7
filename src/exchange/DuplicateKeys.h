// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// When two contacts are the same person: they share a mobile number, an
// e-mail address, or a name within the same unit. Each key is empty when the
// contact has nothing to compare.
namespace exchange::duplicates {

// Blanks and dashes removed, then a leading +86 or 0086: "+86 138-0013-8000"
// and "13800138000" are one number.
QString mobileKey(const QString& mobile);
// Without outer blanks, case folded.
QString emailKey(const QString& email);
// Name and unit, each without outer blanks and case folded; empty unless both are given.
QString nameUnitKey(const QString& name, const QString& unit);

} // namespace exchange::duplicates
