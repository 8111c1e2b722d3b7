// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/EngineErrors.h"

#include <QSqlError>

namespace engine {

namespace {

// The engine's primary result codes (sqlite3.h).
constexpr int kReadOnly = 8;
constexpr int kIoError = 10;
constexpr int kCorrupt = 11;
constexpr int kFull = 13;
constexpr int kCantOpen = 14;
constexpr int kNotADatabase = 26;

} // namespace

QString plainReason(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (!ok)
        return {};
    switch (code) {
    case kFull:
        return QStringLiteral("磁盘已满, 资料没有保存。请腾出磁盘空间后再试。");
    case kReadOnly:
        return QStringLiteral("数据库文件是只读的, 资料没有保存。请检查文件和目录的写权限。");
    case kIoError:
        return QStringLiteral("读写磁盘出错, 磁盘可能已满或已损坏。");
    case kCorrupt:
    case kNotADatabase:
        return QStringLiteral("数据库文件已损坏。请用备份恢复数据库。");
    case kCantOpen:
        return QStringLiteral("无法打开数据库文件或它旁边的日志文件。请检查磁盘空间和写权限。");
    default:
        return {};
    }
}

} // namespace engine
