// SPDX-License-Identifier: GPL-3.0-or-later
#include "login/LoginCheck.h"

#include "backup/DatabaseGate.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "login/PasswordCodec.h"
#include "server/ServerSettings.h"
#include "server/TeamRoles.h"

namespace {

const QString kWrongLogin = QStringLiteral("用户名或者密码输入有误!");
const QString kLogin =
    QStringLiteral("select user_code from userlogin where user_name='%s' and user_pwd='%s'");

} // namespace

LoginCheck::Fields LoginCheck::initialFields() const {
    Fields fields;
    fields.userName = settings_.value(QStringLiteral("UserName")).trimmed();
    const QString stored = settings_.value(QStringLiteral("Password")).trimmed();
    const auto decoded = stored.size() == 32 ? password::decode(stored) : std::nullopt;
    fields.password = decoded ? *decoded : stored;
    fields.remember = !fields.userName.isEmpty();
    return fields;
}

bool LoginCheck::matches(Database& db, const QString& userName, const QString& encodedPassword) {
    return db.exists(sql::format(kLogin, userName, encodedPassword));
}

LoginCheck::Outcome LoginCheck::submit(const QString& userName, const QString& pwd, bool remember) {
    if (userName.isEmpty()) {
        prompter_.inform(QStringLiteral("请输入用户名!"));
        return {false, Field::UserName};
    }
    if (pwd.isEmpty()) {
        prompter_.inform(QStringLiteral("请输入密码!"));
        return {false, Field::Password};
    }
    // A password beyond the 16-byte block has no stored form; say so instead of guessing.
    const auto encoded = password::encode(pwd);
    if (!encoded) {
        prompter_.inform(password::tooLongMessage());
        return {false, Field::Password};
    }
    if (server_) {
        if (!signInToServer(userName, pwd))
            return {false, Field::UserName};
    } else if (!matches(db_, userName, *encoded)) {
        prompter_.inform(kWrongLogin);
        return {false, Field::UserName};
    }
    settings_.setValue(QStringLiteral("UserName"), remember ? userName : QString());
    settings_.setValue(QStringLiteral("Password"), remember ? *encoded : QString());
    return {true, Field::None};
}

bool LoginCheck::signInToServer(const QString& userName, const QString& password) {
    ServerAddress address = *server_;
    address.user = team::personRole(address.database, userName);
    address.password = password;
    if (!db_.openServer(address)) {
        switch (team::refusalOf(db_.lastError())) {
        case team::Refusal::WrongPassword:
            prompter_.inform(kWrongLogin);
            break;
        case team::Refusal::Disabled:
            prompter_.inform(
                QStringLiteral("该用户已被停用, 不能登录!\r\n\r\n请与系统管理员联系。"));
            break;
        case team::Refusal::Other:
            prompter_.fail(ServerSettings::unreachableMessage(address, db_.lastError()));
            break;
        }
        return false;
    }
    // A server of another version is the administrator's to upgrade; the
    // reason has been shown and the connection closed.
    if (!DatabaseGate(db_, prompter_).bringUpToDate())
        return false;
    // A role of the server that is no user of the program gets nowhere.
    if (Lookups(db_).userCode(userName) < 0) {
        db_.close();
        prompter_.inform(kWrongLogin);
        return false;
    }
    return true;
}

Session LoginCheck::sessionFor(const QString& userName) {
    Lookups lookups(db_);
    Session session;
    session.userCode = lookups.userCode(userName);
    session.departmentCode = lookups.departmentOfUser(session.userCode);
    return session;
}
