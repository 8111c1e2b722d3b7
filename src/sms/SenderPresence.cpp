// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SenderPresence.h"

#include "db/Database.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The advisory lock's number on a server: one for all senders of a database.
constexpr qint64 kSenderLock = 0x6d61766f72736d73; // "mavorsms"

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SenderPresence::~SenderPresence() {
    leave();
}

bool SenderPresence::openLockFile() {
    if (fd_ >= 0)
        return true;
    const QByteArray path = QFile::encodeName(db_.path() + QStringLiteral(".smsd-lock"));
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        error_ = QStringLiteral("无法打开 %1: %2").arg(QFile::decodeName(path), systemError());
    return fd_ >= 0;
}

// Runs "select CALL(lock)" and reads its answer as true or false.
bool SenderPresence::serverLock(const char* call) {
    bool granted = false;
    const QString text =
        QStringLiteral("select case when %1(cast(%ld as bigint)) then 1 else 0 end")
            .arg(QLatin1String(call));
    if (!db_.queryQuietly(sql::format(text, kSenderLock), [&](const Row& row) {
            granted = row.numberAt(0, 0) == 1;
            return false;
        })) {
        error_ = db_.lastError();
        return false;
    }
    return granted;
}

bool SenderPresence::tryAlone() {
    if (exclusive_)
        return true;
    if (shared_)
        return false;
    if (db_.isServer()) {
        exclusive_ = serverLock("pg_try_advisory_lock");
        return exclusive_;
    }
    if (!openLockFile())
        return false;
    exclusive_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    if (!exclusive_ && errno != EWOULDBLOCK)
        error_ = systemError();
    return exclusive_;
}

bool SenderPresence::share() {
    if (shared_)
        return true;
    if (db_.isServer()) {
        if (exclusive_)
            serverLock("pg_advisory_unlock");
        exclusive_ = false;
        // It returns once granted.
        shared_ = db_.executeQuietly(
            sql::format("select pg_advisory_lock_shared(cast(%ld as bigint))", kSenderLock));
        if (!shared_)
            error_ = db_.lastError();
        return shared_;
    }
    if (!openLockFile())
        return false;
    // Turning an exclusive lock into a shared one.
    exclusive_ = false;
    shared_ = ::flock(fd_, LOCK_SH) == 0;
    if (!shared_)
        error_ = systemError();
    return shared_;
}

void SenderPresence::leave() {
    if (db_.isServer()) {
        if (db_.isOpen()) {
            if (exclusive_)
                serverLock("pg_advisory_unlock");
            if (shared_)
                serverLock("pg_advisory_unlock_shared");
        }
    } else if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    exclusive_ = shared_ = false;
}
