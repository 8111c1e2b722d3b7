#include "support/TestHome.h"

#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/ServerAddress.h"

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

bool runOnServer(const QString& statement) {
    const auto address = maintenance();
    if (!address)
        return false;
    Database db;
    if (!db.openServer(*address) || !db.executeServerText(statement)) {
        qWarning("%s: %s", qPrintable(statement), qPrintable(db.lastError()));
        return false;
    }
    return true;
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
    if (!serverDatabase_.isEmpty())
        runOnServer(QStringLiteral("drop database if exists %1 with (force)").arg(serverDatabase_));
}
