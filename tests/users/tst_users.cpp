// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/Lookups.h"
#include "login/LoginCheck.h"
#include "login/PasswordCodec.h"
#include "reference/RefRecordForm.h"
#include "reference/RefTable.h"
#include "reference/RefTableDefinitions.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "users/UserForm.h"
#include "users/UserList.h"

#include <QTest>

namespace {

// Encoded once by the test from the clear text the description gives. On a
// team's server the row keeps none: the person's own login holds it.
QString encoded(const QString& clear) {
    return TestHome::onServer() ? QString() : *password::encode(clear);
}

} // namespace

class TestUsers : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void loggedInUserIsNeverListed_data();
    void loggedInUserIsNeverListed();
    void newUserWithoutPasswordLogsInWithTheDefault();
    void checksInOrder_data();
    void checksInOrder();
    void modifyResetsThePasswordAndMovesContacts();
    void unchangedDepartmentLeavesContactsAlone();
    void renameToAnotherUsersNameIsRefused();
    void administratorCannotBeSavedOrDeleted();
    void deleteHandsItemsToTheAdministrator();
    void secondOfThreeOwnsContacts();
    void departmentsInUseAreKept();

  private:
    qint64 addUser(const QString& name, const QString& department, bool manager = false);
    qint64 addContactOf(qint64 user, qint64 department);
    qint64 department(const QString& name) { return Lookups(*db_).departmentCode(name); }
    qint64 userCode(const QString& name) { return Lookups(*db_).userCode(name); }
    qint64 number(const QString& statement, qint64 code);
    QString userText(const QString& column, qint64 code);
    int rowOf(UserList& list, const QString& name);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    qint64 admin_ = -1;
};

void TestUsers::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    admin_ = userCode("admin");
    QVERIFY(admin_ > 0);
}

void TestUsers::cleanup() {
    db_.reset();
    home_.reset();
}

qint64 TestUsers::addUser(const QString& name, const QString& departmentName, bool manager) {
    UserForm form(*db_, *prompter_, UserForm::Mode::Add);
    if (!form.submit({name, "pw", "pw", departmentName, manager}).saved)
        return -1;
    return userCode(name);
}

qint64 TestUsers::addContactOf(qint64 user, qint64 departmentCode) {
    if (!db_->execute(sql::format("insert into base(base_name,base_user_code,base_user_dep_code,"
                                  "base_invalid_flag) values('c',%ld,%ld,1)",
                                  user, departmentCode)))
        return -1;
    return db_->count("select max(base_code) from base");
}

qint64 TestUsers::number(const QString& statement, qint64 code) {
    qint64 value = -1;
    db_->query(sql::format(statement, code), [&value](const Row& row) {
        value = row.numberAt(0);
        return false;
    });
    return value;
}

QString TestUsers::userText(const QString& column, qint64 code) {
    QString value;
    db_->query(
        sql::format(QStringLiteral("select %1 from userlogin where user_code=%ld").arg(column),
                    code),
        [&value](const Row& row) {
            value = row.textAt(0);
            return false;
        });
    return value;
}

int TestUsers::rowOf(UserList& list, const QString& name) {
    for (int row = 0; row < list.model().rowCount(); ++row) {
        if (list.model().text(row, 1) == name)
            return row;
    }
    return -1;
}

void TestUsers::loggedInUserIsNeverListed_data() {
    QTest::addColumn<QString>("loggedIn");
    QTest::newRow("administrator") << "admin";
    QTest::newRow("another user") << "张三";
}

void TestUsers::loggedInUserIsNeverListed() {
    QFETCH(QString, loggedIn);
    QVERIFY(addUser("张三", "销售部", true) > 0);
    QVERIFY(addUser("李四", "市场部") > 0);
    UserList list(*db_, *prompter_, userCode(loggedIn));
    QVERIFY(list.load());
    QStringList names;
    for (int row = 0; row < list.model().rowCount(); ++row)
        names << list.model().text(row, 1);
    QVERIFY(!names.contains(loggedIn));
    QCOMPARE(names.size(), 2);
    QCOMPARE(list.title(), QStringLiteral("用户管理--目前共有记录数： 2"));
    QCOMPARE(list.caption(), QStringLiteral("用户管理"));
    const int zhang = rowOf(list, "张三");
    if (zhang >= 0) {
        QCOMPARE(list.model().text(zhang, 0), QString::number(userCode("张三")));
        QCOMPARE(list.model().text(zhang, 2), QStringLiteral("销售部"));
        QCOMPARE(list.model().text(zhang, 3), QStringLiteral("经理"));
    }
    const int li = rowOf(list, "李四");
    QCOMPARE(list.model().text(li, 2), QStringLiteral("市场部"));
    QCOMPARE(list.model().text(li, 3), QString());
    QStringList headers;
    for (const ReportColumn& column : list.model().columns())
        headers << QStringLiteral("%1,%2").arg(column.caption).arg(column.width);
    QCOMPARE(headers.join(u';'), QStringLiteral("选,20;姓名,75;所属部门,120;经理,60"));
}

