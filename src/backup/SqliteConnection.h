// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Database;
struct sqlite3;

// A connection of the engine's own, for what Qt's driver does not offer: the
// online backup, locking a file for the program alone, reading a file without
// ever writing to it. The statements run here are fixed program text.
class SqliteConnection {
  public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    SqliteConnection(const QString& path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    sqlite3* handle() const { return handle_; }
    // The engine's result code and text of the last failure.
    int lastCode() const { return code_; }
    QString lastError() const { return error_; }

    void setBusyTimeout(int milliseconds);
    bool exec(const char* statement);
    // The first column of every row, as text; false on failure.
    bool column(const char* statement, QStringList* values);
    void close();

    // Takes the file for this connection alone, waiting up to waitMs for the
    // others: until it is closed no other connection reads or writes it. The
    // journal goes back to rollback mode on the way, which folds a write-ahead
    // log into the file, so nothing of the database lies beside it. False when
    // another connection holds the file (lastCode() is busy) or it is no database.
    bool takeAlone(int waitMs);
    // Whether the last failure was another connection holding the file.
    bool lastWasBusy() const;

    // Whether the file starts with the engine's header.
    static bool hasDatabaseHeader(const QString& path);

  private:
    void fail(int code);

    sqlite3* handle_ = nullptr;
    int code_ = 0;
    QString error_;
};
