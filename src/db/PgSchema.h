// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Database;

// The tables of a server database come from the same scripts as a file's:
// schema.sql, seed.sql and every upgrade step, each statement translated for
// the server as it is run. Column types map to the server's (INTEGER to
// bigint, keys assigned by the database to identity columns, TEXT and DATE to
// text compared byte for byte, as in a file); PRAGMA lines mean nothing there
// and are left out. A step whose statements do not translate can ship a
// server text of its own beside it (":/db/upgrades/NNN.server.sql").
//
// The server database also holds what the file engine gets from the program
// on every connection: the functions cdate, datediff and daynumber, ifnull,
// and the collation pinyin. Each upgrade renews them (create or replace) in
// its transaction, before its steps. The version of its tables is kept in the
// table mavor_schema.
namespace pgschema {

// The statements of a script for the file engine, as the server runs them.
QStringList translate(const QString& script);

// The functions and collation the statements need, as server statements.
QStringList supportStatements();
// Creates (or renews) them, and fills the table behind lunarday() once.
bool ensureSupport(Database& db, QString* error);

// Runs the statements of a script on the server inside the caller's transaction.
bool runScript(Database& db, const QString& script, QString* error);
bool runStatements(Database& db, const QStringList& statements, QString* error);

// The version of the tables on the server; 0 when the database holds none of
// the program's tables, -1 when it cannot be read.
int versionOf(Database& db);
// The statement that records the version, inside the upgrade's transaction.
QString stampStatement(int version);

// The server text of an upgrade step, when it ships one.
QString serverScriptOf(const QString& stepScriptName);

// Creates every table, the delivered rows and the support objects in an empty
// server database, in one transaction: all of it or nothing.
bool create(Database& db, QString* error);

// The program's tables that hold rows, in the order they are created.
QStringList tables(Database& db);

// Gathers the planner's statistics of the program's tables now, rather than
// at the server's next automatic pass: until then a new or changed database
// is planned as if its tables were empty. The same pass (VACUUM) marks the
// pages whose rows every session sees, so that counts read indexes alone
// instead of each row's page. Outside a transaction.
bool analyze(Database& db, QString* error);

} // namespace pgschema