void TestUsers::newUserWithoutPasswordLogsInWithTheDefault() {
    UserForm form(*db_, *prompter_, UserForm::Mode::Add);
    QCOMPARE(form.title(), QStringLiteral("用户增加"));
    QCOMPARE(form.departments(),
             (QStringList{"财务部", "市场部", "销售部", "行政部", "总经理办公室"}));
    QVERIFY(form.submit({"王五", "", "", "行政部", false}).saved);
    QVERIFY(prompter_->messages.isEmpty());
    const qint64 code = userCode("王五");
    QCOMPARE(userText("user_pwd", code), encoded("470316"));
    QCOMPARE(userText("user_dep_mng", code), QStringLiteral("0"));
    QCOMPARE(number("select user_dep_code from userlogin where user_code=%ld", code),
             department("行政部"));
    QCOMPARE(number("select user_grade from userlogin where user_code=%ld", code), 0);
    QCOMPARE(userText("user_lastlogin", code), QString());
    if (TestHome::onServer())
        return; // the server checks the login's password (tst_team)
    QVERIFY(LoginCheck::matches(*db_, "王五", encoded("470316")));
    QVERIFY(!LoginCheck::matches(*db_, "王五", encoded("")));
}

void TestUsers::checksInOrder_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("selected");
    const int add = int(UserForm::Mode::Add);
    const int modify = int(UserForm::Mode::Modify);
    const QString nameMessage = "请输入用户名!\r\n\r\n用户名长度不超过16个英文字符!";
    const int name = int(UserForm::Field::Name);
    const int pass = int(UserForm::Field::Password);
    const int dep = int(UserForm::Field::Department);
    const int none = int(UserForm::Field::None);
    // Each row breaks one rule and every rule after it, so the first one speaks.
    QTest::newRow("empty name") << add << ""
                                << "a"
                                << "b"
                                << "" << nameMessage << name << false;
    QTest::newRow("seventeen characters") << add << "abcdefghijklmnopq"
                                          << "a"
                                          << "b"
                                          << "" << nameMessage << name << false;
    QTest::newRow("sixteen is not too long") << add << "abcdefghijklmnop"
                                             << ""
                                             << ""
                                             << "销售部"
                                             << "" << none << false;
    QTest::newRow("illegal character") << add << "a/b"
                                       << "a"
                                       << "b"
                                       << ""
                                       << "名称中有非法字符!" << name << true;
    QTest::newRow("name taken") << add << "张三"
                                << "a"
                                << "b"
                                << ""
                                << "该用户名已被使用,请使用其它用户名!" << name << true;
    QTest::newRow("administrator's name taken")
        << add << "admin"
        << ""
        << ""
        << "销售部"
        << "该用户名已被使用,请使用其它用户名!" << name << true;
    QTest::newRow("no department") << add << "赵六"
                                   << "a"
                                   << "b"
                                   << ""
                                   << "请选择所属部门!" << dep << false;
    QTest::newRow("passwords differ") << add << "赵六"
                                      << "a"
                                      << "b"
                                      << "销售部"
                                      << "密码两次输入不一致!" << pass << true;
    QTest::newRow("seventeen bytes") << add << "赵六"
                                     << "1234567890abcdefg"
                                     << "1234567890abcdefg"
                                     << "销售部"
                                     << "密码长度不超过16个字符!" << pass << false;
    QTest::newRow("nine chinese characters are eighteen bytes")
        << add << "赵六"
        << "一二三四五六七八九"
        << "一二三四五六七八九"
        << "销售部"
        << "密码长度不超过16个字符!" << pass << false;
    QTest::newRow("unknown department") << add << "赵六"
                                        << ""
                                        << ""
                                        << "不存在的部门"
                                        << "部门表操作失败!请检查系统设置" << none << false;
    QTest::newRow("administrator modified") << modify << "admin"
                                            << ""
                                            << ""
                                            << "总经理办公室"
                                            << "请选用其它用户名!" << name << true;
    QTest::newRow("quote in a name") << add << "O'Neil"
                                     << ""
                                     << ""
                                     << "销售部"
                                     << "" << none << false;
}

