// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "phones/PhoneDirectory.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/ReportModel.h"

#include <QTest>
#include <algorithm>

// The phone directory's rules on a fresh delivered database: what the list
// shows, the checks of add and save in their order, the delete walk.
class TestPhoneDirectory : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void statementsAsWritten();
    void listShowsOneCategoryOfEveryUser();
    void entryWithoutItsPositionRowIsNotListed();
    void addChecksInOrder_data();
    void addChecksInOrder();
    void numbersAreChecked_data();
    void numbersAreChecked();
    void addStoresEveryFieldAndTheUser();
    void saveWritesThePage();
    void addLoopCountsSavedForms_data();
    void addLoopCountsSavedForms();
    void deleteWalk_data();
    void deleteWalk();

  private:
    qint64 categoryCode(const QString& name);
    qint64 addRow(const QString& title, const QString& category, qint64 user = 1,
                  const QString& duty = QStringLiteral("经理"));
    PhoneEntry sample() const;

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<PhoneDirectory> directory_;
};

void TestPhoneDirectory::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    directory_ = std::make_unique<PhoneDirectory>(*db_, *prompter_);
}

void TestPhoneDirectory::cleanup() {
    directory_.reset();
    db_.reset();
    home_.reset();
}

qint64 TestPhoneDirectory::categoryCode(const QString& name) {
    qint64 code = -1;
    db_->query(sql::format("select societysitesort_code from societysitesort where "
                           "societysitesort_name='%s'",
                           name),
               [&](const Row& row) {
                   code = row.numberAt(0);
                   return false;
               });
    return code;
}

qint64 TestPhoneDirectory::addRow(const QString& title, const QString& category, qint64 user,
                                  const QString& duty) {
    const bool ok = db_->execute(sql::format(
        "insert into societysite(societysite_title,societysite_sort_code,societysite_duty_code,"
        "societysite_user_code,societysite_name,societysite_phone,societysite_mobil,"
        "societysite_address,societysite_price,societysite_fax,societysite_memo) "
        "values('%s',(select societysitesort_code from societysitesort where "
        "societysitesort_name='%s'),(select duty_code from duty where duty_name='%s'),%ld,"
        "'联系人','010-1','139','地址','价格','传真','备注')",
        title, category, duty, user));
    return ok ? db_->count("select max(societysite_code) from societysite") : -1;
}

PhoneEntry TestPhoneDirectory::sample() const {
    PhoneEntry entry;
    entry.title = QStringLiteral("O'Neil 修车行");
    entry.category = QStringLiteral("维修服务");
    entry.address = QStringLiteral("长安街1号");
    entry.contact = QStringLiteral("王师傅");
    entry.duty = QStringLiteral("经理");
    entry.mobile = QStringLiteral("13800138000");
    entry.phone = QStringLiteral("010-88886666");
    entry.fax = QStringLiteral("010-88886667");
    entry.price = QStringLiteral("50.5");
    entry.memo = QStringLiteral("周日休息");
    return entry;
}

void TestPhoneDirectory::statementsAsWritten() {
    // Copied from the directory's description, tabs as \t.
    const QString list = QStringLiteral(
        "select "
        "s.societysite_code,s.societysite_title,t.societysitesort_name,s.societysite_address, "
        "\t\t\ts.societysite_phone,s.societysite_name,d.duty_name,s.societysite_mobil, \t\t\t"
        "s.societysite_price,u.user_name \t\t\tfrom societysite as s,societysitesort as t,duty as "
        "d,"
        "userlogin as u \t\t\twhere s.societysite_sort_code = t.societysitesort_code AND \t\t\t\t"
        "s.societysite_duty_code = d.duty_code and s.societysite_user_code=u.user_code");
    QCOMPARE(PhoneDirectory::listStatement(sql::Statement()).shown(), list);
    QCOMPARE(PhoneDirectory::listStatement(PhoneDirectory::categoryCondition(7)).shown(),
             list + QStringLiteral(" and societysitesort_code=7"));
}

void TestPhoneDirectory::listShowsOneCategoryOfEveryUser() {
    QVERIFY(db_->execute("insert into userlogin(user_name,user_pwd,user_dep_code) "
                         "values('lisi','',1)"));
    const qint64 lisi = db_->count("select max(user_code) from userlogin");
    const qint64 first = addRow(QStringLiteral("张记面馆"), QStringLiteral("餐饮"));
    const qint64 second = addRow(QStringLiteral("李家菜"), QStringLiteral("餐饮"), lisi);
    addRow(QStringLiteral("人民医院"), QStringLiteral("医疗"));

    QList<QStringList> rows;
    QVERIFY(directory_->fetch(PhoneDirectory::categoryCondition(categoryCode("餐饮")), rows));
    QCOMPARE(rows.size(), 2);
    // The list has no order of its own (a server may return any): by code.
    std::sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
        return a.at(1).toLongLong() < b.at(1).toLongLong();
    });
    // (empty, code, title, contact person, phone, mobile, address, price)
    QCOMPARE(rows.at(0), (QStringList{"", QString::number(first), "张记面馆", "联系人", "010-1",
                                      "139", "地址", "价格"}));
    QCOMPARE(rows.at(1).at(1), QString::number(second));

    rows.clear();
    QVERIFY(directory_->fetch(sql::Statement(), rows));
    QCOMPARE(rows.size(), 3);
}

