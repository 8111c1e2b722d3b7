// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/SchemaVersion.h"

#include "db/Database.h"
#include "db/PgSchema.h"
#include "db/Statistics.h"

#include <QFile>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>
#include <sqlite3.h>

static void initResources() {
    Q_INIT_RESOURCE(db);
}

namespace schema {

namespace {

QString readScript(const QString& name) {
    initResources();
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

const QList<Step>& steps() {
    // One row per version after the first; never change a step once released.
    static const QList<Step> all{
        {2, QStringLiteral(":/db/upgrades/002.sql")}, {3, QStringLiteral(":/db/upgrades/003.sql")},
        {4, QStringLiteral(":/db/upgrades/004.sql")}, {5, QStringLiteral(":/db/upgrades/005.sql")},
        {6, QStringLiteral(":/db/upgrades/006.sql")}, {7, QStringLiteral(":/db/upgrades/007.sql")},
        {8, QStringLiteral(":/db/upgrades/008.sql")}, {9, QStringLiteral(":/db/upgrades/009.sql")},
        {10, QStringLiteral(":/db/upgrades/010.sql")},
        {11, QStringLiteral(":/db/upgrades/011.sql")},
    };
    return all;
}

QString scriptOf(const Step& step) {
    return readScript(step.scriptName);
}

int current() {
    return steps().isEmpty() ? 1 : steps().last().version;
}

int versionOf(Database& db) {
    if (db.isServer())
        return pgschema::versionOf(db);
    int version = -1;
    if (!db.queryQuietly("PRAGMA user_version", [&](const Row& row) {
            version = int(row.numberAt(0, 0));
            return false;
        }))
        return -1;
    return version <= 0 ? 1 : version;
}

bool runStatements(Database& db, const QString& script, QString* error) {
    if (db.isServer())
        return pgschema::runScript(db, script, error);
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
        return false;
    }
    return true;
}

bool upgrade(Database& db, const QList<Step>& steps, QString* error, const Derive& derive,
             const Advance& advance) {
    const int from = versionOf(db);
    if (from < 0) {
        if (error)
            *error = db.lastError();
        return false;
    }
    QList<Step> pending;
    for (const Step& step : steps) {
        if (step.version > from)
            pending.append(step);
    }
    if (pending.isEmpty())
        return true;
    if (!db.executeQuietly(db.beginStatement())) {
        if (error)
            *error = db.lastError();
        return false;
    }
    // A server gets this program's functions, new or changed, with the tables
    // (all "create or replace"), before any step that may call them.
    if (QString failure; db.isServer() && !pgschema::ensureSupport(db, &failure)) {
        db.rollback();
        if (error)
            *error = failure;
        return false;
    }
    const int parts = int(pending.size()) + (derive ? 1 : 0) + 1;
    int done = 0;
    const auto next = [&] {
        if (advance)
            advance(done, parts);
        ++done;
    };
    for (const Step& step : pending) {
        next();
        // A step may ship its own text for a server.
        QString script = db.isServer() ? pgschema::serverScriptOf(step.scriptName) : QString();
        if (script.isEmpty())
            script = readScript(step.scriptName);
        QString failure;
        if (script.isEmpty())
            failure = QStringLiteral("程序中缺少升级脚本 %1").arg(step.scriptName);
        else if (!runStatements(db, script, &failure))
            failure = QStringLiteral("升级到第 %1 版失败: %2").arg(step.version).arg(failure);
        if (!failure.isEmpty()) {
            db.rollback();
            if (error)
                *error = failure;
            return false;
        }
    }
    if (derive)
        next();
    if (QString failure; derive && !derive(db, &failure)) {
        db.rollback();
        if (error)
            *error = failure;
        return false;
    }
    // The planner's statistics describe the upgraded tables.
    next();
    if (QString failure; !statistics::gather(db, &failure)) {
        db.rollback();
        if (error)
            *error = failure;
        return false;
    }
    const sql::Statement stamp(
        db.isServer() ? pgschema::stampStatement(pending.last().version)
                      : QStringLiteral("PRAGMA user_version=%1").arg(pending.last().version));
    if (!db.executeQuietly(stamp) || !db.executeQuietly("COMMIT")) {
        if (error)
            *error = db.lastError();
        db.rollback();
        return false;
    }
    if (advance)
        advance(parts, parts);
    return true;
}

} // namespace schema