void TestUsers::checksInOrder() {
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, again);
    QFETCH(QString, department);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(bool, selected);
    QVERIFY(addUser("张三", "销售部") > 0);
    const qint64 users = db_->count("select count(*) from userlogin");
    const QString adminPassword = userText("user_pwd", admin_);
    UserForm form(*db_, *prompter_, UserForm::Mode(mode), QString::number(admin_), "总经理办公室");
    const UserForm::Outcome outcome = form.submit({name, password, again, department, false});
    QCOMPARE(int(outcome.focus), focus);
    if (message.isEmpty()) {
        QVERIFY(outcome.saved);
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(userCode(name) > 0, true);
        return;
    }
    QVERIFY(!outcome.saved);
    QCOMPARE(outcome.selectAll, selected);
    QCOMPARE(prompter_->texts(), QStringList{message});
    QCOMPARE(prompter_->messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(db_->count("select count(*) from userlogin"), users);
    QCOMPARE(userText("user_pwd", admin_), adminPassword);
}

void TestUsers::modifyResetsThePasswordAndMovesContacts() {
    const qint64 zhang = addUser("张三", "销售部");
    const qint64 other = addUser("李四", "销售部");
    const qint64 mine = addContactOf(zhang, department("销售部"));
    const qint64 theirs = addContactOf(other, department("销售部"));
    QCOMPARE(userText("user_pwd", zhang), encoded("pw"));

    UserForm form(*db_, *prompter_, UserForm::Mode::Modify, QString::number(zhang), "销售部");
    QCOMPARE(form.title(), QStringLiteral("用户修改"));
    QVERIFY(form.submit({"张三丰", "", "", "市场部", true}).saved);
    QCOMPARE(userText("user_name", zhang), QStringLiteral("张三丰"));
    QCOMPARE(userText("user_pwd", zhang), encoded("470316"));
    QCOMPARE(userText("user_dep_mng", zhang), QStringLiteral("1"));
    const QString depOfContact = "select base_user_dep_code from base where base_code=%ld";
    QCOMPARE(number(depOfContact, mine), department("市场部"));
    QCOMPARE(number(depOfContact, theirs), department("销售部"));
    QCOMPARE(db_->count("select count(*) from userlogin"), 3);
}

void TestUsers::unchangedDepartmentLeavesContactsAlone() {
    const qint64 zhang = addUser("张三", "销售部");
    // A contact whose department is out of step shows whether base is touched.
    const qint64 contact = addContactOf(zhang, 77);
    UserForm form(*db_, *prompter_, UserForm::Mode::Modify, QString::number(zhang), "销售部");
    QVERIFY(form.submit({"张三", "新密码", "新密码", "销售部", false}).saved);
    QCOMPARE(number("select base_user_dep_code from base where base_code=%ld", contact), 77);
    QCOMPARE(userText("user_pwd", zhang), encoded("新密码"));
}

void TestUsers::renameToAnotherUsersNameIsRefused() {
    const qint64 zhang = addUser("张三", "销售部");
    QVERIFY(addUser("李四", "销售部") > 0);
    UserForm form(*db_, *prompter_, UserForm::Mode::Modify, QString::number(zhang), "销售部");
    const UserForm::Outcome outcome = form.submit({"李四", "", "", "销售部", false});
    QVERIFY(!outcome.saved);
    QCOMPARE(prompter_->texts(), QStringList{"该用户名已被使用,请使用其它用户名!"});
    QCOMPARE(userText("user_name", zhang), QStringLiteral("张三"));
    // Keeping one's own name is no clash.
    prompter_->clear();
    QVERIFY(form.submit({"张三", "", "", "销售部", false}).saved);
}

void TestUsers::administratorCannotBeSavedOrDeleted() {
    const qint64 zhang = addUser("张三", "销售部");
    UserForm form(*db_, *prompter_, UserForm::Mode::Modify, QString::number(admin_),
                  "总经理办公室");
    QVERIFY(form.nameLocked("admin"));
    QVERIFY(!UserForm(*db_, *prompter_, UserForm::Mode::Add).nameLocked("admin"));

    UserList list(*db_, *prompter_, zhang);
    QVERIFY(list.load());
    const int row = rowOf(list, "admin");
    QVERIFY(row >= 0);
    list.model().setChecked(row, true);
    list.deleteTicked();
    QCOMPARE(prompter_->texts(), (QStringList{"确定要删除所选资料吗?", "系统管理员不能被删除!"}));
    QVERIFY(userCode("admin") > 0);
    QVERIFY(!list.changed());
}

