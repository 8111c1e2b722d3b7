// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/OnlineBackup.h"

#include "backup/SqliteConnection.h"
#include "base/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QStringList kCompanions = {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                 QStringLiteral("-journal")};

// Flushes a file (or a directory's entries) to the disk.
void syncPath(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void OnlineBackup::removeCompanions(const QString& path) {
    for (const QString& suffix : kCompanions)
        QFile::remove(path + suffix);
}

bool OnlineBackup::into(sqlite3* source, sqlite3* dest, QString* error) {
    sqlite3_backup* backup = sqlite3_backup_init(dest, "main", source, "main");
    if (!backup) {
        *error = QString::fromUtf8(sqlite3_errmsg(dest));
        return false;
    }
    // One step copies every page under one read of the source, so the copy is
    // one state of it. A writer of the source in rollback mode makes it wait.
    int rc = SQLITE_OK;
    for (int waited = 0;; waited += 50) {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || waited >= kBusyWaitMs)
            break;
        QThread::msleep(50);
    }
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE || finished != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errstr(rc != SQLITE_DONE ? rc : finished));
        return false;
    }
    return true;
}

bool OnlineBackup::toFile(sqlite3* source, const QString& destination, QString* error) {
    if (!source) {
        *error = QStringLiteral("数据库未打开");
        return false;
    }
    if (QFileInfo(destination).isDir()) {
        *error = QStringLiteral("%1 是一个目录").arg(destination);
        return false;
    }
    const QString partial = destination + QStringLiteral(".partial");
    QFile::remove(partial);
    removeCompanions(partial);
    bool ok = false;
    {
        // The copy holds every contact: its owner's alone, and so its journal.
        if (!privatefiles::createEmpty(partial)) {
            *error = QStringLiteral("无法建立 %1").arg(partial);
            return false;
        }
        SqliteConnection copy(partial, SqliteConnection::Mode::ReadWrite);
        QStringList verdict;
        ok = copy.isOpen() && into(source, copy.handle(), error);
        // The copy stands alone: in rollback mode nothing of it lies beside it.
        if (ok && !(copy.exec("PRAGMA journal_mode=DELETE") &&
                    copy.column("PRAGMA quick_check", &verdict) &&
                    verdict == QStringList{QStringLiteral("ok")})) {
            ok = false;
            *error = copy.lastError().isEmpty() ? verdict.join(u'\n') : copy.lastError();
        }
        if (!copy.isOpen())
            *error = copy.lastError();
    }
    if (ok) {
        syncPath(partial);
        // What the engine kept beside an earlier file of that name would be
        // read as part of the new one.
        removeCompanions(destination);
        const QByteArray from = QFile::encodeName(partial);
        const QByteArray to = QFile::encodeName(destination);
        ok = std::rename(from.constData(), to.constData()) == 0;
        if (!ok)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        else
            syncPath(QFileInfo(destination).absolutePath());
    }
    if (!ok) {
        QFile::remove(partial);
        removeCompanions(partial);
    }
    return ok;
}
