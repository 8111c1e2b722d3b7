// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <vector>

// Inserts many rows of one table through one prepared statement with bound
// values. The first row fixes the column list; every later row sets the same
// columns in the same order.
class TableInserter {
  public:
    TableInserter(const QSqlDatabase& db, const QString& table) : query_(db), table_(table) {}

    // Empty text is stored as empty text, never NULL: the program's statements compare with ''.
    void text(const char* column, const QString& value);
    void number(const char* column, qint64 value);

    // Writes the row set since the last write; the error names the table.
    bool write(QString* error);

    qint64 lastKey() const { return query_.lastInsertId().toLongLong(); }
    qint64 rows() const { return rows_; }

  private:
    void put(const char* column, const QVariant& value);

    QSqlQuery query_;
    QString table_;
    std::vector<const char*> columns_;
    QVariantList values_;
    bool prepared_ = false;
    qint64 rows_ = 0;
};