void TestUsers::deleteHandsItemsToTheAdministrator() {
    const qint64 zhang = addUser("张三", "销售部");
    const qint64 li = addUser("李四", "销售部");
    for (qint64 user : {zhang, li}) {
        QVERIFY(db_->execute(
            sql::format("insert into datum(datum_title,datum_user_code) values('d',%ld)", user)));
        QVERIFY(db_->execute(sql::format(
            "insert into societysite(societysite_title,societysite_user_code) values('s',%ld)",
            user)));
    }
    UserList list(*db_, *prompter_, admin_);
    QVERIFY(list.load());
    list.model().setChecked(rowOf(list, "张三"), true);
    list.deleteTicked();
    QCOMPARE(prompter_->texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(userCode("张三"), -1);
    QCOMPARE(rowOf(list, "张三"), -1);
    QCOMPARE(
        db_->count(sql::format("select count(*) from datum where datum_user_code=%ld", admin_)), 1);
    QCOMPARE(db_->count(sql::format(
                 "select count(*) from societysite where societysite_user_code=%ld", admin_)),
             1);
    QCOMPARE(db_->count(sql::format("select count(*) from datum where datum_user_code=%ld", li)),
             1);
    QVERIFY(list.changed());
    QCOMPARE(list.title(), QStringLiteral("用户管理--目前共有记录数： 1"));
}

void TestUsers::secondOfThreeOwnsContacts() {
    for (const char* name : {"甲", "乙", "丙"})
        QVERIFY(addUser(name, "销售部") > 0);
    QVERIFY(addContactOf(userCode("乙"), department("销售部")) > 0);
    // A contact in the trash is still owned.
    QVERIFY(db_->execute("update base set base_invalid_flag=0"));
    UserList list(*db_, *prompter_, admin_);
    QVERIFY(list.load());
    for (const char* name : {"甲", "乙", "丙"})
        list.model().setChecked(rowOf(list, name), true);
    list.deleteTicked();
    QCOMPARE(prompter_->texts(),
             (QStringList{"确定要删除所选资料吗?", "名称为[ 乙 ]的资料已被使用,不能直接删除"}));
    QCOMPARE(userCode("甲"), -1);
    QVERIFY(userCode("乙") > 0);
    QCOMPARE(userCode("丙"), -1);
    QCOMPARE(list.model().rowCount(), 1);
}

void TestUsers::departmentsInUseAreKept() {
    const RefTableDefinition& definition = *reftables::find("dep");
    RefRecordForm add(*db_, *prompter_, definition, RefRecordForm::Mode::Add);
    QVERIFY(add.submit("研发部", {}).saved);
    QVERIFY(add.submit("O'Neil部", {}).saved);
    RefTable list(*db_, *prompter_, definition);
    QVERIFY(list.load());
    QCOMPARE(list.title(), QStringLiteral("部门管理--目前共有记录数： 7"));
    for (int row = 0; row < list.model().rowCount(); ++row) {
        const QString name = list.model().text(row, 1);
        if (name == "研发部" || name == "销售部" || name == "O'Neil部")
            list.model().setChecked(row, true);
    }
    list.deleteTicked();
    // Nobody belongs to the sales office of the delivered database.
    QCOMPARE(prompter_->texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(department("研发部"), -1);
    QCOMPARE(department("O'Neil部"), -1);
    QCOMPARE(department("销售部"), -1);
    QCOMPARE(list.title(), QStringLiteral("部门管理--目前共有记录数： 4"));

    prompter_->clear();
    QVERIFY(list.load());
    for (int row = 0; row < list.model().rowCount(); ++row)
        list.model().setChecked(row, list.model().text(row, 1) == "总经理办公室");
    list.deleteTicked();
    QCOMPARE(prompter_->texts(),
             (QStringList{"确定要删除所选资料吗?",
                          "名称为[ 总经理办公室 ]的资料已被使用,不能直接删除"}));
    QVERIFY(department("总经理办公室") > 0);
}

QTEST_GUILESS_MAIN(TestUsers)
#include "tst_users.moc"
