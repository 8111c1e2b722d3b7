// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlError>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class Row;
struct sqlite3;
struct sqlite3_stmt;

// One select on a database file, run on the engine's own statement: the rows
// are read where they lie instead of each being copied field by field first.
// Errors carry the engine's code and words, as the connection's own would.
class FileStatement {
  public:
    explicit FileStatement(sqlite3* handle) : handle_(handle) {}
    ~FileStatement();
    FileStatement(const FileStatement&) = delete;
    FileStatement& operator=(const FileStatement&) = delete;

    // Compiles one statement; false with error() set when it does not
    // compile, or when more than one is given.
    bool prepare(const QString& text);
    // Starts the compiled statement anew with these values, bound in order;
    // false with error() set when they do not fit it.
    bool bind(const QVariantList& values);
    bool prepare(const QString& text, const QVariantList& values) {
        return prepare(text) && bind(values);
    }
    // The next row: true while there is one; false at the end, or on failure
    // with error() set.
    bool next();
    // Calls each(row) for every row until it returns false, then lets go of
    // the file (the statement stays compiled); false on failure, with error() set.
    bool walk(const std::function<bool(const Row&)>& each);
    sqlite3_stmt* statement() const { return statement_; }
    const QSqlError& error() const { return error_; }

  private:
    bool bindOne(int position, const QVariant& value);
    // The engine's own words for its last error.
    void fail(const QString& what, int code);
    // A statement refused before the engine runs it.
    void refuse(const QString& what, const QString& words, int code);

    sqlite3* handle_;
    sqlite3_stmt* statement_ = nullptr;
    // The walks' row, with the positions of the columns asked for by name:
    // a statement run again finds them without searching.
    std::unique_ptr<Row> row_;
    QSqlError error_;
};
