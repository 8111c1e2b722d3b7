#include "server/ServerMigration.h"

#include "db/Database.h"
#include "db/PgSchema.h"
#include "db/SchemaVersion.h"
#include "server/TableCopy.h"

#include <QElapsedTimer>

namespace {

// The next key of a table's identity column: past every key it holds and past
// every key the file ever gave (a file never gives a key twice).
bool restartKeys(Database& file, Database& server, const tablecopy::Shape& shape, QString* error) {
    const QString column = server.generatedKeyColumn(shape.table);
    if (column.isEmpty())
        return true;
    qint64 used = 0;
    file.queryQuietly(sql::format("select seq from sqlite_sequence where name='%s'", shape.table),
                      [&](const Row& row) {
                          used = row.numberAt(0, 0);
                          return false;
                      });
    // Table and column are the program's own names.
    const QString restart =
        QStringLiteral("select setval(pg_get_serial_sequence('%1','%2'), "
                       "greatest(coalesce((select max(%2) from %1), 0), %ld) + 1, false)")
            .arg(shape.table, column);
    if (!server.queryQuietly(sql::format(restart, used), [](const Row&) { return false; })) {
        *error = shape.table + QStringLiteral(": ") + server.lastError();
        return false;
    }
    return true;
}

} // namespace

ServerMigration::Result ServerMigration::run(Database& file, Database& server, bool replace) {
    Result result;
    QElapsedTimer timer;
    timer.start();
    auto fail = [&](const QString& text) {
        result.error = text;
        result.rows.clear();
        return result;
    };
    const int fileVersion = schema::versionOf(file);
    const int serverVersion = schema::versionOf(server);
    if (fileVersion != schema::current())
        return fail(QStringLiteral("数据库文件是第 %1 版, 本程序是第 %2 版")
                        .arg(fileVersion)
                        .arg(schema::current()));
    if (serverVersion == 0)
        return fail(
            QStringLiteral("服务器上的数据库还没有建立: 请先运行 mavor-admin initdb --server"));
    if (serverVersion != schema::current())
        return fail(QStringLiteral("服务器上的数据库是第 %1 版, 本程序是第 %2 版")
                        .arg(serverVersion)
                        .arg(schema::current()));

    QList<tablecopy::Shape> shapes;
    QString error;
    if (!tablecopy::shapesOf(file, &shapes, &error))
        return fail(error);
    const QString different = tablecopy::mismatch(shapes, pgschema::tables(server));
    if (!different.isEmpty())
        return fail(different);

    if (!server.executeQuietly(server.beginStatement()))
        return fail(server.lastError());
    auto abandon = [&](const QString& text) {
        server.rollback();
        return fail(text);
    };
    QStringList names;
    for (const tablecopy::Shape& shape : shapes)
        names << shape.table;
    // Nobody reads half a copy or writes beside it; the lock waits for those
    // who are at work now.
    if (!server.executeServerText(QStringLiteral("lock table %1 in access exclusive mode")
                                      .arg(names.join(QStringLiteral(", ")))))
        return abandon(server.lastError());
    if (!replace) {
        const qint64 contacts = tablecopy::rowCount(server, QStringLiteral("base"));
        if (contacts != 0)
            return abandon(contacts < 0
                               ? server.lastError()
                               : QStringLiteral("服务器上已有 %1 个人脉, 没有改动: 要用文件中的"
                                                "资料替换它们, 请加 --replace")
                                     .arg(contacts));
    }
    if (!server.executeServerText(QStringLiteral("truncate table %1").arg(names.join(u','))))
        return abandon(server.lastError());
    for (const tablecopy::Shape& shape : shapes) {
        qint64 rows = 0;
        if (!tablecopy::copy(file, server, shape, &rows, &error) ||
            !restartKeys(file, server, shape, &error))
            return abandon(error);
        result.rows.append({shape.table, rows});
    }
    // Every table counted on both sides before anything is committed.
    for (const tablecopy::Shape& shape : shapes) {
        const qint64 there = tablecopy::rowCount(server, shape.table);
        const qint64 here = tablecopy::rowCount(file, shape.table);
        if (there < 0 || here < 0 || there != here)
            return abandon(QStringLiteral("%1: 文件中 %2 行, 服务器上 %3 行, 没有提交")
                               .arg(shape.table)
                               .arg(here)
                               .arg(there));
    }
    if (!server.executeQuietly("COMMIT"))
        return abandon(server.lastError());
    // The planner learns the new rows now rather than at the server's next
    // automatic pass: until then the counts of the tree read whole tables.
    // Only the program's tables: the shared catalogs are the superuser's.
    QStringList copied;
    for (const tablecopy::Shape& shape : shapes)
        copied << shape.table;
    server.executeServerText(QStringLiteral("analyze ") + copied.join(QStringLiteral(", ")));
    result.ok = true;
    result.milliseconds = timer.elapsed();
    return result;
}
