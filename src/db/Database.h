// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Row.h"
#include "db/ServerAddress.h"
#include "db/Statement.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <functional>
#include <map>
#include <memory>

class Prompter;
struct sqlite3;

// One connection to the program's database file. The user-interface thread keeps
// one for the whole run; a worker thread opens its own on the same file. Every
// failing call reports the engine's error text through the Prompter (when there
// is one) and returns its failure value; nothing throws.
class FileStatement;

class Database {
  public:
    explicit Database(Prompter* prompter = nullptr);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing database file (never creates one), or the server
    // database a location names (ServerAddress.h). Reports nothing: the
    // caller decides what a failed open means.
    bool open(const QString& path);
    // A database on a server, with the address's password; lastError() has
    // the server's own words when it cannot be reached.
    bool openServer(const ServerAddress& address);
    void close();
    // The tidying close() does on a file (statistics, the write-ahead log),
    // done ahead while the program still waits anyway; close() then only closes.
    void tidyForClose();
    bool isOpen() const;
    // The file, or the server's location (never with its password).
    QString path() const { return path_; }
    bool isServer() const { return server_.isValid(); }
    // The server opened, password included; empty for a file.
    const ServerAddress& server() const { return server_; }
    // After the person changed their own password on the server: the next
    // connections (the tree builder's) sign in with the new one.
    void setServerPassword(const QString& password) { server_.password = password; }
    QString lastError() const { return lastError_; }

    // insert, update and delete statements.
    bool execute(const sql::Statement& statement);
    // The same, for callers that show their own message on failure (lastError() has the text).
    bool executeQuietly(const sql::Statement& statement);
    // An update or delete: the number of rows it changed, -1 on failure
    // (lastError() has the text; nothing is reported).
    qint64 executeCounted(const sql::Statement& statement);
    // select statements: calls each(row) for every row until it returns false.
    bool query(const sql::Statement& statement, const std::function<bool(const Row&)>& each);
    // The same without a message on failure (lastError() has the text).
    bool queryQuietly(const sql::Statement& statement, const std::function<bool(const Row&)>& each);
    // "select count(*) from ...": the single value, -1 on failure.
    qint64 count(const sql::Statement& statement);
    // Whether the statement gives at least one row (false on failure too).
    bool exists(const sql::Statement& statement);

    bool begin();
    // The same for callers that show their own message (lastError() has the text).
    bool beginQuietly();
    bool commit();
    bool rollback();
    // A transaction that only reads: every select in it sees the database as
    // it stood at the first one, whatever other connections commit meanwhile.
    // End it with rollback(). Reports a failure like begin().
    bool beginSnapshot();
    bool inTransaction() const { return inTransaction_; }
    // What begin() runs: a file's transaction takes its write lock at once.
    sql::Statement beginStatement() const;
    // Inside a transaction: the rows a select finds stay as they are until the
    // commit, so what is read now is what the writes replace. A file's
    // transaction already holds the whole file; a server locks those rows.
    bool lockRows(const sql::Statement& select);

    QSqlDatabase connection() const;
    // The engine's handle of an open database file; nullptr for a server.
    sqlite3* fileHandle() const;
    // A statement prepared once and kept while the connection is open, for
    // program-built statements run many times with new values (RowWriter's
    // inserts); nullptr with lastError() set when it does not prepare.
    QSqlQuery* prepared(const QString& programText);
    // The column the database fills in on an insert into table, when the
    // program must read it back from the statement itself (a server); empty
    // when the engine gives it as the last inserted row's id (a file).
    QString generatedKeyColumn(const QString& table);
    // Server program text run as it stands, not mapped (scripts already
    // translated for the server); false with lastError() set. Reports nothing.
    bool executeServerText(const QString& text);
    // The statements sent to the engine since the connection opened, each a
    // round trip on a server (a statement prepared afresh there costs three:
    // prepare, run, let go); for counting what a network adds.
    qint64 roundTrips() const { return roundTrips_; }
    void setPrompter(Prompter* prompter) { prompter_ = prompter; }
    Prompter* prompter() const { return prompter_; }

    // Shows a failed statement's error text and remembers it.
    void reportFailure(const QString& text);
    // The engine's own text of an error.
    static QString describe(const QSqlError& error);

    static constexpr int kBusyTimeoutMs = 20000;
    // How much of the file a connection maps into memory instead of reading it:
    // nothing (see open()).
    static constexpr qint64 kMapBytes = 0;
    // At close: how long to wait for a busy file, and how many rows of each
    // index a re-analysis looks at.
    static constexpr int kOptimizeWaitMs = 200;
    static constexpr int kAnalysisRows = 1000;

  private:
    // The last tidying of a file; false when it could not run (busy, read-only).
    void tidy();
    bool tidied_ = false;

    // Prepares the statement (names ordered for Chinese readers), binds its
    // values and runs it; false with lastError_ set on failure. Reports nothing.
    bool run(QSqlQuery& q, const sql::Statement& statement);
    // Runs the statement and hands its result to use. On a server a
    // statement with values is prepared once per connection and only run
    // again after that; false with lastError_ set. Reports nothing.
    bool runWith(const sql::Statement& statement, const std::function<bool(QSqlQuery&)>& use);

    QString name_;
    QString path_;
    ServerAddress server_;
    QHash<QString, QString> generatedKeys_;
    std::map<QString, std::unique_ptr<QSqlQuery>> prepared_;
    struct Reused {
        std::unique_ptr<QSqlQuery> query;
        bool busy = false; // walked now: a statement run inside the walk prepares its own
    };
    std::map<QString, Reused> reused_;
    // A file's selects with values, compiled once and run again with new ones.
    struct FileReused {
        std::unique_ptr<FileStatement> statement;
        bool busy = false; // walked now: a select run inside the walk compiles its own
    };
    std::map<QString, FileReused> fileReused_;
    qint64 roundTrips_ = 0;
    QString lastError_;
    Prompter* prompter_;
    bool inTransaction_ = false;
};
