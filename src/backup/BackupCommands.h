// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class Clock;
class Database;
class Prompter;

// The backup and restore commands of the program on its open connection:
// what they check, in which order, and what they tell the user.
class BackupCommands {
  public:
    enum class RestoreResult { Refused, Failed, Restored };

    BackupCommands(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // "mavor2012-05-09" for 9 May 2012.
    static QString defaultBackupName(const Clock& clock);

    // Copies the open database to destination (an empty path does nothing);
    // true when the copy is there.
    bool backup(const QString& destination);

    // Restores the chosen backup over the open database. Once the backup has
    // passed its checks, release() is called to let go of everything else of
    // this process that holds the file; then the connection is closed, the
    // data replaced and the connection opened again, on the restored data or,
    // when anything failed, on the old.
    RestoreResult restore(const QString& backupPath, const std::function<void()>& release);
    // A team's data is restored on its server by the administrator: says how,
    // and true, when the database is a server's.
    bool restoresOnServerOnly();

  private:
    Database& db_;
    Prompter& prompter_;
};
