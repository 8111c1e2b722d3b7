// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"
#include "db/Database.h"
#include "login/LoginCheck.h"
#include "login/PasswordChange.h"
#include "login/PasswordCodec.h"
#include "support/RefusingTrigger.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QFile>
#include <QTest>

class TestLogin : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void checksInOrder_data();
    void checksInOrder();
    void rememberedLoginRoundTrip();
    void uncheckedBoxEmptiesBothKeys();
    void storedPasswordShownDecodedOrAsItStands_data();
    void storedPasswordShownDecodedOrAsItStands();
    void quoteInUserNameLogsIn();
    void databaseFailureCountsAsFailedCheck();
    void noClearPasswordIsWritten();

    void passwordChange_data();
    void passwordChange();
    void changeKeepsRememberedLoginValid();
    void changeWithoutRememberedLoginLeavesIniAlone();
    void changeFailureShowsTableEntryThenMessage();

  private:
    void addUser(const QString& name, const QString& pwd, qint64 dep = 1);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<Settings> settings_;
};

void TestLogin::init() {
    home_ = std::make_unique<TestHome>();
    QVERIFY(home_->isValid());
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    settings_ = std::make_unique<Settings>(home_->settingsPath());
    QVERIFY(settings_->ensureExists());
}

void TestLogin::cleanup() {
    settings_.reset();
    db_.reset();
    prompter_.reset();
    home_.reset();
}

void TestLogin::addUser(const QString& name, const QString& pwd, qint64 dep) {
    QVERIFY(db_->execute(
        sql::Statement(QStringLiteral("insert into userlogin(user_name,user_pwd,user_dep_code,"
                                      "user_dep_mng) values('%1','%2',%3,'0')")
                           .arg(QString(name).replace("'", "''"), *password::encode(pwd))
                           .arg(dep))));
}

void TestLogin::checksInOrder_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("message");
    const int user = int(LoginCheck::Field::UserName);
    const int pwd = int(LoginCheck::Field::Password);
    QTest::newRow("both empty") << ""
                                << "" << false << user << "请输入用户名!";
    QTest::newRow("no password") << "admin"
                                 << "" << false << pwd << "请输入密码!";
    QTest::newRow("wrong password") << "admin"
                                    << "admin" << false << user << "用户名或者密码输入有误!";
    QTest::newRow("unknown user") << "nobody"
                                  << "admin888" << false << user << "用户名或者密码输入有误!";
    QTest::newRow("name with trailing blank")
        << "admin "
        << "admin888" << false << user << "用户名或者密码输入有误!";
    QTest::newRow("injection attempt") << "admin' --"
                                       << "x" << false << user << "用户名或者密码输入有误!";
    QTest::newRow("too long") << "admin"
                              << "1234567890abcdefg" << false << pwd << password::tooLongMessage();
    QTest::newRow("right") << "admin"
                           << "admin888" << true << int(LoginCheck::Field::None) << "";
}

void TestLogin::checksInOrder() {
    QFETCH(QString, user);
    QFETCH(QString, pwd);
    QFETCH(bool, accepted);
    QFETCH(int, focus);
    QFETCH(QString, message);
    LoginCheck check(*db_, *settings_, *prompter_);
    // Any number of attempts: the same wrong attempt twice, then the right one.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto outcome = check.submit(user, pwd, false);
        QCOMPARE(outcome.accepted, accepted);
        QCOMPARE(int(outcome.focus), focus);
    }
    if (message.isEmpty()) {
        QVERIFY(prompter_->messages.isEmpty());
    } else {
        QCOMPARE(prompter_->messages.size(), 2);
        QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
        QCOMPARE(prompter_->messages[0].text, message);
    }
    QVERIFY(check.submit("admin", "admin888", false).accepted);
}

void TestLogin::rememberedLoginRoundTrip() {
    LoginCheck check(*db_, *settings_, *prompter_);
    const auto empty = check.initialFields();
    QVERIFY(empty.userName.isEmpty() && empty.password.isEmpty() && !empty.remember);
    QVERIFY(check.submit("admin", "admin888", true).accepted);
    QCOMPARE(settings_->value("UserName"), QStringLiteral("admin"));
    QCOMPARE(settings_->value("Password"), *password::encode("admin888"));

    Settings reopened(home_->settingsPath());
    LoginCheck next(*db_, reopened, *prompter_);
    const auto fields = next.initialFields();
    QCOMPARE(fields.userName, QStringLiteral("admin"));
    QCOMPARE(fields.password, QStringLiteral("admin888"));
    QVERIFY(fields.remember);

    const Session session = next.sessionFor("admin");
    QCOMPARE(session.userCode, 1);
    QCOMPARE(session.departmentCode, 1);
    QVERIFY(session.loggedIn());
    QVERIFY(!Session().loggedIn());
    QCOMPARE(Session().departmentCode, -1);
}

