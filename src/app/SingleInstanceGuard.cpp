#include "app/SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(const QString& key) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    path_ = QStringLiteral("%1/mavor-%2-%3.lock")
                .arg(dir, QString::fromLatin1(hash))
                .arg(static_cast<qulonglong>(getuid()));
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a lock whose process is gone counts as stale, however old it is.
    lock_->setStaleLockTime(0);
}

bool SingleInstanceGuard::tryAcquire() {
    return lock_->tryLock(0);
}
