#include "db/SchemaDifferences.h"

#include "db/DeliveredDatabase.h"
#include "db/SchemaVersion.h"

#include <QMap>

namespace {

// A table's columns in declared order: name, then its declaration (type, not
// null, default, key, hidden).
using Columns = QList<QPair<QString, QString>>;

// The structure of one database file, every part keyed by its name.
struct Structure {
    QMap<QString, Columns> tables;
    QMap<QString, QString> indexes; // index -> "table(columns)"
    QStringList triggers;
    QStringList views;
    QString error;
};

const QString* declarationOf(const Columns& columns, const QString& name) {
    for (const auto& column : columns) {
        if (column.first == name)
            return &column.second;
    }
    return nullptr;
}

Structure structureOf(Database& db) {
    struct Object {
        QString type, name, table;
    };
    QList<Object> objects;
    Structure s;
    if (!db.queryQuietly("select type, name, tbl_name from sqlite_master order by type, name",
                         [&](const Row& row) {
                             objects.append({row.textAt(0), row.textAt(1), row.textAt(2)});
                             return true;
                         })) {
        s.error = db.lastError();
        return s;
    }
    for (const Object& object : objects) {
        if (object.type == u"table") {
            // The engine's own bookkeeping (key counters, statistics).
            if (object.name.startsWith(u"sqlite_"))
                continue;
            Columns& columns = s.tables[object.name];
            db.queryQuietly(sql::format("select name, upper(type), \"notnull\", dflt_value, pk, "
                                        "hidden from pragma_table_xinfo('%s') order by cid",
                                        object.name),
                            [&](const Row& row) {
                                QStringList parts;
                                for (int c = 1; c < 6; ++c)
                                    parts << row.textAt(c);
                                columns.append({row.textAt(0), parts.join(u'|')});
                                return true;
                            });
        } else if (object.type == u"index") {
            QStringList columns;
            db.queryQuietly(
                sql::format("select name from pragma_index_info('%s') order by seqno", object.name),
                [&](const Row& row) {
                    columns << row.textAt(0);
                    return true;
                });
            s.indexes.insert(object.name, object.table + u'(' + columns.join(u',') + u')');
        } else if (object.type == u"trigger") {
            s.triggers << object.name;
        } else if (object.type == u"view") {
            s.views << object.name;
        }
    }
    return s;
}

} // namespace

DeliveredReference::DeliveredReference() {
    if (!dir_.isValid()) {
        error_ = dir_.errorString();
        return;
    }
    const QString path = dir_.filePath(QStringLiteral("delivered.tdb"));
    if (!delivered::create(path, &error_))
        return;
    if (!db_.open(path)) {
        error_ = db_.lastError();
        return;
    }
    valid_ = true;
}

QStringList schemaDifferences(Database& file, Database& reference) {
    const int version = schema::versionOf(file);
    if (version != schema::current())
        return {
            QStringLiteral("文件是第 %1 版, 本程序是第 %2 版").arg(version).arg(schema::current())};
    const Structure want = structureOf(reference);
    Structure have = structureOf(file);
    if (!want.error.isEmpty())
        return {QStringLiteral("无法读出本程序的数据库结构: ") + want.error};
    if (!have.error.isEmpty())
        return {QStringLiteral("无法读出文件的结构: ") + have.error};

    QStringList out;
    for (auto t = have.tables.cbegin(); t != have.tables.cend(); ++t) {
        if (!want.tables.contains(t.key()))
            out << QStringLiteral("多了表 %1").arg(t.key());
    }
    for (auto t = want.tables.cbegin(); t != want.tables.cend(); ++t) {
        if (!have.tables.contains(t.key())) {
            out << QStringLiteral("少了表 %1").arg(t.key());
            continue;
        }
        const Columns& columns = have.tables[t.key()];
        for (const auto& column : columns) {
            if (!declarationOf(*t, column.first))
                out << QStringLiteral("表 %1 多了列 %2").arg(t.key(), column.first);
        }
        for (const auto& column : *t) {
            const QString* there = declarationOf(columns, column.first);
            if (!there)
                out << QStringLiteral("表 %1 少了列 %2").arg(t.key(), column.first);
            else if (*there != column.second)
                out << QStringLiteral("表 %1 的列 %2 定义不同").arg(t.key(), column.first);
        }
    }
    for (auto i = have.indexes.cbegin(); i != have.indexes.cend(); ++i) {
        if (!want.indexes.contains(i.key()))
            out << QStringLiteral("多了索引 %1").arg(i.key());
        else if (want.indexes.value(i.key()) != i.value())
            out << QStringLiteral("索引 %1 不同").arg(i.key());
    }
    for (auto i = want.indexes.cbegin(); i != want.indexes.cend(); ++i) {
        if (!have.indexes.contains(i.key()))
            out << QStringLiteral("少了索引 %1").arg(i.key());
    }
    for (const QString& name : have.triggers)
        out << QStringLiteral("有触发器 %1").arg(name);
    for (const QString& name : have.views)
        out << QStringLiteral("有视图 %1").arg(name);
    return out;
}

QStringList schemaDifferences(Database& file) {
    DeliveredReference reference;
    if (!reference.isValid())
        return {QStringLiteral("无法建立本程序的数据库: ") + reference.error()};
    return schemaDifferences(file, reference.database());
}

QString describeSchemaDifferences(const QStringList& differences) {
    return QStringLiteral("数据库文件与本程序的结构不同: ") +
           differences.join(QStringLiteral(", "));
}
