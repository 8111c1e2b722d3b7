// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;

// The backup of a team's server: one consistent state of every table (a
// repeatable-read transaction of the server), written as a database file of
// this program. The file opens in the single-machine program, passes
// "mavor-admin check", and goes back onto a server with "mavor-admin migrate".
// It is written beside destination and renamed over it only when whole and
// every table's rows are counted alike on both sides.
class ServerSnapshot {
  public:
    static bool toFile(Database& server, const QString& destination, QString* error);
};
