// SPDX-License-Identifier: GPL-3.0-or-later
#include "login/PasswordChange.h"

#include "base/AppInfo.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "login/LoginCheck.h"
#include "login/PasswordCodec.h"
#include "server/TeamRoles.h"

namespace {

const QString kUpdatePassword =
    QStringLiteral("update userlogin set user_pwd='%s' where user_code=%ld");

// On a server the old password is proven by signing in with it once more.
bool serverAccepts(const Database& db, const QString& password) {
    ServerAddress address = db.server();
    address.password = password;
    Database probe;
    return probe.openServer(address);
}

} // namespace

PasswordChange::Outcome PasswordChange::submit(const QString& oldPassword,
                                               const QString& newPassword, const QString& again) {
    Lookups lookups(db_);
    const QString userName = lookups.userName(userCode_);
    if (userName == Lookups::kMissing) {
        prompter_.inform(QStringLiteral("用户注册表错误!"));
        return {false, Field::None};
    }
    const auto oldEncoded = password::encode(oldPassword);
    const bool oldRight =
        oldEncoded && (db_.isServer() ? serverAccepts(db_, oldPassword)
                                      : LoginCheck::matches(db_, userName, *oldEncoded));
    if (!oldRight) {
        prompter_.notice(app::kTitle, QStringLiteral("原密码输入错误!"), PromptIcon::Warning);
        return {false, Field::Old};
    }
    if (newPassword != again) {
        prompter_.inform(QStringLiteral("新密码输入不一致!"));
        return {false, Field::New};
    }
    // An empty password could never log in again (the login refuses it), and a
    // long one has no stored form: both would lock the user out.
    if (newPassword.isEmpty()) {
        prompter_.inform(QStringLiteral("请输入新密码!"));
        return {false, Field::New};
    }
    const auto newEncoded = password::encode(newPassword);
    if (!newEncoded) {
        prompter_.inform(password::tooLongMessage());
        return {false, Field::New};
    }
    // On a server the password is the person's own login there; the table
    // keeps none.
    const bool changed =
        db_.isServer() ? team::setOwnPassword(db_, newPassword, nullptr)
                       : db_.executeQuietly(sql::format(kUpdatePassword, *newEncoded, userCode_));
    if (changed && db_.isServer())
        db_.setServerPassword(newPassword);
    if (changed) {
        if (!settings_.value(QStringLiteral("UserName")).trimmed().isEmpty())
            settings_.setValue(QStringLiteral("Password"), *newEncoded);
        prompter_.inform(QStringLiteral("密码修改成功!"));
    } else {
        errors::show(prompter_, errors::DatabaseOpen);
        prompter_.inform(QStringLiteral("密码修改失败!"));
    }
    return {true, Field::None};
}
