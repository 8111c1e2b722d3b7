// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/RowWriter.h"

#include "db/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

RowWriter::RowWriter(Database& db, const QString& table) : db_(db), table_(table), insert_(true) {}

RowWriter::RowWriter(Database& db, const QString& table, const sql::Statement& condition)
    : db_(db), table_(table), condition_(condition), insert_(false) {}

void RowWriter::put(const QString& column, const QVariant& value) {
    for (auto& field : fields_) {
        if (field.first == column) {
            field.second = value;
            return;
        }
    }
    fields_.append({column, value});
}

void RowWriter::set(const QString& column, const QString& text) {
    // An empty text is stored as empty text, not NULL: the statements compare with ''.
    put(column, text.isNull() ? QStringLiteral("") : text);
}

void RowWriter::set(const QString& column, qint64 number) {
    put(column, number);
}

void RowWriter::setNull(const QString& column) {
    put(column, QVariant());
}

bool RowWriter::save() {
    QStringList columns;
    QStringList marks;
    for (const auto& field : fields_) {
        columns << field.first;
        marks << (insert_ ? QStringLiteral("?") : field.first + QStringLiteral("=?"));
    }
    QString statement;
    if (insert_) {
        statement = columns.isEmpty() ? QStringLiteral("insert into %1 default values").arg(table_)
                                      : QStringLiteral("insert into %1(%2) values(%3)")
                                            .arg(table_, columns.join(u','), marks.join(u','));
    } else {
        if (fields_.isEmpty())
            return true;
        statement = QStringLiteral("update %1 set %2 where %3")
                        .arg(table_, marks.join(u','), condition_.text());
    }
    if (!db_.isOpen()) {
        db_.reportFailure(QStringLiteral("数据库未打开"));
        return false;
    }
    // A server gives the new key back from the insert itself.
    const QString generatedKey = insert_ ? db_.generatedKeyColumn(table_) : QString();
    if (!generatedKey.isEmpty())
        statement += QStringLiteral(" returning ") + generatedKey;
    // The same insert comes back for every new contact: it is prepared once.
    QSqlQuery* q = db_.prepared(statement);
    if (!q) {
        db_.reportFailure(db_.lastError());
        return false;
    }
    int position = 0;
    for (const auto& field : fields_)
        q->bindValue(position++, field.second);
    for (const QVariant& value : condition_.values())
        q->bindValue(position++, value);
    const bool ok = q->exec();
    if (ok && insert_)
        newKey_ = generatedKey.isEmpty() ? q->lastInsertId().toLongLong()
                                         : (q->next() ? q->value(0).toLongLong() : -1);
    if (!ok)
        db_.reportFailure(Database::describe(q->lastError()));
    q->finish();
    return ok;
}
