// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Database;

// What must hold of a database whatever happened to the program writing it.
namespace faults {

// The engine's integrity check is "ok"; every contact has its base, home,
// society and extend rows or none of them; no interaction, association or
// document belongs to a contact that is gone. Empty when all of it holds;
// otherwise one line per finding.
QStringList findings(Database& db);

// The single number a "select count(*)" or "select x" statement gives, -1 on failure.
qint64 number(Database& db, const QString& statement);

} // namespace faults
