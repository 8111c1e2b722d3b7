// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of Database that differ on a server (PostgreSQL through Qt's
// QPSQL driver); the file engine's side stays in Database.cpp.
#include "db/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <libpq-fe.h>

namespace {

// Settings of every server session: literals as the statements write them,
// a lock waited for no longer than a busy file is.
const char* const kSessionSettings[] = {
    "set standard_conforming_strings = on",
    "set client_min_messages = warning",
    "set lock_timeout = 20000",
    // Room for "not in (select ...)" over every interaction to be hashed once
    // rather than searched again for each contact.
    "set work_mem = '64MB'",
    // No machine code compiled for a statement: the program's heaviest
    // statements run for a second or two, and the compiling (tens of ms to
    // a tenth of a second each, more on a busy server) costs more than it
    // saves; the tree runs several such statements.
    "set jit = off",
};

// A value of the connection string, quoted as libpq reads it.
QString connectValue(const QString& value) {
    QString out = value;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + out + u'\'';
}

// TLS proves the server by its certificate and host name unless the
// administrator chose otherwise; without TLS a password never goes out in
// clear where libpq can refuse that (16 and later).
QString securityOptions(const ServerAddress& address) {
    if (address.tls && address.tlsInsecure)
        return QStringLiteral(";sslmode=require");
    if (address.tls)
        return QStringLiteral(";sslmode=verify-full;sslrootcert=") +
               connectValue(address.caFile.isEmpty() ? ServerAddress::systemCaFile()
                                                     : address.caFile);
    if (PQlibVersion() >= 160000)
        return QStringLiteral(";require_auth=!password");
    return {};
}

} // namespace

bool Database::openServer(const ServerAddress& address) {
    close();
    server_ = {};
    path_ = address.location();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        if (!db.isValid()) {
            lastError_ = QStringLiteral("没有安装数据库服务器的驱动 (QPSQL)");
        } else {
            db.setHostName(address.host);
            db.setPort(address.port);
            db.setDatabaseName(address.database);
            db.setUserName(address.user);
            db.setPassword(address.password);
            QString options = QStringLiteral("connect_timeout=%1;application_name=mavor")
                                  .arg(kBusyTimeoutMs / 1000);
            options += securityOptions(address);
            db.setConnectOptions(options);
            if (!db.open()) {
                lastError_ = describe(db.lastError());
            } else {
                QSqlQuery q(db);
                ok = true;
                for (const char* setting : kSessionSettings)
                    ok = ok && q.exec(QString::fromLatin1(setting));
                if (!ok)
                    lastError_ = describe(q.lastError());
            }
        }
    }
    if (!ok) {
        close();
        return false;
    }
    server_ = address;
    return true;
}

sql::Statement Database::beginStatement() const {
    return sql::Statement(isServer() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

bool Database::lockRows(const sql::Statement& select) {
    if (!isServer())
        return true;
    if (!queryQuietly(select + sql::Statement(" for update"), [](const Row&) { return true; })) {
        reportFailure(lastError_);
        return false;
    }
    return true;
}

QString Database::generatedKeyColumn(const QString& table) {
    if (!isServer())
        return {};
    auto found = generatedKeys_.constFind(table);
    if (found != generatedKeys_.constEnd())
        return *found;
    // Asked once per table and connection; a table without one remembers that too.
    QString column;
    QSqlQuery q(connection());
    q.prepare(QStringLiteral("select column_name from information_schema.columns "
                             "where table_schema = current_schema() and table_name = ? "
                             "and is_identity = 'YES'"));
    q.addBindValue(table);
    if (q.exec() && q.next())
        column = q.value(0).toString();
    generatedKeys_.insert(table, column);
    return column;
}

bool Database::executeServerText(const QString& text) {
    if (!isOpen()) {
        lastError_ = QStringLiteral("数据库未打开");
        return false;
    }
    QSqlQuery q(connection());
    if (!q.exec(text)) {
        lastError_ = describe(q.lastError());
        return false;
    }
    return true;
}
