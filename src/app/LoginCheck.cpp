#include "app/LoginCheck.h"

#include "app/Settings.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "base/Prompter.h"
#include "users/PasswordCodec.h"

namespace {

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
    if (!matches(db_, userName, *encoded)) {
        prompter_.inform(QStringLiteral("用户名或者密码输入有误!"));
        return {false, Field::UserName};
    }
    settings_.setValue(QStringLiteral("UserName"), remember ? userName : QString());
    settings_.setValue(QStringLiteral("Password"), remember ? *encoded : QString());
    return {true, Field::None};
}

Session LoginCheck::sessionFor(const QString& userName) {
    Lookups lookups(db_);
    Session session;
    session.userCode = lookups.userCode(userName);
    session.departmentCode = lookups.departmentOfUser(session.userCode);
    return session;
}
