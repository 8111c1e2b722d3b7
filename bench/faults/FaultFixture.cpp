// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultFixture.h"

#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/Lookups.h"
#include "tools/Generator.h"

namespace faults {

namespace {

const QString kAddUser =
    QStringLiteral("insert into userlogin(user_name,user_pwd,user_dep_code,user_dep_mng,user_grade,"
                   "user_lastlogin) values('%s','%s',%ld,'%s',0,'')");

} // namespace

bool createFixture(const QString& path, const Fixture& fixture, QString* error) {
    if (!delivered::create(path, error))
        return false;
    Database db;
    if (!db.open(path)) {
        *error = db.lastError();
        return false;
    }
    Lookups lookups(db);
    const qint64 sales = lookups.departmentCode(QStringLiteral("销售部"));
    const qint64 target = lookups.departmentCode(kTargetDepartment);
    // Any 32 hex digits do: nobody logs in.
    const QString password = QStringLiteral("00000000000000000000000000000000");
    if (sales < 0 || target < 0 ||
        !db.executeQuietly(
            sql::format(kAddUser, kSecondUser, password, sales, QStringLiteral("0"))) ||
        !db.executeQuietly(
            sql::format(kAddUser, kManager, password, target, QStringLiteral("1")))) {
        *error = QStringLiteral("cannot add the users: %1").arg(db.lastError());
        return false;
    }
    const qint64 second = lookups.userCode(kSecondUser);
    for (const qint64 user : {qint64(1), second}) {
        Generator generator(db);
        Generator::Options options;
        options.contacts = fixture.contacts;
        options.interactions = fixture.interactions;
        options.userCode = user;
        options.seed = quint64(user);
        options.today = fixture.today;
        if (!generator.run(options, nullptr)) {
            *error = generator.error();
            return false;
        }
    }
    return true;
}

} // namespace faults
