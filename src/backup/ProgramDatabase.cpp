#include "backup/ProgramDatabase.h"

#include "backup/SqliteConnection.h"
#include "db/DeliveredDatabase.h"

#include <QFileInfo>
#include <QSet>
#include <sqlite3.h>

namespace {

// Every column of every table, as "table.column".
const char* const kColumns =
    "select m.name || '.' || p.name from sqlite_master as m, pragma_table_info(m.name) as p "
    "where m.type='table' and m.name not like 'sqlite_%' order by m.name, p.cid";

} // namespace

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
    result.verdict = Verdict::Ok;
    return result;
}
