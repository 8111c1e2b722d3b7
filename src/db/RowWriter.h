// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class Database;

// Writes one row with many columns, field by field by column name: a new row of
// a table, or the rows of a table that a condition selects. Values are bound,
// never pasted into the statement, so any text is stored exactly as given.
class RowWriter {
  public:
    // A new row of table.
    RowWriter(Database& db, const QString& table);
    // The existing rows of table where condition holds (sql::format("comm_code=%ld", 12)).
    RowWriter(Database& db, const QString& table, const sql::Statement& condition);

    void set(const QString& column, const QString& text);
    void set(const QString& column, const char* text) { set(column, QString::fromUtf8(text)); }
    void set(const QString& column, qint64 number);
    void set(const QString& column, int number) { set(column, qint64(number)); }
    void set(const QString& column, long number) { set(column, qint64(number)); }
    void setNull(const QString& column);

    // Saves the row; a failure is reported through the database's Prompter.
    bool save();
    // The key of the row just inserted, -1 before a successful insert.
    qint64 newKey() const { return newKey_; }

  private:
    void put(const QString& column, const QVariant& value);

    Database& db_;
    QString table_;
    sql::Statement condition_;
    bool insert_;
    QList<QPair<QString, QVariant>> fields_;
    qint64 newKey_ = -1;
};
