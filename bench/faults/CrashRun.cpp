// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/CrashRun.h"

#include "QuietPrompter.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/Cleansing.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "faults/FaultChecks.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

namespace faults {

namespace {

constexpr int kReadyWaitMs = 30000;
constexpr int kCleansingDays = 60;
constexpr int kKillsPerStart = 25;

bool copyFile(const QString& from, const QString& to) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(to + QString::fromLatin1(suffix));
    return QFile::copy(from, to);
}

QString inSet(qint64 value, const QSet<qint64>& allowed, const QString& what) {
    if (allowed.contains(value))
        return {};
    QStringList names;
    for (qint64 a : allowed)
        names << QString::number(a);
    return QStringLiteral("%1 is %2, not one of %3").arg(what).arg(value).arg(names.join(u','));
}

} // namespace

CrashTally crashRun(const QString& worker, const CrashCase& c, int kills, quint32 seed,
                    int longestDelayMs) {
    CrashTally tally;
    QRandomGenerator random(seed);
    for (int k = 0; k < kills; ++k) {
        if (k > 0 && k % kKillsPerStart == 0 && !c.start.isEmpty() && !copyFile(c.start, c.path)) {
            tally.error = QStringLiteral("cannot begin again from %1").arg(c.start);
            return tally;
        }
        QProcess p;
        p.start(worker, QStringList{c.operation, c.path} + c.arguments);
        QByteArray output;
        while (!output.contains("ready\n")) {
            if (!p.waitForReadyRead(kReadyWaitMs)) {
                tally.error = QStringLiteral("%1 did not start: %2")
                                  .arg(c.operation, QString::fromUtf8(p.readAllStandardError()));
                p.kill();
                p.waitForFinished();
                return tally;
            }
            output += p.readAllStandardOutput();
        }
        QThread::msleep(random.bounded(quint32(longestDelayMs) + 1));
        const bool stillRunning = p.state() == QProcess::Running;
        p.kill();
        p.waitForFinished(10000);
        output += p.readAllStandardOutput();
        tally.operations += output.count("done ");
        ++tally.kills;

        QStringList found;
        if (!stillRunning)
            found << QStringLiteral("the worker stopped by itself: %1")
                         .arg(QString::fromUtf8(p.readAllStandardError()).trimmed());
        {
            QuietPrompter prompter;
            Database db(&prompter);
            if (!db.open(c.path)) {
                found << QStringLiteral("the database does not open: %1").arg(db.lastError());
            } else {
                found << findings(db);
                if (c.holds)
                    found << c.holds(db);
            }
        }
        found.removeAll(QString());
        if (!found.isEmpty()) {
            ++tally.faults;
            if (tally.first.size() < 5)
                tally.first << QStringLiteral("kill %1: %2").arg(k + 1).arg(found.join(u"; "));
        }
    }
    return tally;
}

