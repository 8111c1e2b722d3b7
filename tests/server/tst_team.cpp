// SPDX-License-Identifier: GPL-3.0-or-later
// A team on its server: each person signs in as a role of their own, members
// can do what the window does and nothing more, passwords stay with the
// server, TLS proves the server. Runs on the suite's throwaway cluster only.
#include "base/Settings.h"
#include "db/Database.h"
#include "db/PgSchema.h"
#include "db/ServerAddress.h"
#include "login/LoginCheck.h"
#include "login/PasswordChange.h"
#include "login/PasswordCodec.h"
#include "server/TeamRoles.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "users/UserForm.h"
#include "users/UserList.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kWrong = QStringLiteral("用户名或者密码输入有误!");

// The home's database as the server's superuser sees it.
ServerAddress superuser(const TestHome& home) {
    ServerAddress address = *ServerAddress::fromLocation(home.databasePath());
    address.user = QStringLiteral("postgres");
    return address;
}

// The same database over TCP, where the server asks for passwords.
ServerAddress overTcp(const TestHome& home, const QString& host = QStringLiteral("localhost")) {
    ServerAddress address = superuser(home);
    address.host = host;
    address.user.clear();
    return address;
}

QString clusterFile(const TestHome&, const QString& name) {
    return ServerAddress::fromLocation(TestHome::serverTemplate())->host + u'/' + name;
}

// A home whose connection signs in as the given role (TestHome.h).
std::unique_ptr<TestHome> homeAs(const char* role) {
    qputenv("MAVOR_TEST_ROLE", role);
    auto home = std::make_unique<TestHome>();
    qunsetenv("MAVOR_TEST_ROLE");
    return home;
}

bool refused(Database& db, const QString& statement) {
    return !db.executeServerText(statement);
}

} // namespace

class TestTeam : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void memberRightsAreTheWindowsOnly();
    void peopleSignInAsThemselves();
    void tlsProvesTheServer();
    void earlierServerGetsItsTeam();
};

void TestTeam::initTestCase() {
    if (!TestHome::onServer())
        QSKIP("needs the test cluster");
}

void TestTeam::memberRightsAreTheWindowsOnly() {
    TestHome home;
    QVERIFY(home.isValid());
    Database admin;
    QVERIFY(admin.openServer(superuser(home)));
    QVERIFY(admin.executeServerText("create schema other"));
    QVERIFY(admin.executeServerText("create table other.secrets (a text)"));
    QVERIFY(
        admin.executeServerText("update userlogin set user_pwd='d5257d73bd30dd12ae2cce4d02bfb8ca' "
                                "where user_name='admin'"));

    Database member;
    QVERIFY2(member.open(home.databasePath()), qPrintable(member.lastError()));
    QCOMPARE(member.server().user.section(u'.', 1), QStringLiteral("tester"));
    // What the window does: read users, keep the score, work on contacts.
    QVERIFY(member.executeServerText("select user_code, user_name, user_grade from userlogin"));
    QVERIFY(member.executeServerText("update userlogin set user_grade = user_grade + 5"));
    QVERIFY(member.executeServerText(
        "insert into base (base_name, base_user_code) values ('张三', 1)"));
    QVERIFY(member.executeServerText("delete from tmptrans"));
    // And no more.
    QVERIFY(refused(member, "select user_pwd from userlogin"));
    QVERIFY(refused(member, "select * from userlogin"));
    QVERIFY(refused(member, "update userlogin set user_name = 'x'"));
    QVERIFY(refused(member, "insert into dep (dep_name) values ('x')"));
    QVERIFY(refused(member, "drop table base"));
    QVERIFY(refused(member, "alter table base add column x text"));
    QVERIFY(refused(member, "create table mine (a text)"));
    QVERIFY(refused(member, "create role intruder"));
    QVERIFY(refused(member, "select * from other.secrets"));
    QVERIFY(refused(member, "select rolpassword from pg_authid"));

    // The administrator's role owns the tables.
    ServerAddress owner = superuser(home);
    owner.user = team::personRole(ServerAddress::fromLocation(TestHome::serverTemplate())->database,
                                  QStringLiteral("admin"));
    Database administrator;
    QVERIFY2(administrator.openServer(owner), qPrintable(administrator.lastError()));
    QVERIFY(administrator.executeServerText("select user_pwd from userlogin"));
    QVERIFY(administrator.executeServerText("alter table base add column x text"));
}

