// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QTextStream;
class Database;

// The administration commands read and write the tables of this program's
// version. An older file is left for the program to upgrade (it keeps a copy
// first), a newer one for a newer program: both are refused with a reason.
namespace adminschema {

// Empty when the file's tables are this program's; else the one-line reason.
QString refusal(Database& db);

// Opens path for the command and checks its version; on failure writes
// "command: reason" to err and returns false.
bool openCurrent(Database& db, const QString& path, const char* command, QTextStream& err);

// Takes the "--name VALUE" options of the given names out of args, the other
// words into words; false on another option or one without its value.
bool splitOptions(const QStringList& args, const QStringList& names,
                  QHash<QString, QString>* options, QStringList* words);

} // namespace adminschema