QList<CrashCase> standardCases(const QString& fixturePath, const QString& dir, const QDate& today,
                               QString* error) {
    QList<CrashCase> cases;
    auto prepared = [&](const QString& operation) -> CrashCase* {
        const QString path = dir + u'/' + operation + QStringLiteral(".tdb");
        if (!copyFile(fixturePath, path)) {
            *error = QStringLiteral("cannot copy the fixture to %1").arg(path);
            return nullptr;
        }
        cases.append(CrashCase{
            operation, path, {QStringLiteral("--today"), today.toString(Qt::ISODate)}, {}, {}});
        return &cases.last();
    };

    if (!prepared(QStringLiteral("add-contact")) || !prepared(QStringLiteral("delete-contact")) ||
        !prepared(QStringLiteral("empty-trash")))
        return {};

    // Cleansing: everyone starts live; at any moment nobody or exactly those
    // the cleansing moves are in the trash.
    {
        CrashCase* c = prepared(QStringLiteral("cleansing"));
        if (!c)
            return {};
        c->arguments << QStringLiteral("--days") << QString::number(kCleansingDays);
        qint64 moved = -1;
        {
            Database db;
            if (!db.open(c->path) ||
                !db.executeQuietly(sql::Statement("update base set base_invalid_flag=1"))) {
                *error = db.lastError();
                return {};
            }
        }
        const QString trial = c->path + QStringLiteral(".trial");
        copyFile(c->path, trial);
        {
            QuietPrompter prompter;
            Database db(&prompter);
            const DayClock clock(today);
            if (!db.open(trial) || !Cleansing(db, prompter, clock).run(kCleansingDays)) {
                *error = QStringLiteral("the cleansing does not run on the fixture");
                return {};
            }
            moved =
                number(db, QStringLiteral("select count(*) from base where base_invalid_flag=0"));
        }
        QFile::remove(trial);
        c->holds = [moved](Database& db) {
            return QStringList{inSet(
                number(db, QStringLiteral("select count(*) from base where base_invalid_flag=0")),
                {0, moved}, QStringLiteral("the number of contacts in the trash"))};
        };
    }

    // Interactions: the user's points move with the interactions, 5 each.
    {
        CrashCase* c = prepared(QStringLiteral("interactions"));
        if (!c)
            return {};
        Database db;
        if (!db.open(c->path)) {
            *error = db.lastError();
            return {};
        }
        const qint64 grade =
            number(db, QStringLiteral("select user_grade from userlogin where user_code=1"));
        const qint64 rows = number(db, QStringLiteral("select count(*) from comm"));
        c->holds = [grade, rows](Database& db) {
            const qint64 g =
                number(db, QStringLiteral("select user_grade from userlogin where user_code=1"));
            const qint64 n = number(db, QStringLiteral("select count(*) from comm"));
            if (g - grade == 5 * (n - rows))
                return QStringList{};
            return QStringList{
                QStringLiteral("points %1 for %2 interactions more: they should be %3")
                    .arg(g - grade)
                    .arg(n - rows)
                    .arg(5 * (n - rows))};
        };
    }

    // Distributing: each contact has its owner and the owner's department,
    // before the hand-over or after it.
    {
        CrashCase* c = prepared(QStringLiteral("distribute"));
        if (!c)
            return {};
        c->holds = [](Database& db) {
            const qint64 torn = number(
                db, QStringLiteral("select count(*) from base b where not exists (select 1 from "
                                   "userlogin u where u.user_code=b.base_user_code and "
                                   "u.user_dep_code=b.base_user_dep_code)"));
            return torn == 0 ? QStringList{}
                             : QStringList{QStringLiteral("%1 contacts whose department is not "
                                                          "their owner's")
                                               .arg(torn)};
        };
    }

    // Restoring: the file is the one backup or the other, whole.
    {
        CrashCase* c = prepared(QStringLiteral("restore"));
        if (!c)
            return {};
        const QString one = dir + QStringLiteral("/restore-one.tdb");
        const QString other = dir + QStringLiteral("/restore-other.tdb");
        if (!copyFile(fixturePath, one) || !copyFile(fixturePath, other)) {
            *error = QStringLiteral("cannot copy the backups");
            return {};
        }
        qint64 counts[2] = {-1, -1};
        {
            Database db;
            db.open(other);
            // Ten more contacts in the other backup, each with its four rows.
            for (int i = 0; i < 10; ++i)
                db.executeQuietly(
                    sql::format("insert into base(base_name,base_user_code,base_user_dep_code,"
                                "base_invalid_flag) values('%s',1,1,1)",
                                QStringLiteral("备份%1").arg(i)));
            db.executeQuietly(sql::Statement(
                "insert into home(home_base_code) select base_code from base where base_code "
                "not in (select home_base_code from home)"));
            db.executeQuietly(sql::Statement(
                "insert into society(society_base_code) select base_code from base where "
                "base_code not in (select society_base_code from society)"));
            db.executeQuietly(sql::Statement(
                "insert into extend(extend_base_code) select base_code from base where "
                "base_code not in (select extend_base_code from extend)"));
            counts[1] = number(db, QStringLiteral("select count(*) from base"));
            Database first;
            first.open(one);
            counts[0] = number(first, QStringLiteral("select count(*) from base"));
        }
        c->arguments << QStringLiteral("--backup") << one << QStringLiteral("--other") << other;
        c->holds = [counts](Database& db) {
            return QStringList{inSet(number(db, QStringLiteral("select count(*) from base")),
                                     {counts[0], counts[1]},
                                     QStringLiteral("the number of contacts"))};
        };
    }
    for (CrashCase& c : cases) {
        c.start = c.path + QStringLiteral(".start");
        if (!copyFile(c.path, c.start)) {
            *error = QStringLiteral("cannot copy %1").arg(c.path);
            return {};
        }
    }
    return cases;
}

} // namespace faults
