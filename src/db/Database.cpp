// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"

#include "base/Prompter.h"
#include "db/EngineErrors.h"
#include "db/FileStatement.h"
#include "db/JetFunctions.h"
#include "db/ServerDialect.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

QString connectionName() {
    static QAtomicInt counter;
    return QStringLiteral("mavor-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

Database::Database(Prompter* prompter) : name_(connectionName()), prompter_(prompter) {}

Database::~Database() {
    close();
}

bool Database::open(const QString& path) {
    if (ServerAddress::isLocation(path)) {
        const auto address = ServerAddress::fromLocation(path);
        if (address)
            return openServer(*address);
        close();
        lastError_ = QStringLiteral("无法识别的数据库服务器地址: %1").arg(path);
        return false;
    }
    close();
    server_ = {};
    path_ = path;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        lastError_ = QStringLiteral("文件不存在: %1").arg(path);
        return false;
    }
    bool ok = false;
    {
        // The handle and its query must be gone before a failed connection is
        // removed, or the removal leaves the connection in use.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open()) {
            lastError_ = describe(db.lastError());
        } else {
            QSqlQuery q(db);
            // Reading the schema proves the file is a database; WAL lets another
            // connection read while this one writes. The file is read, not
            // mapped: a mapped file counts whole in the program's memory, once
            // for each connection, hundreds of megabytes for a large network
            // whose pages the system caches anyway.
            ok = q.exec(QStringLiteral("select count(*) from sqlite_master")) &&
                 q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) &&
                 q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs)) &&
                 q.exec(QStringLiteral("PRAGMA mmap_size=%1").arg(kMapBytes)) &&
                 jet::registerFunctions(db);
            if (!ok)
                lastError_ = q.lastError().isValid() ? describe(q.lastError())
                                                     : QStringLiteral("无法注册日期函数");
        }
    }
    if (!ok)
        close();
    return ok;
}

void Database::close() {
    prepared_.clear();
    reused_.clear();
    fileReused_.clear();
    if (!QSqlDatabase::contains(name_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen()) {
            if (!tidied_)
                tidy();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name_);
    tidied_ = false;
    inTransaction_ = false;
    generatedKeys_.clear();
}

void Database::tidy() {
    if (inTransaction_ || isServer() || !isOpen())
        return;
    // The planner's statistics follow a network that grew or shrank many
    // times over, within a small budget; a file that is busy, read-only or
    // full keeps them as they are. The log is folded into the file now, so
    // that closing has nothing left to copy.
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kOptimizeWaitMs));
    q.exec(QStringLiteral("PRAGMA analysis_limit=%1").arg(kAnalysisRows));
    q.exec(QStringLiteral("PRAGMA optimize"));
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs));
}

void Database::tidyForClose() {
    tidy();
    tidied_ = true;
}

bool Database::isOpen() const {
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(name_, false);
}

QSqlQuery* Database::prepared(const QString& programText) {
    if (!isOpen()) {
        lastError_ = QStringLiteral("数据库未打开");
        return nullptr;
    }
    auto found = prepared_.find(programText);
    if (found != prepared_.end())
        return found->second.get();
    // A few shapes of statement are run over and over; anything else is not kept long.
    constexpr std::size_t kMostKept = 16;
    if (prepared_.size() >= kMostKept)
        prepared_.clear();
    auto query = std::make_unique<QSqlQuery>(connection());
    if (!query->prepare(programText)) {
        lastError_ = describe(query->lastError());
        return nullptr;
    }
    return prepared_.emplace(programText, std::move(query)).first->second.get();
}

QString Database::describe(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.startsWith(u"ERROR:") || text.startsWith(u"FATAL:"))
        return serverdialect::message(text);
    if (text.isEmpty())
        text = error.text().trimmed();
    // A full disk or a damaged file is the user's to mend: said in their words first.
    const QString reason = engine::plainReason(error);
    return reason.isEmpty() ? text : reason + QStringLiteral("\r\n(") + text + u')';
}

void Database::reportFailure(const QString& text) {
    lastError_ = text;
    if (prompter_)
        prompter_->fail(text);
}

bool Database::run(QSqlQuery& q, const sql::Statement& statement) {
    if (!isOpen()) {
        lastError_ = QStringLiteral("数据库未打开");
        return false;
    }
    QString text = sql::withNameOrder(statement.text());
    if (isServer())
        text = serverdialect::statement(text);
    const bool bound = !statement.values().isEmpty();
    // A server's prepared statement is let go when q is: a third trip.
    roundTrips_ += bound && isServer() ? 3 : 1;
    const bool ok = !bound ? q.exec(text) : [&] {
        if (!q.prepare(text))
            return false;
        for (const QVariant& value : statement.values())
            q.addBindValue(value);
        return q.exec();
    }();
    if (!ok)
        lastError_ = describe(q.lastError());
    return ok;
}