void TestLogin::uncheckedBoxEmptiesBothKeys() {
    LoginCheck check(*db_, *settings_, *prompter_);
    QVERIFY(check.submit("admin", "admin888", true).accepted);
    QVERIFY(check.submit("admin", "admin888", false).accepted);
    QFile ini(home_->settingsPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(),
             QByteArray("[Settings]\r\nUserName=\r\nPassword=\r\nAutoLogin=0\r\nDay=60\r\n"));
}

void TestLogin::storedPasswordShownDecodedOrAsItStands_data() {
    QTest::addColumn<QByteArray>("stored"); // the bytes after "Password="
    QTest::addColumn<QString>("shown");
    const QByteArray admin888 = "d5257d73bd30dd12ae2cce4d02bfb8ca";
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("clear text, blanks trimmed") << QByteArray("  plain  ") << "plain";
    QTest::newRow("encoded") << admin888 << "admin888";
    QTest::newRow("encoded in capitals, blanks around") << " " + admin888.toUpper() + "\t"
                                                        << "admin888";
    QTest::newRow("33 digits") << admin888 + "0" << QString::fromLatin1(admin888 + "0");
    QTest::newRow("32 letters that are not hex") << QByteArray(32, 'z') << QString(32, QChar(u'z'));
    QTest::newRow("32 Chinese characters")
        << QString(32, QChar(u'密')).toUtf8() << QString(32, QChar(u'密'));
    QTest::newRow("32 fullwidth digits")
        << QString(32, QChar(0xFF11)).toUtf8() << QString(32, QChar(0xFF11));
    QTest::newRow("31 digits and a byte that is not UTF-8")
        << admin888.left(31) + "\xff" << QString::fromLatin1(admin888.left(31)) + QChar(0xFFFD);
    QTest::newRow("one megabyte") << QByteArray(1 << 20, '7') << QString(1 << 20, QChar(u'7'));
}

// A Password key that is not 32 hex digits is shown as it stands, whatever a
// hand edit or damage put there.
void TestLogin::storedPasswordShownDecodedOrAsItStands() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFile ini(home_->settingsPath());
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[Settings]\r\nUserName=  admin  \r\nPassword=" + stored + "\r\nDay=60\r\n");
    ini.close();
    LoginCheck check(*db_, *settings_, *prompter_);
    const auto fields = check.initialFields();
    QCOMPARE(fields.userName, QStringLiteral("admin"));
    QCOMPARE(fields.password, shown);
    QVERIFY(fields.remember);
    QVERIFY(prompter_->messages.isEmpty());
}

void TestLogin::quoteInUserNameLogsIn() {
    addUser("O'Neil", "秘密");
    LoginCheck check(*db_, *settings_, *prompter_);
    QVERIFY(check.submit("O'Neil", "秘密", true).accepted);
    QVERIFY(prompter_->messages.isEmpty());
    const Session session = check.sessionFor("O'Neil");
    QVERIFY(session.userCode > 1);
    QCOMPARE(session.departmentCode, 1);
    QCOMPARE(check.initialFields().password, QStringLiteral("秘密"));
}

void TestLogin::databaseFailureCountsAsFailedCheck() {
    QVERIFY(db_->execute("alter table userlogin rename to userlogin_gone"));
    LoginCheck check(*db_, *settings_, *prompter_);
    const auto outcome = check.submit("admin", "admin888", true);
    QVERIFY(!outcome.accepted);
    QCOMPARE(prompter_->messages.size(), 2);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(prompter_->messages[1].text, QStringLiteral("用户名或者密码输入有误!"));
    QCOMPARE(settings_->value("UserName"), QString());
}

