// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/UserForm.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "db/Validators.h"
#include "login/PasswordCodec.h"
#include "server/TeamRoles.h"
#include "users/UserList.h"

namespace {

const QString kDepartments =
    QStringLiteral("select dep_name from dep where dep_name<>'' order by dep_name");
const QString kNameOfAnother =
    QStringLiteral("select * from userlogin where user_name='%s' and user_code<>%s");
const QString kContactsFollow =
    QStringLiteral("update base set base_user_dep_code=%s \t\twhere base_user_code=%s");

} // namespace

UserForm::UserForm(Database& db, Prompter& prompter, Mode mode, const QString& code,
                   const QString& department)
    : db_(db), prompter_(prompter), mode_(mode), code_(code), department_(department) {}

QString UserForm::title() const {
    return mode_ == Mode::Add ? QStringLiteral("用户增加") : QStringLiteral("用户修改");
}

QStringList UserForm::departments() {
    QStringList names;
    db_.query(sql::Statement(kDepartments), [&names](const Row& row) {
        names << row.text(QStringLiteral("dep_name"));
        return true;
    });
    return names;
}

bool UserForm::nameLocked(const QString& name) const {
    return mode_ == Mode::Modify && name == UserList::kAdministrator;
}

bool UserForm::nameTaken(const QString& name) {
    if (mode_ == Mode::Add)
        return Lookups(db_).userNameTaken(name);
    // Two users of one name could not tell their logins apart: a rename to a
    // name in use is refused as well.
    return db_.exists(sql::format(kNameOfAnother, name, code_));
}

bool UserForm::saveRole(const QString& oldName, const QString& name, const QString& password) {
    QString error;
    const bool hadRole = !oldName.isEmpty() &&
                         team::roleExists(db_, team::personRole(db_.server().database, oldName));
    const bool ok = hadRole ? (oldName == name || team::renamePerson(db_, oldName, name, &error)) &&
                                  team::setPassword(db_, name, password, &error)
                            : team::createPerson(db_, name, password, &error);
    if (!ok) {
        db_.rollback();
        db_.reportFailure(error);
        return false;
    }
    return db_.commit();
}

UserForm::Outcome UserForm::submit(const Values& values) {
    if (values.name.isEmpty() || values.name.size() > kMaxNameLength) {
        prompter_.inform(QStringLiteral("请输入用户名!\r\n\r\n用户名长度不超过16个英文字符!"));
        return {false, Field::Name, false};
    }
    if (!validate::isLegalName(values.name)) {
        prompter_.inform(QStringLiteral("名称中有非法字符!"));
        return {false, Field::Name, true};
    }
    if (nameTaken(values.name)) {
        prompter_.inform(QStringLiteral("该用户名已被使用,请使用其它用户名!"));
        return {false, Field::Name, true};
    }
    if (values.department.isEmpty()) {
        prompter_.inform(QStringLiteral("请选择所属部门!"));
        return {false, Field::Department, false};
    }
    if (values.password != values.again) {
        prompter_.inform(QStringLiteral("密码两次输入不一致!"));
        return {false, Field::Password, true};
    }
    const QString password = values.password.isEmpty() ? kDefaultPassword : values.password;
    const std::optional<QString> encoded = password::encode(password);
    if (!encoded) {
        prompter_.inform(QStringLiteral("密码长度不超过16个字符!"));
        return {false, Field::Password, false};
    }
    const qint64 department = Lookups(db_).departmentCode(values.department);
    if (department < 0) {
        prompter_.inform(QStringLiteral("部门表操作失败!请检查系统设置"));
        return {};
    }
    if (values.name == UserList::kAdministrator) {
        prompter_.inform(QStringLiteral("请选用其它用户名!"));
        return {false, Field::Name, true};
    }
    // On a server the person signs in as a login role of their own: the role
    // changes with the row, in one transaction, and the row keeps no password.
    const bool onServer = db_.isServer();
    if (onServer) {
        const QString problem = team::roleNameProblem(db_.server().database, values.name);
        if (!problem.isEmpty()) {
            prompter_.inform(problem);
            return {false, Field::Name, true};
        }
    }
    const QString oldName =
        onServer && mode_ == Mode::Modify ? Lookups(db_).userName(code_.toLongLong()) : QString();
    if (onServer && !db_.begin())
        return {};
    RowWriter writer = mode_ == Mode::Add ? RowWriter(db_, QStringLiteral("userlogin"))
                                          : RowWriter(db_, QStringLiteral("userlogin"),
                                                      sql::format("user_code=%s", code_));
    writer.set(QStringLiteral("user_name"), values.name);
    writer.set(QStringLiteral("user_pwd"), onServer ? QString() : *encoded);
    writer.set(QStringLiteral("user_dep_code"), department);
    writer.set(QStringLiteral("user_dep_mng"),
               values.manager ? QStringLiteral("1") : QStringLiteral("0"));
    if (!writer.save()) {
        if (onServer)
            db_.rollback();
        return {};
    }
    if (onServer && !saveRole(oldName, values.name, password))
        return {};
    // The user's contacts follow a new department; a failure is shown and the form still closes.
    if (mode_ == Mode::Modify && values.department != department_)
        db_.execute(sql::format(kContactsFollow, department, code_));
    return {true, Field::None, false};
}