void TestPhoneDirectory::entryWithoutItsPositionRowIsNotListed() {
    addRow(QStringLiteral("张记面馆"), QStringLiteral("餐饮"), 1, QStringLiteral("科长"));
    addRow(QStringLiteral("李家菜"), QStringLiteral("餐饮"));
    QVERIFY(db_->execute("delete from duty where duty_name='科长'"));
    QList<QStringList> rows;
    QVERIFY(directory_->fetch(PhoneDirectory::categoryCondition(categoryCode("餐饮")), rows));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).at(2), QStringLiteral("李家菜"));
}

void TestPhoneDirectory::addChecksInOrder_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("duty");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");
    const QString notice = QStringLiteral("提示");
    const QString program = QStringLiteral("Halvora人脉 V3.0");
    QTest::newRow("no name before no category")
        << ""
        << ""
        << "没有的职务" << int(PhoneDirectory::Outcome::NoTitle) << notice << "请输入名称!";
    QTest::newRow("no category before the position")
        << "面馆"
        << ""
        << "没有的职务" << int(PhoneDirectory::Outcome::NoCategory) << notice << "请选择类别!";
    QTest::newRow("unknown position before the category")
        << "面馆"
        << "没有的类别"
        << "没有的职务" << int(PhoneDirectory::Outcome::DutyLookup) << program
        << "职务表操作失败,请检查系统设置";
    QTest::newRow("unknown category") << "面馆"
                                      << "没有的类别"
                                      << "经理" << int(PhoneDirectory::Outcome::CategoryLookup)
                                      << program << "常用资料表操作失败,请检查系统设置";
}

void TestPhoneDirectory::addChecksInOrder() {
    QFETCH(QString, title);
    QFETCH(QString, category);
    QFETCH(QString, duty);
    QFETCH(int, outcome);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    PhoneEntry entry = sample();
    entry.title = title;
    entry.category = category;
    entry.duty = duty;
    QCOMPARE(int(directory_->add(entry, 1)), outcome);
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, caption);
    QCOMPARE(prompter_->messages[0].text, message);
    QCOMPARE(db_->count("select count(*) from societysite"), 0);
}

// Add and save refuse a number that is none, before any lookup, and keep the row.
void TestPhoneDirectory::numbersAreChecked_data() {
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("fax");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message");
    using O = PhoneDirectory::Outcome;
    QTest::newRow("letters in mobile") << "abc"
                                       << "x"
                                       << ""
                                       << "" << int(O::BadMobile) << "请在手机中输入数字!";
    QTest::newRow("phone in words") << "+86 138"
                                    << "电话"
                                    << ""
                                    << "" << int(O::BadPhone) << "请在电话中输入数字!";
    QTest::newRow("fax") << ""
                         << ""
                         << "f"
                         << "" << int(O::BadFax) << "请在传真中输入数字!";
    QTest::newRow("price in words") << ""
                                    << ""
                                    << ""
                                    << "xyz" << int(O::BadPrice) << "请在价格中输入数字!";
    QTest::newRow("price with two points") << ""
                                           << ""
                                           << ""
                                           << "12.5.3" << int(O::BadPrice) << "请在价格中输入数字!";
    QTest::newRow("all empty") << ""
                               << ""
                               << ""
                               << "" << int(O::Saved) << "";
}

void TestPhoneDirectory::numbersAreChecked() {
    QFETCH(QString, mobile);
    QFETCH(QString, phone);
    QFETCH(QString, fax);
    QFETCH(QString, price);
    QFETCH(int, outcome);
    QFETCH(QString, message);
    const qint64 code = addRow(QStringLiteral("张记面馆"), QStringLiteral("餐饮"));
    const PhoneEntry before = *directory_->load(code);
    PhoneEntry entry = sample();
    entry.mobile = mobile;
    entry.phone = phone;
    entry.fax = fax;
    entry.price = price;
    QCOMPARE(int(directory_->add(entry, 1)), outcome);
    QCOMPARE(int(directory_->save(code, entry)), outcome);
    const QStringList said = message.isEmpty() ? QStringList{} : QStringList{message, message};
    QCOMPARE(prompter_->texts(), said);
    if (!message.isEmpty()) {
        QCOMPARE(db_->count("select count(*) from societysite"), 1);
        QCOMPARE(*directory_->load(code), before);
    }
}

