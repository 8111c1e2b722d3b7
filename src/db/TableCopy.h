// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// Copies whole tables between a database file and a server database, both of
// this program's tables at the same version. Rows keep their keys. Values
// are bound, never written into statement text; names are written quoted.
namespace tablecopy {

struct Shape {
    QString table;
    QStringList columns;
    QString key; // the single-column primary key, or empty
};

// A table's or column's name as statement text for either engine: between
// double quotes, each one inside doubled. Several names: quoted, comma-separated.
QString quoted(const QString& name);
QString quoted(const QStringList& names);

// The tables of a database file, in name order, as its own schema declares them.
bool shapesOf(Database& file, QList<Shape>* shapes, QString* error);

// Copies every row of shape.table from one database to the other, in pages
// of the key when the table has one. The caller holds both transactions.
bool copy(Database& from, Database& to, const Shape& shape, qint64* rows, QString* error);

// "select count(*) from table", -1 on failure.
qint64 rowCount(Database& db, const QString& table);

// The tables of a file's schema missing on a server, or of a server missing in the file.
QString mismatch(const QList<Shape>& fileTables, const QStringList& serverTables);

} // namespace tablecopy
