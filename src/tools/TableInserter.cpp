// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TableInserter.h"

#include "db/Database.h"

#include <QSqlError>
#include <QStringList>
#include <cstring>

void TableInserter::text(const char* column, const QString& value) {
    put(column, value.isNull() ? QStringLiteral("") : value);
}

void TableInserter::number(const char* column, qint64 value) {
    put(column, value);
}

void TableInserter::put(const char* column, const QVariant& value) {
    if (!prepared_)
        columns_.push_back(column);
    Q_ASSERT(std::size_t(values_.size()) < columns_.size() &&
             std::strcmp(columns_[std::size_t(values_.size())], column) == 0);
    values_.append(value);
}

bool TableInserter::write(QString* error) {
    if (!prepared_) {
        QStringList names, marks;
        for (const char* column : columns_) {
            names << QString::fromLatin1(column);
            marks << QStringLiteral("?");
        }
        const QString statement = QStringLiteral("insert into %1(%2) values(%3)")
                                      .arg(table_, names.join(u','), marks.join(u','));
        if (!query_.prepare(statement)) {
            *error = table_ + QStringLiteral(": ") + Database::describe(query_.lastError());
            values_.clear();
            return false;
        }
        prepared_ = true;
    }
    for (int i = 0; i < values_.size(); ++i)
        query_.bindValue(i, values_[i]);
    values_.clear();
    if (!query_.exec()) {
        *error = table_ + QStringLiteral(": ") + Database::describe(query_.lastError());
        return false;
    }
    ++rows_;
    return true;
}
