// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/ProgramDatabase.h"

#include "backup/SqliteConnection.h"
#include "db/DeliveredDatabase.h"
#include "db/SchemaVersion.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <sqlite3.h>

namespace {

// Every column of every table, as "table.column".
const char* const kColumns =
    "select m.name || '.' || p.name from sqlite_master as m, pragma_table_info(m.name) as p "
    "where m.type='table' and m.name not like 'sqlite_%' order by m.name, p.cid";

// Every object of the schema but those the engine keeps for itself: its
// statistics and sequence tables, and the indexes it makes for a table's
// unique and primary keys (they follow from the table, which is compared).
const char* const kObjects =
    "select type || ' ' || name || ' ' || tbl_name from sqlite_master "
    "where not (type='table' and name in ('sqlite_sequence','sqlite_stat1','sqlite_stat2',"
    "'sqlite_stat3','sqlite_stat4')) "
    "and not (type='index' and sql is null and name like 'sqlite\\_autoindex\\_%' escape '\\') "
    "order by type, name";

// Every column of every table with its declaration (type, not null, default,
// key, hidden), as "table.column<TAB>declaration": a column the program does
// not have, or one declared otherwise, is a file made elsewhere.
const char* const kDeclarations =
    "select m.name || '.' || p.name || char(9) || upper(p.type) || '|' || p.\"notnull\" || '|' "
    "|| ifnull(p.dflt_value, '') || '|' || p.pk || '|' || p.hidden "
    "from sqlite_master as m, pragma_table_xinfo(m.name) as p "
    "where m.type='table' and m.name not like 'sqlite_%' order by m.name, p.cid";

// Every trigger with its statement, as "name<TAB>statement": the program's
// own are known by their whole text, not only their names.
const char* const kTriggers =
    "select name || char(9) || sql from sqlite_master where type='trigger' order by name";

// "表 base 多了列 x", "表 base 的列 x 定义不同" for the columns of the program's
// tables that a new file of the same version does not have as they are.
QStringList columnDifferences(const QStringList& inFile, const QStringList& expected) {
    QHash<QString, QString> known;
    QSet<QString> tables;
    for (const QString& line : expected) {
        const QString column = line.section(u'\t', 0, 0);
        known.insert(column, line.section(u'\t', 1));
        tables.insert(column.section(u'.', 0, 0));
    }
    QStringList out;
    for (const QString& line : inFile) {
        const QString column = line.section(u'\t', 0, 0);
        const QString table = column.section(u'.', 0, 0);
        const QString name = column.section(u'.', 1);
        // A table of its own is named as an object already.
        if (!tables.contains(table))
            continue;
        const auto found = known.constFind(column);
        if (found == known.cend())
            out << QStringLiteral("表 %1 多了列 %2").arg(table, name);
        else if (*found != line.section(u'\t', 1))
            out << QStringLiteral("表 %1 的列 %2 定义不同").arg(table, name);
    }
    return out;
}

QString describeObject(const QString& object) {
    const QStringList parts = object.split(u' ');
    if (parts.size() != 3)
        return object;
    static const QHash<QString, QString> kinds{
        {QStringLiteral("table"), QStringLiteral("表")},
        {QStringLiteral("index"), QStringLiteral("索引")},
        {QStringLiteral("view"), QStringLiteral("视图")},
        {QStringLiteral("trigger"), QStringLiteral("触发器")}};
    const QString kind = kinds.value(parts[0], parts[0]);
    if (parts[0] == u"table" || parts[0] == u"view")
        return QStringLiteral("%1 %2").arg(kind, parts[1]);
    return QStringLiteral("%1 %2 (表 %3)").arg(kind, parts[1], parts[2]);
}

// The version a file says it holds: the first release wrote none.
int versionOf(SqliteConnection& file) {
    QStringList value;
    if (!file.column("PRAGMA user_version", &value) || value.isEmpty())
        return 1;
    return qMax(1, value.first().toInt());
}

} // namespace

