// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/SingleInstanceGuard.h"

#include <QFileInfo>
#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(const QString& dataDir)
    : path_(dataDir + QStringLiteral("/mavor.lock")), lock_(std::make_unique<QLockFile>(path_)) {
    // Only a lock whose process is gone counts as stale, however old it is.
    lock_->setStaleLockTime(0);
}

SingleInstanceGuard::Result SingleInstanceGuard::acquire() {
    if (lock_->tryLock(0))
        return Result::Acquired;
    const QFileInfo file(path_);
    // A lock of another account is not a copy of ours, whatever it claims.
    if (lock_->error() == QLockFile::LockFailedError && file.ownerId() == uint(getuid()))
        return Result::Running;
    problem_ = file.exists() && file.ownerId() != uint(getuid())
                   ? QStringLiteral("程序的锁文件 %1 属于另一个用户, 程序无法启动, "
                                    "请检查数据目录的所有者和权限.")
                         .arg(path_)
                   : QStringLiteral("无法在数据目录中建立程序的锁文件 %1, 程序无法启动, "
                                    "请检查数据目录的所有者和权限.")
                         .arg(path_);
    return Result::Refused;
}
