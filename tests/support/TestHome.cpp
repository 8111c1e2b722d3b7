// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestHome.h"

#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/ServerAddress.h"
#include "server/TeamRoles.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QtGlobal>

namespace {

// The delivered database is written once per test process and copied for each home.
QString templateDatabase() {
    static QTemporaryDir holder;
    static QString path;
    if (path.isEmpty() && holder.isValid()) {
        const QString candidate = holder.path() + QStringLiteral("/template.tdb");
        QString error;
        if (delivered::create(candidate, &error))
            path = candidate;
        else
            qWarning("cannot write the template database: %s", qPrintable(error));
    }
    return path;
}

// The server's maintenance database, where databases are created and dropped.
std::optional<ServerAddress> maintenance() {
    auto address = ServerAddress::fromLocation(TestHome::serverTemplate());
    if (address)
        address->database = QStringLiteral("postgres");
    return address;
}

bool runOnServer(const QStringList& statements) {
    const auto address = maintenance();
    if (!address)
        return false;
    Database db;
    if (!db.openServer(*address))
        return false;
    for (const QString& statement : statements) {
        if (!db.executeServerText(statement)) {
            qWarning("%s: %s", qPrintable(statement), qPrintable(db.lastError()));
            return false;
        }
    }
    return true;
}

bool runOnServer(const QString& statement) {
    return runOnServer(QStringList{statement});
}

// The roles made for one home's database ("<db>.name", "<db>/members").
void dropRolesOf(const QString& database) {
    const auto address = maintenance();
    Database db;
    if (!address || !db.openServer(*address))
        return;
    QStringList roles;
    db.queryQuietly(sql::format("select rolname from pg_roles where left(rolname, %ld) = '%s' "
                                "or rolname = '%s'",
                                qint64(database.size() + 1), database + u'.',
                                team::membersRole(database)),
                    [&roles](const Row& row) {
                        roles << row.textAt(0);
                        return true;
                    });
    for (const QString& role : roles)
        db.executeServerText(QStringLiteral("drop role if exists ") + team::identifier(role));
}

} // namespace

QString TestHome::serverTemplate() {
    return qEnvironmentVariable("MAVOR_TEST_SERVER");
}

bool TestHome::onServer() {
    return !serverTemplate().isEmpty();
}

TestHome::TestHome() {
    if (!dir_.isValid())
        return;
    if (onServer()) {
        static QAtomicInt counter;
        const auto source = ServerAddress::fromLocation(serverTemplate());
        if (!source)
            return;
        serverDatabase_ = QStringLiteral("mavor_t%1_%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(counter.fetchAndAddRelaxed(1));
        if (!runOnServer(QStringLiteral("create database %1 template %2")
                             .arg(serverDatabase_, source->database))) {
            serverDatabase_.clear();
            return;
        }
        ServerAddress own = *source;
        own.database = serverDatabase_;
        // The tests sign in as a member of the team (the template's roles,
        // which the copy's grants name), or as its administrator where they
        // change users; an administrator's new people join the copy's own group.
        const QString role = qEnvironmentVariable("MAVOR_TEST_ROLE", QStringLiteral("member"));
        if (role == u"member") {
            own.user = team::personRole(source->database, QStringLiteral("tester"));
        } else if (role == u"admin") {
            own.user = team::personRole(source->database, QStringLiteral("admin"));
            const QString members = team::identifier(team::membersRole(serverDatabase_));
            if (!runOnServer(
                    {QStringLiteral("create role %1 nologin").arg(members),
                     QStringLiteral("grant %1 to %2")
                         .arg(team::identifier(team::membersRole(source->database)), members)}))
                return;
        }
        database_ = own.location();
        valid_ = true;
        return;
    }
    database_ = dir_.path() + QStringLiteral("/mavor.tdb");
    const QString source = templateDatabase();
    valid_ = !source.isEmpty() && QFile::copy(source, database_);
    if (valid_)
        QFile::setPermissions(database_, QFile::ReadOwner | QFile::WriteOwner);
}

TestHome::~TestHome() {
    if (!serverDatabase_.isEmpty()) {
        runOnServer(QStringLiteral("drop database if exists %1 with (force)").arg(serverDatabase_));
        dropRolesOf(serverDatabase_);
    }
}
