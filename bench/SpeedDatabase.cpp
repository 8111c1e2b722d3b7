// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeedDatabase.h"

#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/SchemaVersion.h"
#include "tools/Generator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

namespace {

const char* const kCompanions[] = {"", "-wal", "-shm", "-journal"};

} // namespace

void SpeedDatabase::remove(const QString& path) {
    for (const char* suffix : kCompanions)
        QFile::remove(path + QString::fromLatin1(suffix));
}

QString SpeedDatabase::copyOf(const QString& path, const QString& suffix) {
    const QString copy = path + suffix;
    remove(copy);
    return QFile::copy(path, copy) ? copy : QString();
}

QString SpeedDatabase::ensure(const Shape& shape) {
    QTextStream log(stderr);
    if (!QDir().mkpath(shape.cacheDir)) {
        error_ = QStringLiteral("cannot create %1").arg(shape.cacheDir);
        return {};
    }
    const QString path = QDir(shape.cacheDir)
                             .filePath(QStringLiteral("speed-%1-%2-%3-v%4.tdb")
                                           .arg(shape.contacts)
                                           .arg(shape.interactions)
                                           .arg(shape.today.toString(Qt::ISODate))
                                           .arg(schema::current()));
    if (QFile::exists(path)) {
        Database db;
        if (db.open(path) && schema::versionOf(db) == schema::current()) {
            reused_ = true;
            return path;
        }
        db.close();
        remove(path);
    }

    // Built beside its place and moved there only when whole.
    const QString partial = path + QStringLiteral(".partial");
    remove(partial);
    QElapsedTimer timer;
    timer.start();
    // The same rows kept for an older version are upgraded rather than made
    // again (the largest take an hour to generate); the upgrade is timed.
    for (int older = schema::current() - 1; older >= 1; --older) {
        const QString previous =
            QString(path).replace(QStringLiteral("-v%1.tdb").arg(schema::current()),
                                  QStringLiteral("-v%1.tdb").arg(older));
        if (!QFile::exists(previous))
            continue;
        QString failure;
        if (!QFile::copy(previous, partial) || !delivered::upgradeFile(partial, &failure)) {
            log << "cannot upgrade " << previous << ": " << failure << "\n";
            remove(partial);
            break;
        }
        {
            Database db;
            if (db.open(partial))
                db.executeQuietly(
                    sql::Statement(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
        }
        if (!QFile::rename(partial, path)) {
            error_ = QStringLiteral("cannot move %1 into place").arg(partial);
            return {};
        }
        log << "upgraded " << previous << " to version " << schema::current() << " in "
            << timer.elapsed() << " ms\n";
        return path;
    }
    log << "building " << path << " (" << shape.contacts << " contacts, " << shape.interactions
        << " interactions)...\n";
    log.flush();
    if (!delivered::create(partial, &error_))
        return {};
    {
        Database db;
        if (!db.open(partial)) {
            error_ = db.lastError();
            return {};
        }
        Generator generator(db);
        Generator::Options options;
        options.contacts = shape.contacts;
        options.interactions = shape.interactions;
        options.today = shape.today;
        if (!generator.run(options, nullptr)) {
            error_ = generator.error();
            return {};
        }
        db.executeQuietly(sql::Statement(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    }
    if (!QFile::rename(partial, path)) {
        error_ = QStringLiteral("cannot move %1 into place").arg(partial);
        return {};
    }
    remove(partial);
    log << "built in " << timer.elapsed() / 1000 << " s\n";
    return path;
}