ProgramDatabase::Expected ProgramDatabase::expected(int version) {
    static QMutex mutex;
    static QHash<int, Expected> made;
    const QMutexLocker locker(&mutex);
    if (const auto found = made.constFind(version); found != made.cend())
        return *found;
    // A new file of that version, made in memory from the program's own scripts.
    SqliteConnection schema(QStringLiteral(":memory:"), SqliteConnection::Mode::Create);
    const QByteArray script = delivered::schemaScript().toUtf8();
    bool ok = !script.isEmpty() && schema.exec(script.constData());
    for (const schema::Step& step : schema::steps()) {
        if (!ok || step.version > version)
            break;
        const QByteArray statements = schema::scriptOf(step).toUtf8();
        ok = !statements.isEmpty() && schema.exec(statements.constData());
    }
    Expected result;
    if (!ok || !schema.column(kObjects, &result.objects) ||
        !schema.column(kDeclarations, &result.declarations) ||
        !schema.column(kTriggers, &result.triggers))
        result = {};
    made.insert(version, result);
    return result;
}

QStringList ProgramDatabase::expectedObjects(int version) {
    return expected(version).objects;
}

QStringList ProgramDatabase::expectedColumns() {
    static const QStringList columns = [] {
        QStringList result;
        SqliteConnection schema(QStringLiteral(":memory:"), SqliteConnection::Mode::Create);
        const QByteArray script = delivered::schemaScript().toUtf8();
        if (schema.exec(script.constData()))
            schema.column(kColumns, &result);
        return result;
    }();
    return columns;
}

ProgramDatabase::Inspection ProgramDatabase::inspect(const QString& path, bool quickCheck) {
    Inspection result;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        result.verdict = Verdict::Missing;
        return result;
    }
    if (!SqliteConnection::hasDatabaseHeader(path)) {
        result.verdict = Verdict::NotDatabase;
        return result;
    }
    SqliteConnection file(path, SqliteConnection::Mode::ReadOnly);
    QStringList findings;
    if (quickCheck && (!file.column("PRAGMA quick_check", &findings) ||
                       findings != QStringList{QStringLiteral("ok")})) {
        result.verdict = file.lastCode() == SQLITE_NOTADB ? Verdict::NotDatabase : Verdict::Damaged;
        result.detail = findings.isEmpty() ? file.lastError() : findings.join(u'\n');
        return result;
    }
    QStringList present;
    if (!file.column(kColumns, &present)) {
        result.verdict = Verdict::Damaged;
        result.detail = file.lastError();
        return result;
    }
    const QStringList expected = expectedColumns();
    if (expected.isEmpty()) {
        // Without the program's own schema nothing can be told apart: refuse.
        result.verdict = Verdict::Foreign;
        result.detail = QStringLiteral("程序中缺少数据库脚本");
        return result;
    }
    const QSet<QString> has(present.cbegin(), present.cend());
    for (const QString& column : expected) {
        if (!has.contains(column)) {
            result.verdict = Verdict::Foreign;
            result.detail = column;
            return result;
        }
    }
    // Compared at the file's own version: an older file is upgraded after the restore.
    const Expected reference = ProgramDatabase::expected(qMin(versionOf(file), schema::current()));
    const QStringList& objects = reference.objects;
    QStringList inFile;
    QStringList declarations;
    QStringList triggers;
    if (objects.isEmpty() || !file.column(kObjects, &inFile) ||
        !file.column(kDeclarations, &declarations) || !file.column(kTriggers, &triggers)) {
        result.verdict = objects.isEmpty() ? Verdict::Foreign : Verdict::Damaged;
        result.detail =
            objects.isEmpty() ? QStringLiteral("程序中缺少数据库脚本") : file.lastError();
        return result;
    }
    const QSet<QString> known(objects.cbegin(), objects.cend());
    for (const QString& object : inFile) {
        if (!known.contains(object))
            result.unexpected << describeObject(object);
    }
    // A trigger under one of the program's names that does something else.
    const QSet<QString> ownTriggers(reference.triggers.cbegin(), reference.triggers.cend());
    QSet<QString> ownNames;
    for (const QString& trigger : reference.triggers)
        ownNames.insert(trigger.section(u'\t', 0, 0));
    for (const QString& trigger : triggers) {
        const QString name = trigger.section(u'\t', 0, 0);
        if (ownNames.contains(name) && !ownTriggers.contains(trigger))
            result.unexpected << QStringLiteral("触发器 %1 的内容与本程序的不同").arg(name);
    }
    result.unexpected << columnDifferences(declarations, reference.declarations);
    if (!result.unexpected.isEmpty()) {
        result.verdict = Verdict::Unexpected;
        result.detail = result.unexpected.join(QStringLiteral(", "));
        return result;
    }
    result.verdict = Verdict::Ok;
    return result;
}
