#pragma once

#include <QList>
#include <QPair>
#include <QString>

class Database;

// Moves a single-machine database onto a team's server: every row of every
// table, keys kept, in one transaction of the server. Before the commit each
// table's rows are counted on both sides; any difference, or any failure,
// leaves the server as it was. The server database must have been set up by
// "mavor-admin initdb --server" at this program's version; the file must be
// of the same version (an older file is upgraded on a copy first, by the caller).
class ServerMigration {
  public:
    struct Result {
        bool ok = false;
        QString error;
        QList<QPair<QString, qint64>> rows; // table, rows copied
        qint64 milliseconds = 0;
    };

    // replace: whatever the server holds goes (otherwise a server that holds
    // contacts already is refused).
    static Result run(Database& file, Database& server, bool replace);
};
