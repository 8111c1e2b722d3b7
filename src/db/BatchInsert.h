// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

class Database;

// Inserts many rows into one table, values bound. On a file each row is one
// execution of a prepared statement; on a server rows go several to a
// statement (up to 500, within the server's 65535 values), so a thousand rows
// cost a few round trips instead of a thousand. The caller holds the
// transaction; finish() writes what is still pending.
class BatchInsert {
  public:
    // table and columns are written quoted.
    BatchInsert(Database& db, const QString& table, const QStringList& columns);
    ~BatchInsert();

    // One row, its values in the order of the columns.
    bool add(const QVariantList& row, QString* error);
    bool finish(QString* error);
    // Rows written so far (finish() included).
    qint64 rows() const { return rows_; }

  private:
    bool flush(bool all, QString* error);
    QString text(int rows) const;

    Database& db_;
    QString table_;
    QStringList columns_;
    int perStatement_;
    std::unique_ptr<QSqlQuery> full_;
    QVariantList pending_;
    qint64 rows_ = 0;
};
