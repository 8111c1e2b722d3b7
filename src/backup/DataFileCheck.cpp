// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DataFileCheck.h"

#include "db/EngineErrors.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QtEndian>

namespace datafile {

namespace {

constexpr qint64 kHeaderBytes = 100;
constexpr qint64 kLargestSettings = 1024 * 1024;
constexpr qint64 kLeastRoom = 64 * 1024;

const QString kRestoreHint = QStringLiteral("\r\n\r\n程序没有改动这个文件。请用备份恢复数据库, "
                                            "或者请系统管理员检查。");

// The size the engine's header promises, or -1 when the header does not say
// (older writers leave the count stale; the engine then trusts the file size).
qint64 promisedSize(const QByteArray& header) {
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    qint64 pageSize = qFromBigEndian<quint16>(bytes + 16);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 changeCounter = qFromBigEndian<quint32>(bytes + 24);
    const quint32 pages = qFromBigEndian<quint32>(bytes + 28);
    const quint32 validFor = qFromBigEndian<quint32>(bytes + 92);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0 || pages == 0 ||
        validFor != changeCounter)
        return -1;
    return pageSize * qint64(pages);
}

QString readError(const QSqlError& error) {
    const QString reason = engine::plainReason(error);
    return reason.isEmpty() ? QStringLiteral("数据库文件已损坏 (%1)。").arg(error.text()) : reason;
}

// Whether the file holds the program's tables; reads it without a journal
// change or any other write. Empty error when it could be read.
bool holdsOurTables(const QString& path, QString* error) {
    static QAtomicInt counter;
    const QString name = QStringLiteral("mavor-check-%1").arg(counter.fetchAndAddRelaxed(1));
    bool ours = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=20000"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("select count(*) from sqlite_master where type='table' and "
                                      "name in ('base','home','society','extend','comm',"
                                      "'userlogin','dep')")) &&
                q.next())
                ours = q.value(0).toInt() == 7;
            else
                *error = readError(q.lastError());
        } else {
            *error = readError(db.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ours;
}

} // namespace

QString problemOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return QStringLiteral("数据库文件 %1 不是一个普通文件 (可能是一个目录), 程序无法使用它。")
                   .arg(path) +
               kRestoreHint;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("无法读取数据库文件 %1: %2。\r\n\r\n请检查文件的权限。")
            .arg(path, file.errorString());
    const qint64 size = file.size();
    if (size == 0)
        return QStringLiteral("数据库文件 %1 是空的 (0 字节), 其中没有任何资料。").arg(path) +
               kRestoreHint;
    const QByteArray header = file.read(kHeaderBytes);
    file.close();
    if (!header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QStringLiteral("文件 %1 不是数据库文件 (可能是文本或其他文件), 其中没有可用的资料。")
                   .arg(path) +
               kRestoreHint;
    // A run that ended while copying its journal into the file may leave the
    // header ahead of the pages; the journal beside it puts that right at the
    // next open, so only a file without one is judged by its size.
    const bool journalBeside = QFileInfo(path + QStringLiteral("-wal")).size() > 0;
    const qint64 promised = header.size() < kHeaderBytes ? kHeaderBytes + 1
                            : journalBeside              ? -1
                                                         : promisedSize(header);
    if (promised > size)
        return QStringLiteral("数据库文件 %1 不完整: 只有 %2 字节, 应有 %3 字节, "
                              "可能在复制或保存时被截断。")
                   .arg(path)
                   .arg(size)
                   .arg(promised) +
               kRestoreHint;
    // The journal files beside it are written at every change.
    const QFileInfo dir(info.absolutePath());
    if (!info.isWritable() || !dir.isWritable())
        return QStringLiteral("数据库文件 %1 或它所在的目录是只读的, 程序无法保存资料。"
                              "\r\n\r\n请检查文件和目录的写权限。")
            .arg(path);
    // The journal needs room before the first change can be kept.
    const QStorageInfo disk(info.absolutePath());
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < kLeastRoom)
        return QStringLiteral("数据库文件 %1 所在的磁盘已满 (只剩 %2 字节), 程序无法保存资料。"
                              "\r\n\r\n请腾出磁盘空间后再启动程序。")
            .arg(path)
            .arg(disk.bytesAvailable());
    QString error;
    if (!holdsOurTables(path, &error)) {
        if (!error.isEmpty())
            return QStringLiteral("无法读取数据库文件 %1: %2").arg(path, error) + kRestoreHint;
        return QStringLiteral("文件 %1 是另一个程序的数据库, 其中没有本程序的资料表。").arg(path) +
               kRestoreHint;
    }
    return {};
}

QString settingsProblemOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    const QString usingDefaults =
        QStringLiteral("\r\n\r\n程序这次使用默认设置 (不自动登录), 不会改动这个文件。");
    if (!info.isFile())
        return QStringLiteral("设置文件 %1 不是一个普通文件 (可能是一个目录)。").arg(path) +
               usingDefaults;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("无法读取设置文件 %1: %2。").arg(path, file.errorString()) +
               usingDefaults;
    if (file.size() > kLargestSettings)
        return QStringLiteral("设置文件 %1 太大 (%2 字节), 不像是本程序的设置文件。")
                   .arg(path)
                   .arg(file.size()) +
               usingDefaults;
    return {};
}

} // namespace datafile