void TestTeam::peopleSignInAsThemselves() {
    const auto owned = homeAs("admin");
    const TestHome& home = *owned;
    QVERIFY(home.isValid());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY2(db.open(home.databasePath()), qPrintable(db.lastError()));

    // The user window adds a person: the row and the login in one step,
    // nothing decodable in the table.
    UserForm add(db, prompter, UserForm::Mode::Add);
    QVERIFY(add.submit({QStringLiteral("张三"), QStringLiteral("first-pw"),
                        QStringLiteral("first-pw"), QStringLiteral("销售部"), false})
                .saved);
    const QString role = team::personRole(db.server().database, QStringLiteral("张三"));
    QVERIFY(team::roleExists(db, role));
    QCOMPARE(db.count("select count(*) from userlogin where user_pwd<>''"), 0);

    Settings settings(home.settingsPath());
    settings.ensureExists();
    auto signIn = [&](const QString& name, const QString& password) {
        prompter.clear();
        Database own(&prompter);
        LoginCheck check(own, settings, prompter, overTcp(home));
        const bool ok = check.submit(name, password, true).accepted;
        return ok && own.isOpen() &&
               own.server().user == team::personRole(own.server().database, name);
    };
    QVERIFY(signIn(QStringLiteral("张三"), QStringLiteral("first-pw")));
    QCOMPARE(settings.value(QStringLiteral("Password")), *password::encode("first-pw"));
    QVERIFY(!signIn(QStringLiteral("张三"), QStringLiteral("wrong")));
    QCOMPARE(prompter.lastText(), kWrong);
    QVERIFY(!signIn(QStringLiteral("李四"), QStringLiteral("first-pw")));
    QCOMPARE(prompter.lastText(), kWrong);

    // Changing one's password proves the old one to the server.
    {
        Database own(&prompter);
        LoginCheck check(own, settings, prompter, overTcp(home));
        QVERIFY(check.submit(QStringLiteral("张三"), QStringLiteral("first-pw"), true).accepted);
        const qint64 code = check.sessionFor(QStringLiteral("张三")).userCode;
        PasswordChange change(own, settings, prompter, code);
        QVERIFY(!change.submit("wrong", "second-pw", "second-pw").close);
        QCOMPARE(prompter.lastText(), QStringLiteral("原密码输入错误!"));
        QVERIFY(change.submit("first-pw", "second-pw", "second-pw").close);
        QCOMPARE(prompter.lastText(), QStringLiteral("密码修改成功!"));
        QCOMPARE(own.server().password, QStringLiteral("second-pw"));
    }
    QVERIFY(!signIn(QStringLiteral("张三"), QStringLiteral("first-pw")));
    QVERIFY(signIn(QStringLiteral("张三"), QStringLiteral("second-pw")));

    // A switched-off person is told so.
    QVERIFY(team::setLoginAllowed(db, QStringLiteral("张三"), false, nullptr));
    QVERIFY(!signIn(QStringLiteral("张三"), QStringLiteral("second-pw")));
    QVERIFY(prompter.lastText().startsWith(QStringLiteral("该用户已被停用")));
    QVERIFY(team::setLoginAllowed(db, QStringLiteral("张三"), true, nullptr));

    // Renamed and reset in the form: the login follows.
    UserList list(db, prompter, -1);
    QVERIFY(list.load());
    int row = 0;
    while (list.model().text(row, UserList::NameColumn) != QStringLiteral("张三"))
        ++row;
    UserForm modify(db, prompter, UserForm::Mode::Modify,
                    list.model().text(row, UserList::CodeColumn), QStringLiteral("销售部"));
    QVERIFY(modify
                .submit({QStringLiteral("张小三"), QString(), QString(), QStringLiteral("销售部"),
                         false})
                .saved);
    QVERIFY(!team::roleExists(db, role));
    QVERIFY(signIn(QStringLiteral("张小三"), UserForm::kDefaultPassword));

    // Deleted: the login goes with the row.
    QVERIFY(list.load());
    row = 0;
    while (list.model().text(row, UserList::NameColumn) != QStringLiteral("张小三"))
        ++row;
    list.model().setChecked(row, true);
    prompter.answer(true);
    list.deleteTicked();
    QVERIFY(list.changed());
    QVERIFY(
        !team::roleExists(db, team::personRole(db.server().database, QStringLiteral("张小三"))));
}