bool Database::runWith(const sql::Statement& statement,
                       const std::function<bool(QSqlQuery&)>& use) {
    // The statements a window runs are few and come back with new values
    // (the tree's counts, a contact's pages): each prepared and let go again
    // would cost the server two more round trips and a new plan every time.
    constexpr std::size_t kMostReused = 256;
    if (isServer() && isOpen() && !statement.values().isEmpty()) {
        const QString text = serverdialect::statement(sql::withNameOrder(statement.text()));
        auto found = reused_.find(text);
        if (found == reused_.end() && reused_.size() < kMostReused) {
            auto query = std::make_unique<QSqlQuery>(connection());
            query->setForwardOnly(false);
            ++roundTrips_;
            if (!query->prepare(text)) {
                lastError_ = describe(query->lastError());
                return false;
            }
            found = reused_.emplace(text, Reused{std::move(query), false}).first;
        }
        if (found != reused_.end() && !found->second.busy) {
            Reused& slot = found->second;
            QSqlQuery& q = *slot.query;
            for (int i = 0; i < statement.values().size(); ++i)
                q.bindValue(i, statement.values().at(i));
            ++roundTrips_;
            slot.busy = true;
            const bool ran = q.exec();
            if (!ran)
                lastError_ = describe(q.lastError());
            const bool ok = ran && use(q);
            q.finish();
            slot.busy = false;
            // A statement that failed is prepared anew next time: the
            // tables it was planned on may have changed meanwhile.
            if (!ran)
                reused_.erase(found);
            return ok;
        }
    }
    QSqlQuery q(connection());
    // A server's forward-only result comes row by row and holds the
    // connection meanwhile; the walk may query again (a count per tree node),
    // so a server's result is taken whole.
    q.setForwardOnly(!isServer());
    return run(q, statement) && use(q);
}

bool Database::execute(const sql::Statement& statement) {
    if (!executeQuietly(statement)) {
        reportFailure(lastError_);
        return false;
    }
    return true;
}

bool Database::executeQuietly(const sql::Statement& statement) {
    return runWith(statement, [](QSqlQuery&) { return true; });
}

qint64 Database::executeCounted(const sql::Statement& statement) {
    qint64 changed = -1;
    if (!runWith(statement, [&](QSqlQuery& q) {
            changed = q.numRowsAffected();
            return true;
        }))
        return -1;
    return changed;
}

sqlite3* Database::fileHandle() const {
    if (isServer() || !isOpen())
        return nullptr;
    const QVariant handle = connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

bool Database::queryQuietly(const sql::Statement& statement,
                            const std::function<bool(const Row&)>& each) {
    if (sqlite3* handle = fileHandle()) {
        ++roundTrips_;
        // A select with values comes back with new ones (a contact's pages,
        // one contact after another): compiled once, it is only bound again.
        constexpr std::size_t kMostReused = 256;
        auto found = fileReused_.end();
        if (!statement.values().isEmpty()) {
            found = fileReused_.find(statement.text());
            if (found == fileReused_.end() && fileReused_.size() < kMostReused) {
                auto compiled = std::make_unique<FileStatement>(handle);
                if (!compiled->prepare(sql::withNameOrder(statement.text()))) {
                    lastError_ = describe(compiled->error());
                    return false;
                }
                found =
                    fileReused_.emplace(statement.text(), FileReused{std::move(compiled), false})
                        .first;
            }
        }
        if (found != fileReused_.end() && !found->second.busy) {
            FileReused& slot = found->second;
            slot.busy = true;
            const bool ok = slot.statement->bind(statement.values()) && slot.statement->walk(each);
            slot.busy = false;
            if (!ok)
                lastError_ = describe(slot.statement->error());
            return ok;
        }
        FileStatement select(handle);
        if (!select.prepare(sql::withNameOrder(statement.text()), statement.values())) {
            lastError_ = describe(select.error());
            return false;
        }
        if (!select.walk(each)) {
            lastError_ = describe(select.error());
            return false;
        }
        return true;
    }
    return runWith(statement, [&](QSqlQuery& q) {
        const Row row(q);
        while (q.next()) {
            if (!each(row))
                break;
        }
        if (q.lastError().isValid()) {
            lastError_ = describe(q.lastError());
            return false;
        }
        return true;
    });
}

bool Database::query(const sql::Statement& statement, const std::function<bool(const Row&)>& each) {
    if (!queryQuietly(statement, each)) {
        reportFailure(lastError_);
        return false;
    }
    return true;
}

qint64 Database::count(const sql::Statement& statement) {
    qint64 result = -1;
    const bool ok = query(statement, [&](const Row& row) {
        result = row.numberAt(0, 0);
        return false;
    });
    return ok ? (result < 0 ? 0 : result) : -1;
}

bool Database::exists(const sql::Statement& statement) {
    bool found = false;
    query(statement, [&](const Row&) {
        found = true;
        return false;
    });
    return found;
}

// Transactions take the write lock at once, so two connections never deadlock
// upgrading a read lock; a busy file is waited for up to the busy timeout.
bool Database::begin() {
    if (!execute(beginStatement()))
        return false;
    inTransaction_ = true;
    return true;
}

bool Database::beginQuietly() {
    if (!executeQuietly(beginStatement()))
        return false;
    inTransaction_ = true;
    return true;
}

bool Database::beginSnapshot() {
    // A file's deferred transaction reads one state of the file from its first
    // select on; a server's needs repeatable read for that (read committed
    // would see each commit as it happens).
    const sql::Statement statement(isServer()
                                       ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")
                                       : QStringLiteral("BEGIN DEFERRED"));
    if (!execute(statement))
        return false;
    inTransaction_ = true;
    return true;
}

bool Database::commit() {
    inTransaction_ = false;
    if (!execute(sql::Statement(QStringLiteral("COMMIT")))) {
        QSqlQuery(connection()).exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

bool Database::rollback() {
    inTransaction_ = false;
    QSqlQuery q(connection());
    return q.exec(QStringLiteral("ROLLBACK"));
}
