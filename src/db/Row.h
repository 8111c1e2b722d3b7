#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>

// One row of a forward walk over a result, read field by field by column name.
// A NULL or missing field is never converted: the caller's default comes back.
class Row {
  public:
    explicit Row(const QSqlQuery& query);

    bool isNull(const QString& column) const;
    QString text(const QString& column, const QString& fallback = QString()) const;
    qint64 number(const QString& column, qint64 fallback = -1) const;
    QVariant value(const QString& column) const;

    // By position, for statements whose columns have no useful name.
    QString textAt(int index, const QString& fallback = QString()) const;
    qint64 numberAt(int index, qint64 fallback = -1) const;
    int columnCount() const { return record_.count(); }
    // The position of a named column (-1 when the row has none): a long walk
    // finds its columns once and then reads them by position.
    int indexOf(const QString& column) const;

  private:
    const QSqlQuery& query_;
    QSqlRecord record_;
    mutable QHash<QString, int> indexes_;
};
