// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Writes the database file that ships with the program: every table, the
// reference tables' starting rows and the administrator. Used by the build
// and by "mavor-admin initdb"; the program itself never creates tables.
namespace delivered {

// Creates a new file at path; refuses an existing one so no user data is lost.
bool create(const QString& path, QString* error);

// Runs a script of statements on an open sqlite file (used for schema and seed).
bool runScript(const QString& databasePath, const QString& script, QString* error);

// Brings a file up to this program's version (see SchemaVersion.h).
bool upgradeFile(const QString& databasePath, QString* error);

QString schemaScript();
QString seedScript();

} // namespace delivered
