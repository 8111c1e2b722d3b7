// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeedServer.h"

#include "db/Database.h"
#include "db/PgSchema.h"
#include "db/SchemaVersion.h"
#include "db/ServerAddress.h"
#include "server/ServerMigration.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

QString SpeedServer::withDatabase(const QString& name) const {
    auto address = ServerAddress::fromLocation(admin_);
    if (!address)
        return {};
    address->database = name;
    return address->location();
}

bool SpeedServer::run(const QString& statement) {
    Database db;
    if (!db.open(admin_) || !db.executeServerText(statement)) {
        error_ = db.lastError();
        return false;
    }
    return true;
}

QString SpeedServer::ensure(const QString& file) {
    // speed-100000-1000000-2026-12-08-v4.tdb -> speed_100000_1000000_2026_12_08_v4
    const QString name = QFileInfo(file).completeBaseName().replace(u'-', u'_');
    const QString location = withDatabase(name);
    if (location.isEmpty()) {
        error_ = QStringLiteral("not a server location: %1").arg(admin_);
        return {};
    }
    {
        Database there;
        if (there.open(location) && pgschema::versionOf(there) == schema::current() &&
            there.count("select count(*) from base") > 0) {
            // As "mavor-admin upgrade" renews them: this program's functions.
            if (!pgschema::ensureSupport(there, &error_))
                return {};
            reused_ = true;
            return location;
        }
    }
    QTextStream log(stderr);
    QElapsedTimer timer;
    timer.start();
    log << "moving " << file << " to " << location << "...\n";
    log.flush();
    if (!run(QStringLiteral("drop database if exists %1").arg(name)) ||
        !run(QStringLiteral("create database %1").arg(name)))
        return {};
    {
        Database server;
        Database source;
        if (!server.open(location) || !source.open(file)) {
            error_ = server.isOpen() ? source.lastError() : server.lastError();
            return {};
        }
        if (!pgschema::create(server, &error_))
            return {};
        const ServerMigration::Result moved = ServerMigration::run(source, server, true);
        if (!moved.ok) {
            error_ = moved.error;
            return {};
        }
    }
    // Once every connection of the move is gone, as after "mavor-admin
    // migrate" on a quiet server: the new rows' pages are then marked visible
    // to all, so counts read indexes alone (an open transaction elsewhere
    // would hold that back, as the bench's own did).
    {
        Database moved;
        if (!moved.open(location) || !moved.executeServerText(QStringLiteral("vacuum (analyze)"))) {
            error_ = moved.lastError();
            return {};
        }
    }
    log << "moved in " << timer.elapsed() / 1000 << " s\n";
    return location;
}

QString SpeedServer::copyOf(const QString& location, const QString& suffix) {
    const auto address = ServerAddress::fromLocation(location);
    if (!address)
        return {};
    const QString name = address->database + suffix;
    if (!run(QStringLiteral("drop database if exists %1").arg(name)) ||
        !run(QStringLiteral("create database %1 template %2").arg(name, address->database)))
        return {};
    return withDatabase(name);
}

bool SpeedServer::remove(const QString& location) {
    const auto address = ServerAddress::fromLocation(location);
    return address && run(QStringLiteral("drop database if exists %1").arg(address->database));
}
