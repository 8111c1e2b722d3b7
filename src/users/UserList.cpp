// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/UserList.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/TextFormat.h"
#include "server/TeamRoles.h"

namespace {

const QString kUsers = QStringLiteral(
    "select u.user_code,u.user_name,u.user_dep_mng,d.dep_name \t\t\tfrom userlogin as u inner join "
    "dep as d \t\t\ton u.user_dep_code=d.dep_code \t\t\twhere user_name<>'' and user_code<>%ld ");
const QString kOrdered = QStringLiteral("%s order by user_dep_code");
const QString kOwnsContacts = QStringLiteral("select * from base where base_user_code=%s");
const QString kHandOverDatum =
    QStringLiteral("update datum set datum_user_code=%ld where datum_user_code=%s");
const QString kHandOverPhones = QStringLiteral(
    "update societysite set societysite_user_code=%ld where societysite_user_code=%s");
const QString kDeleteUser = QStringLiteral("delete from userlogin where user_code=%s");

} // namespace

UserList::UserList(Database& db, Prompter& prompter, qint64 currentUser)
    : EditableList(prompter, kColumns), db_(db), currentUser_(currentUser) {}

bool UserList::load() {
    QList<QStringList> rows;
    const bool ok = db_.query(
        sql::format(kOrdered, sql::format(kUsers, currentUser_)), [&rows](const Row& row) {
            rows.append(
                {text::format("%d", row.number(QStringLiteral("user_code"))),
                 row.text(QStringLiteral("user_name")), row.text(QStringLiteral("dep_name")),
                 row.text(QStringLiteral("user_dep_mng")) == QLatin1String("1") ? kManagerMark
                                                                                : QString()});
            return true;
        });
    model().setRows(rows);
    setCount(int(rows.size()));
    return ok;
}

QString UserList::title() const {
    return text::format("用户管理--目前共有记录数： %d", count());
}

EditableList::RowOutcome UserList::deleteRecord(int row) {
    const QString code = model().text(row, CodeColumn);
    const QString name = model().text(row, NameColumn);
    if (name == kAdministrator) {
        prompter_.inform(QStringLiteral("系统管理员不能被删除!"));
        return RowOutcome::Kept;
    }
    bool owns = false;
    if (!db_.query(sql::format(kOwnsContacts, code), [&owns](const Row&) {
            owns = true;
            return false;
        }))
        return RowOutcome::Kept;
    if (owns) {
        reportInUse(name);
        return RowOutcome::Kept;
    }
    // Without the administrator the items would belong to nobody: keep the user.
    const qint64 administrator = Lookups(db_).userCode(kAdministrator);
    if (administrator < 0) {
        prompter_.inform(QStringLiteral("找不到系统管理员,用户未删除!"));
        return RowOutcome::Kept;
    }
    // On a server the person's login goes with the row, all in one transaction.
    const bool onServer = db_.isServer();
    if (onServer && !db_.begin())
        return RowOutcome::Kept;
    bool ok = db_.execute(sql::format(kHandOverDatum, administrator, code)) &&
              db_.execute(sql::format(kHandOverPhones, administrator, code)) &&
              db_.execute(sql::format(kDeleteUser, code));
    if (onServer) {
        QString error;
        if (ok && !team::dropPerson(db_, name, &error)) {
            db_.reportFailure(error);
            ok = false;
        }
        ok = ok ? db_.commit() : (db_.rollback(), false);
    }
    return ok ? RowOutcome::Removed : RowOutcome::Kept;
}
