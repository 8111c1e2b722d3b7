// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <optional>

struct sqlite3_stmt;

// One row of a forward walk over a result, read field by field by column name.
// A NULL or missing field is never converted: the caller's default comes back.
// A file's rows are read straight from the engine's statement, and only the
// fields asked for are converted; a server's come through its QSqlQuery.
class Row {
  public:
    explicit Row(const QSqlQuery& query);
    explicit Row(sqlite3_stmt* statement);

    bool isNull(const QString& column) const;
    bool isNullAt(int index) const;
    QString text(const QString& column, const QString& fallback = QString()) const;
    qint64 number(const QString& column, qint64 fallback = -1) const;
    QVariant value(const QString& column) const;

    // By position, for statements whose columns have no useful name.
    QString textAt(int index, const QString& fallback = QString()) const;
    qint64 numberAt(int index, qint64 fallback = -1) const;
    // A number with a fraction (a sum, amount()); empty for NULL.
    std::optional<double> realAt(int index) const;
    // The field as UTF-8 text without a QString in between, for long walks
    // that only pick digits out of it; valid until the walk moves on. Empty
    // for NULL.
    QByteArrayView bytesAt(int index) const;
    int columnCount() const { return columnCount_; }
    // The position of a named column (-1 when the row has none; names are
    // matched without regard to case): a long walk finds its columns once and
    // then reads them by position.
    int indexOf(const QString& column) const;

  private:
    QVariant valueAt(int index) const;
    int positionOf(const QString& column) const;

    const QSqlQuery* query_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    QSqlRecord record_;
    QStringList names_;
    int columnCount_ = 0;
    mutable QHash<QString, int> indexes_;
    mutable QByteArray bytes_; // bytesAt()'s text of a server's field
};
