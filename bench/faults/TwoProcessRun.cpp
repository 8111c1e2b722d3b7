// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/TwoProcessRun.h"

#include "db/Database.h"
#include "db/Lookups.h"
#include "faults/FaultChecks.h"
#include "faults/FaultFixture.h"

#include <QElapsedTimer>
#include <QProcess>

namespace faults {

namespace {

constexpr int kWaitMs = 30 * 60 * 1000;

struct UserState {
    qint64 contacts = 0;
    qint64 trashed = 0;
    qint64 interactions = 0;
    qint64 grade = 0;
};

UserState stateOf(Database& db, qint64 user) {
    UserState s;
    s.contacts =
        number(db, QStringLiteral("select count(*) from base where base_user_code=%1").arg(user));
    s.trashed = number(db, QStringLiteral("select count(*) from base where base_user_code=%1 and "
                                          "base_invalid_flag=0")
                               .arg(user));
    s.interactions = number(db, QStringLiteral("select count(*) from comm c join base b on "
                                               "c.comm_base_code=b.base_code where "
                                               "b.base_user_code=%1")
                                    .arg(user));
    s.grade =
        number(db, QStringLiteral("select user_grade from userlogin where user_code=%1").arg(user));
    return s;
}

void expect(QStringList& findings, const QString& what, qint64 found, qint64 wanted) {
    if (found != wanted)
        findings << QStringLiteral("%1: %2, should be %3").arg(what).arg(found).arg(wanted);
}

} // namespace

TwoProcessResult twoProcessRun(const QString& worker, const QString& path, qint64 operationsEach,
                               const QDate& today, quint32 seed) {
    TwoProcessResult result;
    qint64 users[2] = {1, -1};
    UserState before[2];
    {
        Database db;
        if (!db.open(path)) {
            result.findings << db.lastError();
            return result;
        }
        users[1] = Lookups(db).userCode(kSecondUser);
        for (int i = 0; i < 2; ++i)
            before[i] = stateOf(db, users[i]);
    }

    QElapsedTimer timer;
    timer.start();
    QProcess sides[2];
    for (int i = 0; i < 2; ++i) {
        sides[i].start(worker, {QStringLiteral("mixed"), path, QStringLiteral("--user"),
                                QString::number(users[i]), QStringLiteral("--count"),
                                QString::number(operationsEach), QStringLiteral("--seed"),
                                QString::number(seed + quint32(i)), QStringLiteral("--today"),
                                today.toString(Qt::ISODate)});
    }
    for (int i = 0; i < 2; ++i) {
        if (!sides[i].waitForFinished(kWaitMs))
            sides[i].kill();
    }
    result.elapsedMs = timer.elapsed();

    for (int i = 0; i < 2; ++i) {
        const QString errors = QString::fromUtf8(sides[i].readAllStandardError()).trimmed();
        result.sides[i] = FaultSummary::parse(QString::fromUtf8(sides[i].readAllStandardOutput()));
        const FaultSummary& s = result.sides[i];
        if (sides[i].exitStatus() != QProcess::NormalExit || sides[i].exitCode() != 0 || !s.read)
            result.findings << QStringLiteral("side %1 ended badly: %2").arg(i + 1).arg(errors);
        else if (!errors.isEmpty())
            result.findings << QStringLiteral("side %1: %2").arg(i + 1).arg(errors);
        if (s.operations != operationsEach)
            result.findings << QStringLiteral("side %1 did %2 operations of %3")
                                   .arg(i + 1)
                                   .arg(s.operations)
                                   .arg(operationsEach);
    }

    Database db;
    if (!db.open(path)) {
        result.findings << db.lastError();
        return result;
    }
    result.findings << findings(db);
    for (int i = 0; i < 2; ++i) {
        const FaultSummary& s = result.sides[i];
        const UserState after = stateOf(db, users[i]);
        const QString who = QStringLiteral("user %1: ").arg(users[i]);
        expect(result.findings, who + QStringLiteral("contacts"), after.contacts,
               before[i].contacts + s.added);
        expect(result.findings, who + QStringLiteral("contacts in the trash"), after.trashed,
               before[i].trashed + s.trashed);
        expect(result.findings, who + QStringLiteral("interactions"), after.interactions,
               before[i].interactions + s.interactions);
        expect(result.findings, who + QStringLiteral("points"), after.grade,
               before[i].grade + 5 * s.interactions);
        for (auto it = s.lastRemark.cbegin(); it != s.lastRemark.cend(); ++it) {
            QString remark;
            db.query(sql::format("select base_experience from base where base_code=%ld", it.key()),
                     [&](const Row& row) {
                         remark = row.textAt(0);
                         return false;
                     });
            if (remark != it.value())
                result.findings << QStringLiteral("contact %1 holds \"%2\", not \"%3\"")
                                       .arg(it.key())
                                       .arg(remark, it.value());
        }
    }
    return result;
}

} // namespace faults