void TestPhoneDirectory::addStoresEveryFieldAndTheUser() {
    const PhoneEntry entry = sample();
    QCOMPARE(directory_->add(entry, 1), PhoneDirectory::Outcome::Saved);
    QVERIFY(prompter_->messages.isEmpty());
    const qint64 code = db_->count("select max(societysite_code) from societysite");
    QCOMPARE(db_->count(sql::format("select societysite_user_code from societysite where "
                                    "societysite_code=%ld",
                                    code)),
             1);
    const std::optional<PhoneEntry> stored = directory_->load(code);
    QVERIFY(stored);
    QCOMPARE(*stored, entry); // the quote in the name stays one quote
}

void TestPhoneDirectory::saveWritesThePage() {
    const qint64 code = addRow(QStringLiteral("张记面馆"), QStringLiteral("餐饮"));
    PhoneEntry changed = sample();
    QCOMPARE(directory_->save(code, changed), PhoneDirectory::Outcome::Saved);
    QCOMPARE(*directory_->load(code), changed);
    // Moved to another category: gone from the first one's list.
    QList<QStringList> rows;
    QVERIFY(directory_->fetch(PhoneDirectory::categoryCondition(categoryCode("餐饮")), rows));
    QVERIFY(rows.isEmpty());
}

void TestPhoneDirectory::addLoopCountsSavedForms_data() {
    QTest::addColumn<QList<bool>>("forms");   // each opening: saved or cancelled
    QTest::addColumn<QList<bool>>("answers"); // answers to "继续增加吗?"
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("questions");
    QTest::newRow("two saved, then no")
        << QList<bool>{true, true} << QList<bool>{true, false} << 2 << 2;
    QTest::newRow("first cancelled") << QList<bool>{false} << QList<bool>{} << 0 << 0;
    QTest::newRow("one saved, then cancelled")
        << QList<bool>{true, false} << QList<bool>{true} << 1 << 1;
}

void TestPhoneDirectory::addLoopCountsSavedForms() {
    QFETCH(QList<bool>, forms);
    QFETCH(QList<bool>, answers);
    QFETCH(int, added);
    QFETCH(int, questions);
    for (bool yes : answers)
        prompter_->answer(yes);
    int opened = 0;
    const int result = PhoneDirectory::addLoop(
        *prompter_, [&] { return opened < forms.size() && forms.at(opened++); });
    QCOMPARE(result, added);
    QCOMPARE(prompter_->messages.size(), questions);
    for (const auto& message : prompter_->messages) {
        QCOMPARE(message.caption, QStringLiteral("提示"));
        QCOMPARE(message.text, QStringLiteral("继续增加吗?"));
    }
}

void TestPhoneDirectory::deleteWalk_data() {
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("left");
    const QStringList all{"甲", "乙", "丙", "丁"};
    QTest::newRow("nothing ticked")
        << QList<int>{} << true << -1 << QStringList{"请选择所要删除的资料!"} << all;
    QTest::newRow("declined") << QList<int>{1} << false << -1
                              << QStringList{"确定要删除所选资料吗?"} << all;
    QTest::newRow("three adjacent") << QList<int>{0, 1, 2} << true << 3
                                    << QStringList{"确定要删除所选资料吗?"} << QStringList{"丁"};
    QTest::newRow("first and last")
        << QList<int>{0, 3} << true << 2 << QStringList{"确定要删除所选资料吗?"}
        << QStringList{"乙", "丙"};
}

void TestPhoneDirectory::deleteWalk() {
    QFETCH(QList<int>, ticked);
    QFETCH(bool, answer);
    QFETCH(int, deleted);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, left);
    for (const char* title : {"甲", "乙", "丙", "丁"})
        addRow(title, QStringLiteral("餐饮"));
    ReportModel model(PhoneDirectory::kColumns);
    QList<QStringList> rows;
    QVERIFY(directory_->fetch(sql::Statement(), rows));
    model.setRows(rows);
    for (int row : ticked)
        model.setChecked(row, true);
    prompter_->answer(answer);
    QCOMPARE(directory_->deleteTicked(model), deleted);
    QCOMPARE(prompter_->texts(), messages);
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.text(row, 2);
    QCOMPARE(shown, left);
    QCOMPARE(db_->count("select count(*) from societysite"), qint64(left.size()));
}

QTEST_GUILESS_MAIN(TestPhoneDirectory)
#include "tst_phonedirectory.moc"
