// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminTeam.h"

#include "base/ProgramLayout.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "db/SchemaVersion.h"
#include "db/ServerAddress.h"
#include "server/ServerSettings.h"
#include "server/TeamRoles.h"
#include "tools/StderrPrompter.h"
#include "users/UserForm.h"
#include "users/UserList.h"

#include <QTextStream>

namespace admin {

namespace {

bool openDatabase(Database& db, const QString& path, const char* command, QTextStream& err) {
    if (db.open(path))
        return true;
    err << command << ": 无法打开 " << path << ": " << db.lastError() << "\n";
    return false;
}

// The row of the user list that shows name, -1 when none does.
int rowOf(UserList& list, const QString& name) {
    for (int row = 0; row < list.model().rowCount(); ++row) {
        if (list.model().text(row, UserList::NameColumn) == name)
            return row;
    }
    return -1;
}

// The command line has asked already: the delete walk's question is answered Yes.
class ConfirmingPrompter : public StderrPrompter {
  public:
    bool ask(const QString&, const QString&) override { return true; }
};

} // namespace

int setUpTeam(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1 || !ServerAddress::isLocation(args.first())) {
        err << "用法: mavor-admin team --server\n";
        return 2;
    }
    Database db;
    if (!openDatabase(db, args.first(), "team", err))
        return 1;
    const int version = schema::versionOf(db);
    if (version != schema::current()) {
        err << "team: 服务器上的数据库是第 " << version << " 版, 请先运行 mavor-admin upgrade "
            << "--server (本程序是第 " << schema::current() << " 版)\n";
        return 1;
    }
    const QString database = db.server().database;
    const QString adminRole = team::personRole(database, UserList::kAdministrator);
    const bool hadAdmin = team::roleExists(db, adminRole);
    const QString adminPassword = team::generatePassword();
    QString error;
    QList<team::Person> shown;
    if (!db.executeQuietly(db.beginStatement()) ||
        !team::setUp(db, adminPassword, &shown, &error) || !db.executeQuietly("COMMIT")) {
        db.rollback();
        err << "team: 没有改动: " << error << db.lastError() << "\n";
        return 1;
    }
    if (!hadAdmin)
        shown.prepend({UserList::kAdministrator, adminPassword});
    // This machine's own settings now name the administrator's login, and
    // keep no shared password.
    const QString ini = ProgramLayout::current().settingsPath();
    const ServerSettings::Reading local = ServerSettings::read(ini, QString());
    if (local.state == ServerSettings::State::Ready && local.address.database == database) {
        Settings(ini, ServerSettings::kSection).setValue(QStringLiteral("User"), adminRole);
        ServerSettings::forgetPassword(ini);
        out << "team: " << ini << " 中的维护登录名改为 " << adminRole << ", 不再保存密码\n";
    }
    out << "team: " << db.server().shown() << ": 成员组 " << team::membersRole(database)
        << ", 管理员 " << adminRole << "\n";
    for (const team::Person& person : shown)
        out << "  " << person.name << "  登录名 " << team::personRole(database, person.name)
            << "  初始密码 " << person.password << "\n";
    out << "team: " << shown.size()
        << " 个新登录名; 初始密码只显示这一次, 请分别告诉各人并请他们登录后修改\n"
        << "team: 服务器的表中不再保存可解密的密码\n"
        << "team: 以前共用的登录名 " << db.server().user
        << " 仍然可以登录: 请在服务器上停用它或修改它的密码, 例如 "
           "psql -c 'alter role \""
        << db.server().user << "\" nologin'\n";
    return 0;
}

int user(const QStringList& given, QTextStream& out, QTextStream& err) {
    const char* const line = "用法: mavor-admin user add NAME --department DEP [--manager] PATH\n"
                             "       mavor-admin user rename NAME NEW-NAME PATH\n"
                             "       mavor-admin user reset|drop NAME PATH\n"
                             "       mavor-admin user disable|enable NAME --server\n";
    QStringList args = given;
    QString department;
    bool manager = false;
    if (const qsizetype at = args.indexOf(QStringLiteral("--department")); at >= 0) {
        if (at + 1 >= args.size()) {
            err << line;
            return 2;
        }
        department = args.at(at + 1);
        args.remove(at, 2);
    }
    if (args.removeAll(QStringLiteral("--manager")) > 0)
        manager = true;
    if (args.size() < 3) {
        err << line;
        return 2;
    }
    const QString action = args.takeFirst();
    const QString path = args.takeLast();
    const QString name = args.takeFirst();
    const bool wantsNew = action == u"rename";
    static const QStringList actions = {"add", "rename", "reset", "drop", "disable", "enable"};
    if (!actions.contains(action) || args.size() != (wantsNew ? 1 : 0) ||
        (action == u"add") != !department.isEmpty()) {
        err << line;
        return 2;
    }
    ConfirmingPrompter prompter;
    Database db(&prompter);
    if (!openDatabase(db, path, "user", err))
        return 1;
    if (action == u"disable" || action == u"enable") {
        QString error;
        if (!db.isServer() || !team::setLoginAllowed(db, name, action == u"enable", &error)) {
            err << "user: " << (db.isServer() ? error : QStringLiteral("只用于服务器上的数据库"))
                << "\n";
            return 1;
        }
        out << "user: " << name << (action == u"enable" ? " 可以登录\n" : " 已停用\n");
        return 0;
    }
    UserList list(db, prompter, -1);
    if (!list.load())
        return 1;
    const int row = rowOf(list, name);
    if (action == u"add" ? row >= 0 : row < 0) {
        err << "user: " << (row >= 0 ? "已有用户 " : "没有用户 ") << name << "\n";
        return 1;
    }
    if (action == u"drop") {
        list.model().setChecked(row, true);
        list.deleteTicked();
        if (!list.changed())
            return 1;
        out << "user: 已删除 " << name << "\n";
        return 0;
    }
    const QString password = team::generatePassword();
    UserForm::Values values{wantsNew ? args.first() : name, password, password, department,
                            manager};
    UserForm form = action == u"add" ? UserForm(db, prompter, UserForm::Mode::Add)
                                     : UserForm(db, prompter, UserForm::Mode::Modify,
                                                list.model().text(row, UserList::CodeColumn),
                                                list.model().text(row, UserList::DepartmentColumn));
    if (action != u"add") {
        values.department = list.model().text(row, UserList::DepartmentColumn);
        values.manager = !list.model().text(row, UserList::ManagerColumn).isEmpty();
    }
    // The administrator's row is not the form's to save; on a server the
    // administrator's password is the role's alone.
    if (action == u"reset" && name == UserList::kAdministrator && db.isServer()) {
        QString error;
        if (!team::setPassword(db, name, password, &error)) {
            err << "user: " << error << "\n";
            return 1;
        }
    } else if (!form.submit(values).saved) {
        return 1;
    }
    out << "user: " << values.name << " 的新密码 " << password << " (只显示这一次)\n";
    return 0;
}

} // namespace admin
