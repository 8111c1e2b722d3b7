// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct sqlite3;

// Copies a database with the engine's online backup: the copy is one
// consistent state of the database, with everything committed before it
// began, also while another process writes and whatever lies in the
// write-ahead log; a plain file copy can miss or tear both.
class OnlineBackup {
  public:
    // How long a copy waits for a writer that holds the source.
    static constexpr int kBusyWaitMs = 20000;

    // Copies the database behind source into a new file at destination. The
    // copy is written beside it, checked, and renamed over destination only
    // when whole, so an earlier file there stays as it was when anything fails.
    static bool toFile(sqlite3* source, const QString& destination, QString* error);
    // Copies the database behind source into the open database dest, in one
    // write transaction of dest: all of it or, when anything fails, nothing.
    static bool into(sqlite3* source, sqlite3* dest, QString* error);

    // Removes the files the engine keeps beside a database (-wal, -shm, -journal).
    static void removeCompanions(const QString& path);
};
