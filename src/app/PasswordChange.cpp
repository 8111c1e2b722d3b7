#include "app/PasswordChange.h"

#include "base/AppInfo.h"
#include "app/LoginCheck.h"
#include "app/Settings.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "base/Prompter.h"
#include "users/PasswordCodec.h"

namespace {

const QString kUpdatePassword =
    QStringLiteral("update userlogin set user_pwd='%s' where user_code=%ld");

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
    if (!oldEncoded || !LoginCheck::matches(db_, userName, *oldEncoded)) {
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
    if (db_.executeQuietly(sql::format(kUpdatePassword, *newEncoded, userCode_))) {
        if (!settings_.value(QStringLiteral("UserName")).trimmed().isEmpty())
            settings_.setValue(QStringLiteral("Password"), *newEncoded);
        prompter_.inform(QStringLiteral("密码修改成功!"));
    } else {
        errors::show(prompter_, errors::DatabaseOpen);
        prompter_.inform(QStringLiteral("密码修改失败!"));
    }
    return {true, Field::None};
}
