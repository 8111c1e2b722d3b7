// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DeliveredDatabase.h"

#include "base/PrivateFiles.h"
#include "db/Database.h"
#include "db/SchemaVersion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

static void initResources() {
    Q_INIT_RESOURCE(db);
}

namespace delivered {

namespace {

QString readResource(const QString& name) {
    initResources();
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString schemaScript() {
    return readResource(QStringLiteral(":/db/schema.sql"));
}
QString seedScript() {
    return readResource(QStringLiteral(":/db/seed.sql"));
}

bool runScript(const QString& databasePath, const QString& script, QString* error) {
    Database db;
    if (!db.open(databasePath)) {
        if (error)
            *error = db.lastError();
        return false;
    }
    sqlite3* raw = db.fileHandle();
    if (!raw) {
        if (error)
            *error = QStringLiteral("无法取得数据库句柄");
        return false;
    }
    char* message = nullptr;
    const QByteArray bytes = script.toUtf8();
    if (sqlite3_exec(raw, bytes.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(message ? message : "unknown error");
        sqlite3_free(message);
        sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

bool upgradeFile(const QString& databasePath, QString* error) {
    initResources();
    Database db;
    if (!db.open(databasePath)) {
        if (error)
            *error = db.lastError();
        return false;
    }
    return schema::upgrade(db, schema::steps(), error);
}

bool create(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("文件已存在，不会覆盖: %1").arg(path);
        return false;
    }
    const QString schema = schemaScript();
    const QString seed = seedScript();
    if (schema.isEmpty() || seed.isEmpty()) {
        if (error)
            *error = QStringLiteral("程序中缺少数据库脚本");
        return false;
    }
    // Build beside the target and move it into place only when complete.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    // For its owner only: the engine gives its -wal and -shm the same mode.
    if (!privatefiles::createEmpty(partial)) {
        if (error)
            *error = QStringLiteral("无法建立 %1").arg(partial);
        return false;
    }
    // The first release's tables and rows, then every later step.
    const bool ok =
        runScript(partial, schema, error) &&
        runScript(partial, QStringLiteral("BEGIN;\n") + seed + QStringLiteral("\nCOMMIT;"),
                  error) &&
        upgradeFile(partial, error);
    if (!ok || !QFile::rename(partial, path)) {
        if (ok && error)
            *error = QStringLiteral("无法写入: %1").arg(path);
        QFile::remove(partial);
        QFile::remove(partial + QStringLiteral("-wal"));
        QFile::remove(partial + QStringLiteral("-shm"));
        return false;
    }
    return true;
}

} // namespace delivered
