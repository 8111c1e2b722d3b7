// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/SqliteConnection.h"

#include "db/Database.h"

#include <QFile>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

SqliteConnection::SqliteConnection(const QString& path, Mode mode) {
    const int flags = mode == Mode::ReadOnly    ? SQLITE_OPEN_READONLY
                      : mode == Mode::ReadWrite ? SQLITE_OPEN_READWRITE
                                                : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const QByteArray name = QFile::encodeName(path);
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        code_ = rc;
        error_ = handle ? QString::fromUtf8(sqlite3_errmsg(handle))
                        : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(handle);
        return;
    }
    handle_ = handle;
    sqlite3_extended_result_codes(handle_, 0);
}

SqliteConnection::~SqliteConnection() {
    close();
}

void SqliteConnection::close() {
    if (handle_) {
        sqlite3_close(handle_);
        handle_ = nullptr;
    }
}

void SqliteConnection::fail(int code) {
    code_ = code;
    error_ = handle_ ? QString::fromUtf8(sqlite3_errmsg(handle_))
                     : QString::fromUtf8(sqlite3_errstr(code));
}

void SqliteConnection::setBusyTimeout(int milliseconds) {
    if (handle_)
        sqlite3_busy_timeout(handle_, milliseconds);
}

bool SqliteConnection::exec(const char* statement) {
    if (!handle_)
        return false;
    const int rc = sqlite3_exec(handle_, statement, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc);
        return false;
    }
    return true;
}

bool SqliteConnection::column(const char* statement, QStringList* values) {
    if (!handle_)
        return false;
    sqlite3_stmt* query = nullptr;
    int rc = sqlite3_prepare_v2(handle_, statement, -1, &query, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc);
        return false;
    }
    while ((rc = sqlite3_step(query)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query, 0));
        values->append(text ? QString::fromUtf8(text) : QString());
    }
    if (rc != SQLITE_DONE)
        fail(rc);
    sqlite3_finalize(query);
    return rc == SQLITE_DONE;
}

bool SqliteConnection::takeAlone(int waitMs) {
    setBusyTimeout(waitMs);
    // In exclusive locking mode the lock taken by the first transaction is kept.
    return exec("PRAGMA locking_mode=EXCLUSIVE") && exec("BEGIN EXCLUSIVE") && exec("COMMIT") &&
           exec("PRAGMA journal_mode=DELETE");
}

bool SqliteConnection::lastWasBusy() const {
    return code_ == SQLITE_BUSY || code_ == SQLITE_LOCKED;
}

bool SqliteConnection::hasDatabaseHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}
