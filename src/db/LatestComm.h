// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;

// commlast: each contact's newest interaction (by comm_date, then the later
// entered), kept by triggers on comm in the same transaction as the change.
// What is here makes the rows again from the interactions, or counts the
// contacts whose row is not what the interactions say.
namespace latestcomm {

inline constexpr const char* kTable = "commlast";

// Every kept row made again from the interactions (two statements, the
// emptying and the filling, run by the caller in one transaction).
QString emptyText();
QString fillText(bool server);
// The number of contacts whose row is missing, extra or different.
QString staleCountText(bool server);

// Both statements of a refill; the caller holds the transaction.
bool refill(Database& db, QString* error);
// -1 when it cannot be counted.
qint64 staleCount(Database& db);

} // namespace latestcomm