void TestTeam::tlsProvesTheServer() {
    const auto owned = homeAs("admin");
    const TestHome& home = *owned;
    QVERIFY(home.isValid());
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(team::createPerson(db, QStringLiteral("王五"), QStringLiteral("pw-5"), nullptr));

    auto reach = [&](const QString& host, const QString& ca, bool insecure, QString* error) {
        ServerAddress address = overTcp(home, host);
        address.user = team::personRole(address.database, QStringLiteral("王五"));
        address.password = QStringLiteral("pw-5");
        address.tls = true;
        address.tlsInsecure = insecure;
        address.caFile = ca;
        Database own;
        const bool ok = own.openServer(address);
        *error = own.lastError();
        return ok;
    };
    QString error;
    QVERIFY2(reach("localhost", clusterFile(home, "ca.crt"), false, &error), qPrintable(error));
    // The certificate names localhost, not this address.
    QVERIFY(!reach("127.0.0.1", clusterFile(home, "ca.crt"), false, &error));
    QVERIFY2(error.contains(QStringLiteral("127.0.0.1")), qPrintable(error));
    // An impostor: a certificate no trusted root signed.
    QVERIFY(!reach("localhost", clusterFile(home, "other-ca.crt"), false, &error));
    QVERIFY2(error.contains(QStringLiteral("certificate")), qPrintable(error));
    // Chosen explicitly, an unchecked certificate passes, and the window says so.
    QVERIFY(reach("127.0.0.1", QString(), true, &error));
    ServerAddress shown = overTcp(home);
    shown.tls = true;
    shown.tlsInsecure = true;
    QVERIFY(shown.described().contains(QStringLiteral("不安全")));
    QCOMPARE(ServerAddress::fromLocation(shown.location())->tlsInsecure, true);
}

// A server set up by the earlier commands: one shared owner login, stored
// decodable passwords. "mavor-admin team" gives everyone a login of their own.
void TestTeam::earlierServerGetsItsTeam() {
    const auto owned = homeAs("postgres");
    const TestHome& home = *owned;
    QVERIFY(home.isValid());
    ServerAddress root = superuser(home);
    root.database = QStringLiteral("postgres");
    Database cluster;
    QVERIFY(cluster.openServer(root));
    const QString database = superuser(home).database + QStringLiteral("_old");
    const QString owner = database + QStringLiteral("_owner");
    QVERIFY(cluster.executeServerText(
        QStringLiteral("create role %1 login createrole password 'shared'").arg(owner)));
    QVERIFY(cluster.executeServerText(
        QStringLiteral("create database %1 owner %2").arg(database, owner)));
    ServerAddress old = superuser(home);
    old.database = database;
    old.user = owner;
    {
        Database earlier;
        QVERIFY(earlier.openServer(old));
        QString error;
        QVERIFY2(pgschema::create(earlier, &error), qPrintable(error));
        QVERIFY(earlier.executeServerText(
            QStringLiteral("insert into userlogin (user_name, user_pwd, user_dep_code) "
                           "values ('赵六', '%1', 2)")
                .arg(*password::encode("470316"))));
    }
    QProcess admin;
    admin.start(qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor-admin"),
                {QStringLiteral("team"), old.location()});
    QVERIFY(admin.waitForFinished(60000));
    const QString out = QString::fromUtf8(admin.readAllStandardOutput());
    QVERIFY2(admin.exitCode() == 0, qPrintable(admin.readAllStandardError() + out));
    const QRegularExpression line(QStringLiteral("赵六 +登录名 (\\S+) +初始密码 (\\S+)"));
    const auto found = line.match(out);
    QVERIFY2(found.hasMatch(), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("admin  登录名 ")));

    Database check;
    ServerAddress rootOfOld = old;
    rootOfOld.user = QStringLiteral("postgres");
    QVERIFY(check.openServer(rootOfOld));
    QCOMPARE(check.count("select count(*) from userlogin where user_pwd<>''"), 0);
    // The old shared login no longer owns the tables.
    QCOMPARE(
        check.count(sql::format("select count(*) from pg_tables where tableowner='%s'", owner)), 0);
    // The person signs in with the printed password and works as a member.
    Settings settings(home.settingsPath());
    settings.ensureExists();
    ScriptedPrompter prompter;
    Database own(&prompter);
    ServerAddress tcp = overTcp(home);
    tcp.database = database;
    LoginCheck login(own, settings, prompter, tcp);
    QVERIFY2(login.submit(QStringLiteral("赵六"), found.captured(2), false).accepted,
             qPrintable(prompter.lastText()));
    QVERIFY(own.executeServerText("insert into base (base_name, base_user_code) values ('甲', 2)"));
    QVERIFY(refused(own, "select user_pwd from userlogin"));

    own.close();
    check.close();
    cluster.executeServerText(QStringLiteral("drop database %1 with (force)").arg(database));
    for (const QString& role :
         {team::personRole(database, "admin"), team::personRole(database, QStringLiteral("赵六")),
          team::membersRole(database), owner})
        cluster.executeServerText(QStringLiteral("drop role if exists ") + team::identifier(role));
}

QTEST_GUILESS_MAIN(TestTeam)
#include "tst_team.moc"
