// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/TableCopy.h"

#include "db/BatchInsert.h"
#include "db/Database.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <algorithm>

namespace tablecopy {

QString quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString quoted(const QStringList& names) {
    QStringList out;
    for (const QString& name : names)
        out << quoted(name);
    return out.join(u',');
}

namespace {

// Rows read at a time from the source.
constexpr int kPageRows = 5000;

} // namespace

bool shapesOf(Database& file, QList<Shape>* shapes, QString* error) {
    QStringList tables;
    if (!file.queryQuietly("select name from sqlite_master where type='table' and name not like "
                           "'sqlite_%' order by name",
                           [&](const Row& row) {
                               tables << row.textAt(0);
                               return true;
                           })) {
        *error = file.lastError();
        return false;
    }
    for (const QString& table : tables) {
        Shape shape;
        shape.table = table;
        QStringList keys;
        const sql::Statement info =
            sql::format("select name,pk from pragma_table_info('%s') order by cid", table);
        if (!file.queryQuietly(info, [&](const Row& row) {
                shape.columns << row.textAt(0);
                if (row.numberAt(1, 0) > 0)
                    keys << row.textAt(0);
                return true;
            })) {
            *error = file.lastError();
            return false;
        }
        if (keys.size() == 1)
            shape.key = keys.first();
        shapes->append(shape);
    }
    return true;
}

bool copy(Database& from, Database& to, const Shape& shape, qint64* rows, QString* error) {
    *rows = 0;
    BatchInsert insert(to, shape.table, shape.columns);
    const QString columns = quoted(shape.columns);
    const QString table = quoted(shape.table);
    const QString key = quoted(shape.key);
    // Tables with a key are read a page at a time, in key order.
    QVariant after;
    for (;;) {
        QSqlQuery read(from.connection());
        read.setForwardOnly(true);
        bool ok = false;
        if (shape.key.isEmpty()) {
            ok = read.exec(QStringLiteral("select %1 from %2").arg(columns, table));
        } else {
            const QString text =
                QStringLiteral("select %1 from %2 %3 order by %4 limit %5")
                    .arg(columns, table,
                         after.isValid() ? QStringLiteral("where %1>?").arg(key) : QString(), key)
                    .arg(kPageRows);
            ok = read.prepare(text);
            if (ok && after.isValid())
                read.addBindValue(after);
            ok = ok && read.exec();
        }
        if (!ok) {
            *error = shape.table + QStringLiteral(": ") + Database::describe(read.lastError());
            return false;
        }
        const int keyIndex = shape.key.isEmpty() ? -1 : int(shape.columns.indexOf(shape.key));
        int seen = 0;
        while (read.next()) {
            ++seen;
            QVariantList row;
            row.reserve(shape.columns.size());
            for (int i = 0; i < shape.columns.size(); ++i)
                row.append(read.value(i));
            if (keyIndex >= 0)
                after = read.value(keyIndex);
            if (!insert.add(row, error))
                return false;
        }
        if (read.lastError().isValid()) {
            *error = shape.table + QStringLiteral(": ") + Database::describe(read.lastError());
            return false;
        }
        if (shape.key.isEmpty() || seen < kPageRows)
            break;
    }
    const bool ok = insert.finish(error);
    *rows = insert.rows();
    return ok;
}

qint64 rowCount(Database& db, const QString& table) {
    qint64 count = -1;
    if (!db.queryQuietly(
            sql::Statement(QStringLiteral("select count(*) from %1").arg(quoted(table))),
            [&](const Row& row) {
                count = row.numberAt(0, -1);
                return false;
            }))
        return -1;
    return count;
}

QString mismatch(const QList<Shape>& fileTables, const QStringList& serverTables) {
    QSet<QString> onServer(serverTables.cbegin(), serverTables.cend());
    QSet<QString> inFile;
    for (const Shape& shape : fileTables) {
        inFile.insert(shape.table);
        if (!onServer.contains(shape.table))
            return QStringLiteral("服务器上没有表 %1").arg(shape.table);
    }
    for (const QString& table : serverTables) {
        if (!inFile.contains(table))
            return QStringLiteral("数据库文件中没有表 %1").arg(table);
    }
    return {};
}

} // namespace tablecopy
