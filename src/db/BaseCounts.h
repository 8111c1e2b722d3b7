// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Database;

// basecount: how many contacts have each value of the columns the tree counts
// by, split by base_invalid_flag, kept by triggers on base in the same
// transaction as the change. What is here makes the counts again from base,
// or counts the counters that are not what base says.
namespace basecount {

inline constexpr const char* kTable = "basecount";

// The counted columns: base_invalid_flag first (it counts the live and the
// trashed contacts), then the columns of the tree's folders.
const QStringList& columns();

// Every counter made again from base (the emptying and the filling, run by
// the caller in one transaction).
QString emptyText();
QStringList fillTexts();
// The number of counters missing, extra or different from a count of base.
QString staleCountText();

// Both steps of a refill; the caller holds the transaction.
bool refill(Database& db, QString* error);
// -1 when it cannot be counted.
qint64 staleCount(Database& db);

} // namespace basecount
