// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/ServerSnapshot.h"

#include "backup/OnlineBackup.h"
#include "backup/SqliteConnection.h"
#include "db/BaseCounts.h"
#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/LatestComm.h"
#include "db/PgSchema.h"
#include "db/RemindLog.h"
#include "db/SchemaVersion.h"
#include "db/TableCopy.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The file's counter of given keys goes as far as the server's.
bool carryKeyCounter(Database& server, Database& file, const tablecopy::Shape& shape,
                     QString* error) {
    const QString column = server.generatedKeyColumn(shape.table);
    if (column.isEmpty())
        return true;
    qint64 given = 0;
    const QString sequence =
        QStringLiteral("select pg_sequence_last_value(pg_get_serial_sequence('%1','%2')::regclass)")
            .arg(shape.table, column);
    if (!server.queryQuietly(sql::Statement(sequence), [&](const Row& row) {
            given = row.numberAt(0, 0);
            return false;
        })) {
        *error = shape.table + QStringLiteral(": ") + server.lastError();
        return false;
    }
    if (!file.executeQuietly(
            sql::format("delete from sqlite_sequence where name='%s'", shape.table)) ||
        !file.executeQuietly(sql::format(
            QStringLiteral(
                "insert into sqlite_sequence(name,seq) select '%s',max(ifnull(max(%1),0),%ld) "
                "from %2")
                .arg(column, shape.table),
            shape.table, given))) {
        *error = shape.table + QStringLiteral(": ") + file.lastError();
        return false;
    }
    return true;
}

bool copyAll(Database& server, Database& file, QString* error) {
    QList<tablecopy::Shape> shapes;
    if (!tablecopy::shapesOf(file, &shapes, error))
        return false;
    const QString different = tablecopy::mismatch(shapes, pgschema::tables(server));
    if (!different.isEmpty()) {
        *error = different;
        return false;
    }
    // What the reminders keep is left behind: the copy's first rebuild makes it.
    shapes.removeIf([](const tablecopy::Shape& shape) { return remindlog::isKept(shape.table); });
    for (const tablecopy::Shape& shape : shapes) {
        if (!file.executeQuietly(
                sql::Statement(QStringLiteral("delete from %1").arg(shape.table)))) {
            *error = file.lastError();
            return false;
        }
    }
    for (tablecopy::Shape& shape : shapes) {
        // A server keeps no passwords (people sign in as themselves), and a
        // member may not read the column that would hold them.
        if (shape.table == u"userlogin")
            shape.columns.removeAll(QStringLiteral("user_pwd"));
        // Made by the file's own triggers as the interactions and contacts arrive.
        if (shape.table == QLatin1String(latestcomm::kTable) ||
            shape.table == QLatin1String(basecount::kTable))
            continue;
        qint64 rows = 0;
        if (!tablecopy::copy(server, file, shape, &rows, error) ||
            !carryKeyCounter(server, file, shape, error))
            return false;
    }
    if (!remindlog::forget(file, error))
        return false;
    for (const tablecopy::Shape& shape : shapes) {
        const qint64 there = tablecopy::rowCount(server, shape.table);
        const qint64 here = tablecopy::rowCount(file, shape.table);
        if (there < 0 || here < 0 || there != here) {
            *error = QStringLiteral("%1: 服务器上 %2 行, 备份中 %3 行")
                         .arg(shape.table)
                         .arg(there)
                         .arg(here);
            return false;
        }
    }
    return true;
}

} // namespace

bool ServerSnapshot::toFile(Database& server, const QString& destination, QString* error) {
    if (!server.isServer() || !server.isOpen()) {
        *error = QStringLiteral("没有连接数据库服务器");
        return false;
    }
    if (QFileInfo(destination).isDir()) {
        *error = QStringLiteral("%1 是一个目录").arg(destination);
        return false;
    }
    const int version = schema::versionOf(server);
    if (version != schema::current()) {
        *error = QStringLiteral("服务器上的数据库是第 %1 版, 本程序是第 %2 版")
                     .arg(version)
                     .arg(schema::current());
        return false;
    }
    const QString partial = destination + QStringLiteral(".partial");
    QFile::remove(partial);
    OnlineBackup::removeCompanions(partial);
    if (!delivered::create(partial, error))
        return false;
    bool ok = false;
    {
        Database file;
        ok = file.open(partial) && file.executeQuietly(file.beginStatement());
        if (!ok)
            *error = file.lastError();
        // Every table read in one state of the server.
        if (ok && !server.executeQuietly("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")) {
            *error = server.lastError();
            ok = false;
        }
        if (ok) {
            ok = copyAll(server, file, error);
            server.rollback();
            if (ok && !file.executeQuietly("COMMIT")) {
                *error = file.lastError();
                ok = false;
            }
            if (!ok)
                file.rollback();
        }
    }
    if (ok) {
        // The copy stands alone: in rollback mode nothing of it lies beside it.
        SqliteConnection copy(partial, SqliteConnection::Mode::ReadWrite);
        QStringList verdict;
        if (!(copy.exec("PRAGMA journal_mode=DELETE") &&
              copy.column("PRAGMA quick_check", &verdict) &&
              verdict == QStringList{QStringLiteral("ok")})) {
            *error = copy.lastError().isEmpty() ? verdict.join(u'\n') : copy.lastError();
            ok = false;
        }
    }
    if (ok) {
        OnlineBackup::removeCompanions(destination);
        const QByteArray from = QFile::encodeName(partial);
        const QByteArray to = QFile::encodeName(destination);
        ok = std::rename(from.constData(), to.constData()) == 0;
        if (!ok)
            *error = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!ok) {
        QFile::remove(partial);
        OnlineBackup::removeCompanions(partial);
    }
    return ok;
}
