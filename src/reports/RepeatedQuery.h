// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Row.h"
#include "db/Statement.h"

#include <QSqlQuery>
#include <QString>
#include <functional>
#include <memory>

class Database;
class FileStatement;

// A select run once per exported row with that row's values: the engine
// compiles the statement the first time and only binds the values after that.
// Reports failures as Database::query does.
class RepeatedQuery {
  public:
    explicit RepeatedQuery(Database& db);
    ~RepeatedQuery();

    // Calls each(row) for every row until it returns false; false after a
    // failure (shown through the database's prompter).
    bool query(const sql::Statement& statement, const std::function<bool(const Row&)>& each);

  private:
    bool queryFile(const sql::Statement& statement, const std::function<bool(const Row&)>& each);

    Database& db_;
    // A file's statement, run by its engine directly; a server's goes through query_.
    std::unique_ptr<FileStatement> file_;
    QSqlQuery query_;
    QString prepared_;
};
