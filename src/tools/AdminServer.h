// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// The administration commands of team mode, where the data lives on a
// PostgreSQL server:
//   server --host H [--port P] --database D --user U [--tls]
//                        names the server in mavor.ini's [Server] section,
//                        asks for the password and keeps it encoded
//   initdb --server      the tables and delivered rows in an empty server database
//   migrate FROM --server [--replace]
//                        a whole database file onto the server, in one
//                        transaction, every table's rows counted on both sides
//   upgrade --server     the server's tables brought to this program's version
// "--server" stands for the server named in mavor.ini of the data directory;
// a location (postgresql://user@host:port/database) may stand instead, its
// password then taken from PGPASSWORD or ~/.pgpass as every PostgreSQL tool does.
namespace admin {

// Replaces "--server" in args by the location of the configured server and
// makes its password known to this process's connections. False, with the
// reason, when "--server" is there but no usable server is configured.
bool resolveServer(QStringList& args, QString* error);

int serverSettings(const QStringList& args, QTextStream& out, QTextStream& err);
int initServer(const QString& location, QTextStream& out, QTextStream& err);
int migrate(const QStringList& args, QTextStream& out, QTextStream& err);
int upgradeServer(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace admin
