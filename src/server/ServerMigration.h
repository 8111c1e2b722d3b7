// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "server/TeamRoles.h"

class Database;

// Moves a single-machine database onto a team's server: every row of every
// table, keys kept, in one transaction of the server. Only rows come from the
// file: a file whose tables, columns or indexes are not the program's own, or
// that holds triggers or views, is refused before the server is touched.
// Passwords stay behind (the server checks each person's own). Before the commit each
// table's rows are counted on both sides; any difference, or any failure,
// leaves the server as it was. The server database must have been set up by
// "mavor-admin initdb --server" at this program's version; the file must be
// of the same version (an older file is upgraded on a copy first, by the caller).
class ServerMigration {
  public:
    struct Result {
        bool ok = false;
        QString error;
        QList<QPair<QString, qint64>> rows;     // table, rows copied
        QList<QPair<QString, qint64>> replaced; // table, rows the server held (replace)
        bool passwordsCleared = false;
        QList<team::Person> people; // users of the file given a login, with first passwords
        qint64 milliseconds = 0;
    };

    // replace: whatever the server holds goes. Otherwise a server that holds
    // more rows in any table than a new database does (users, queued
    // messages, contacts) is refused, and nothing changes.
    static Result run(Database& file, Database& server, bool replace);
};
