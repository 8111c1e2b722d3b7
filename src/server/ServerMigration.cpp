// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/ServerMigration.h"

#include "backup/ProgramDatabase.h"
#include "db/BaseCounts.h"
#include "db/Database.h"
#include "db/DeliveredReference.h"
#include "db/LatestComm.h"
#include "db/PgSchema.h"
#include "db/RemindLog.h"
#include "db/SchemaVersion.h"
#include "db/TableCopy.h"
#include "server/TeamRoles.h"

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
    // The names go as bound texts: the first is read as a (quoted) table name,
    // the second as a column name as it stands.
    const sql::Statement restart = sql::format(
        QStringLiteral("select setval(pg_get_serial_sequence('%s','%s'), "
                       "greatest(coalesce((select max(%1) from %2), 0), %ld) + 1, false)")
            .arg(tablecopy::quoted(column), tablecopy::quoted(shape.table)),
        tablecopy::quoted(shape.table), column, used);
    if (!server.queryQuietly(restart, [](const Row&) { return false; })) {
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
        result.replaced.clear();
        result.passwordsCleared = false;
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

    // A file that holds anything the program's own does not (a trigger, a
    // column whose name reads as a statement) gives nothing, not even its
    // rows; the tables and columns copied are those of a database made now.
    const ProgramDatabase::Inspection inspection = ProgramDatabase::inspect(file.path(), false);
    switch (inspection.verdict) {
    case ProgramDatabase::Verdict::Ok:
        break;
    case ProgramDatabase::Verdict::Foreign:
        return fail(QStringLiteral("数据库文件不是本程序的: 没有 %1").arg(inspection.detail));
    case ProgramDatabase::Verdict::Unexpected:
        return fail(QStringLiteral("数据库文件与本程序的结构不同: %1").arg(inspection.detail));
    default:
        return fail(QStringLiteral("无法读取数据库文件: %1").arg(inspection.detail));
    }
    DeliveredReference reference;
    if (!reference.isValid())
        return fail(QStringLiteral("无法建立本程序的数据库: ") + reference.error());
    QList<tablecopy::Shape> shapes;
    QString error;
    if (!tablecopy::shapesOf(reference.database(), &shapes, &error))
        return fail(error);
    const QString different = tablecopy::mismatch(shapes, pgschema::tables(server));
    if (!different.isEmpty())
        return fail(different);
    // What the reminders keep is left behind: the server's first rebuild makes it.
    shapes.removeIf([](const tablecopy::Shape& shape) { return remindlog::isKept(shape.table); });

    if (!server.executeQuietly(server.beginStatement()))
        return fail(server.lastError());
    auto abandon = [&](const QString& text) {
        server.rollback();
        return fail(text);
    };
    // Those are emptied with the rest, their counters restarted with the
    // transaction's fate.
    QStringList names = remindlog::kTables;
    for (const tablecopy::Shape& shape : shapes)
        names << shape.table;
    // Nobody reads half a copy or writes beside it; the lock waits for those
    // who are at work now.
    if (!server.executeServerText(
            QStringLiteral("lock table %1 in access exclusive mode").arg(tablecopy::quoted(names))))
        return abandon(server.lastError());
    // What the server holds beyond a new database's starting rows (users,
    // queued messages, contacts) goes only when the caller says so.
    QStringList beyond;
    for (const tablecopy::Shape& shape : shapes) {
        const qint64 there = tablecopy::rowCount(server, shape.table);
        const qint64 delivered = tablecopy::rowCount(reference.database(), shape.table);
        if (there < 0 || delivered < 0)
            return abandon(there < 0 ? server.lastError() : reference.database().lastError());
        if (there > 0)
            result.replaced.append({shape.table, there});
        if (there > delivered)
            beyond << QStringLiteral("%1 %2 行 (新数据库 %3 行)")
                          .arg(shape.table)
                          .arg(there)
                          .arg(delivered);
    }
    if (!replace && !beyond.isEmpty())
        return abandon(QStringLiteral("服务器上已有资料, 没有改动: %1. 要用文件中的资料替换它们, "
                                      "请加 --replace")
                           .arg(beyond.join(QStringLiteral(", "))));
    if (!replace)
        result.replaced.clear();
    // A key counter set by setval stays set whatever becomes of the
    // transaction, unless the counter itself was made anew in it: restarting
    // them with the truncation does that, so a rollback restores them too.
    if (!server.executeServerText(
            QStringLiteral("truncate table %1 restart identity").arg(tablecopy::quoted(names))))
        return abandon(server.lastError());
    // Each contact's newest interaction and the contacts' counts are made once
    // from all of them rather than kept after every row; the triggers are back
    // before the commit.
    if (!server.executeServerText(QStringLiteral("alter table comm disable trigger user")) ||
        !server.executeServerText(QStringLiteral("alter table base disable trigger user")))
        return abandon(server.lastError());
    for (const tablecopy::Shape& shape : shapes) {
        qint64 rows = 0;
        if (shape.table == QLatin1String(latestcomm::kTable) ||
            shape.table == QLatin1String(basecount::kTable)) {
            result.rows.append({shape.table, 0});
            continue;
        }
        if (!tablecopy::copy(file, server, shape, &rows, &error) ||
            !restartKeys(file, server, shape, &error))
            return abandon(error);
        result.rows.append({shape.table, rows});
    }
    if (!latestcomm::refill(server, &error) || !basecount::refill(server, &error) ||
        !remindlog::forget(server, &error) ||
        !server.executeServerText(QStringLiteral("alter table comm enable trigger user")) ||
        !server.executeServerText(QStringLiteral("alter table base enable trigger user")))
        return abandon(server.lastError());
    for (auto& copied : result.rows) {
        if (copied.first == QLatin1String(latestcomm::kTable) ||
            copied.first == QLatin1String(basecount::kTable))
            copied.second = tablecopy::rowCount(server, copied.first);
    }
    // The server checks each person's password itself: the file's form of
    // them, which the program's key decodes, stays behind, and every user of
    // the file without a login of the team gets one. The logins the server
    // has stay as they are.
    if (!team::clearStoredPasswords(server, &error))
        return abandon(error);
    result.passwordsCleared = true;
    if (team::roleExists(server, team::membersRole(server.server().database))) {
        const auto people = team::addMissingPeople(server, &error);
        if (!people)
            return abandon(error);
        result.people = *people;
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
    // VACUUM marks the new pages visible to all, so counts read indexes alone.
    server.executeServerText(QStringLiteral("vacuum (analyze) ") + tablecopy::quoted(names));
    result.ok = true;
    result.milliseconds = timer.elapsed();
    return result;
}