void TestLogin::noClearPasswordIsWritten() {
    addUser("张三", "明文口令X");
    LoginCheck check(*db_, *settings_, *prompter_);
    QVERIFY(check.submit("张三", "明文口令X", true).accepted);
    PasswordChange change(*db_, *settings_, *prompter_, check.sessionFor("张三").userCode);
    QVERIFY(change.submit("明文口令X", "新的口令Y", "新的口令Y").close);
    db_->close();
    for (const QString& path :
         {home_->settingsPath(), home_->databasePath(), home_->databasePath() + "-wal"}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        for (const char* clear : {"明文口令X", "新的口令Y"}) {
            QVERIFY2(!bytes.contains(QByteArray(clear)), qPrintable(path));
            QVERIFY2(!bytes.contains(*password::gbkBytes(QString::fromUtf8(clear))),
                     qPrintable(path));
        }
    }
}

void TestLogin::passwordChange_data() {
    QTest::addColumn<qint64>("user");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<bool>("close");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedPassword");
    const int none = int(PasswordChange::Field::None);
    const int old = int(PasswordChange::Field::Old);
    const int fresh = int(PasswordChange::Field::New);
    QTest::newRow("unknown user") << qint64(99) << QStringList{"admin888", "a", "a"} << false
                                  << none << "提示"
                                  << "用户注册表错误!"
                                  << "admin888";
    QTest::newRow("wrong old") << qint64(1) << QStringList{"admin", "a", "a"} << false << old
                               << "Halvora人脉 V3.0"
                               << "原密码输入错误!"
                               << "admin888";
    QTest::newRow("new differs") << qint64(1) << QStringList{"admin888", "abc", "abd"} << false
                                 << fresh << "提示"
                                 << "新密码输入不一致!"
                                 << "admin888";
    QTest::newRow("new empty") << qint64(1) << QStringList{"admin888", "", ""} << false << fresh
                               << "提示"
                               << "请输入新密码!"
                               << "admin888";
    QTest::newRow("new too long") << qint64(1)
                                  << QStringList{"admin888", "1234567890abcdefg",
                                                 "1234567890abcdefg"}
                                  << false << fresh << "提示" << password::tooLongMessage()
                                  << "admin888";
    QTest::newRow("changed") << qint64(1) << QStringList{"admin888", "新密码1", "新密码1"} << true
                             << none << "提示"
                             << "密码修改成功!"
                             << "新密码1";
}

void TestLogin::passwordChange() {
    QFETCH(qint64, user);
    QFETCH(QStringList, typed);
    QFETCH(bool, close);
    QFETCH(int, focus);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    QFETCH(QString, storedPassword);
    PasswordChange change(*db_, *settings_, *prompter_, user);
    const auto outcome = change.submit(typed[0], typed[1], typed[2]);
    QCOMPARE(outcome.close, close);
    QCOMPARE(int(outcome.focus), focus);
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, caption);
    QCOMPARE(prompter_->messages[0].text, message);
    QVERIFY(LoginCheck::matches(*db_, "admin", *password::encode(storedPassword)));
}

void TestLogin::changeKeepsRememberedLoginValid() {
    LoginCheck check(*db_, *settings_, *prompter_);
    QVERIFY(check.submit("admin", "admin888", true).accepted);
    PasswordChange change(*db_, *settings_, *prompter_, 1);
    QVERIFY(change.submit("admin888", "s3cret", "s3cret").close);
    QCOMPARE(settings_->value("Password"), *password::encode("s3cret"));
    LoginCheck next(*db_, *settings_, *prompter_);
    const auto fields = next.initialFields();
    QVERIFY(next.submit(fields.userName, fields.password, true).accepted);
}

void TestLogin::changeWithoutRememberedLoginLeavesIniAlone() {
    QFile ini(home_->settingsPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray before = ini.readAll();
    ini.close();
    PasswordChange change(*db_, *settings_, *prompter_, 1);
    QVERIFY(change.submit("admin888", "s3cret", "s3cret").close);
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), before);
}

void TestLogin::changeFailureShowsTableEntryThenMessage() {
    // A trigger makes the update fail while the lookups still work.
    QVERIFY(refuseWrites(*db_, "no_change", "before update on userlogin", {}, "locked"));
    PasswordChange change(*db_, *settings_, *prompter_, 1);
    const auto outcome = change.submit("admin888", "s3cret", "s3cret");
    QVERIFY(outcome.close);
    QCOMPARE(prompter_->texts(), (QStringList{"数据库打开失败,请检查系统设置", "密码修改失败!"}));
    QVERIFY(LoginCheck::matches(*db_, "admin", *password::encode("admin888")));
}

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_login.moc"
