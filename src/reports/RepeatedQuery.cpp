// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/RepeatedQuery.h"

#include "db/Database.h"
#include "db/FileStatement.h"
#include "db/ServerDialect.h"

#include <QSqlError>

RepeatedQuery::RepeatedQuery(Database& db) : db_(db), query_(db.connection()) {
    query_.setForwardOnly(true);
    if (sqlite3* handle = db.fileHandle())
        file_ = std::make_unique<FileStatement>(handle);
}

RepeatedQuery::~RepeatedQuery() = default;

bool RepeatedQuery::queryFile(const sql::Statement& statement,
                              const std::function<bool(const Row&)>& each) {
    if (statement.text() != prepared_) {
        prepared_.clear();
        if (!file_->prepare(sql::withNameOrder(statement.text()))) {
            db_.reportFailure(Database::describe(file_->error()));
            return false;
        }
        prepared_ = statement.text();
    }
    if (!file_->bind(statement.values())) {
        db_.reportFailure(Database::describe(file_->error()));
        return false;
    }
    // The walk lets go of the read; the statement stays compiled for the next batch.
    if (!file_->walk(each)) {
        db_.reportFailure(Database::describe(file_->error()));
        return false;
    }
    return true;
}

bool RepeatedQuery::query(const sql::Statement& statement,
                          const std::function<bool(const Row&)>& each) {
    if (file_)
        return queryFile(statement, each);
    // The same template comes again and again: only a new one is read for its names.
    if (statement.text() != prepared_) {
        prepared_.clear();
        QString text = sql::withNameOrder(statement.text());
        if (db_.isServer())
            text = serverdialect::statement(text);
        if (!query_.prepare(text)) {
            db_.reportFailure(Database::describe(query_.lastError()));
            return false;
        }
        prepared_ = statement.text();
    }
    const QVariantList& values = statement.values();
    for (int i = 0; i < values.size(); ++i)
        query_.bindValue(i, values.at(i));
    if (!query_.exec()) {
        db_.reportFailure(Database::describe(query_.lastError()));
        return false;
    }
    bool ok = true;
    {
        const Row row(query_);
        while (query_.next()) {
            if (!each(row))
                break;
        }
        if (query_.lastError().isValid()) {
            db_.reportFailure(Database::describe(query_.lastError()));
            ok = false;
        }
    }
    // Let go of the read: the statement stays compiled for the next row.
    query_.finish();
    return ok;
}
