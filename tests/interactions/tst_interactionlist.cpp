// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/Statement.h"
#include "interactions/InteractionForm.h"
#include "interactions/InteractionHost.h"
#include "interactions/InteractionList.h"
#include "support/FixedClock.h"
#include "support/RefusingTrigger.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/ReportModel.h"

#include <QTest>

namespace {

// Records what the page asked of the main window, in order.
class RecordingHost : public InteractionHost {
  public:
    QStringList calls;
    void showNotice(const QString& text) override { calls << "notice:" + text; }
    void showScore() override { calls << "score"; }
    void remindersChanged() override { calls << "reminders"; }
};

} // namespace

class TestInteractionList : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void addLoopCountsOnceAfterTheLoop();
    void cancelledFirstFormChangesNothing();
    void noContactNoForm_data();
    void noContactNoForm();
    void listShowsNewestFirst();
    void modifyFillsTheFormFromRowAndJoin();
    void deleteWalkSkipsAFailingRow();

  private:
    qint64 grade();
    qint64 insert(const QString& date, const QString& next, const QString& content,
                  const QString& money = "10 ");

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ReportModel> model_;
    std::unique_ptr<InteractionList> list_;
    RecordingHost host_;
    FixedClock clock_{QDateTime(QDate(2012, 5, 8), QTime(9, 30))};
    qint64 contact_ = 0;
};

void TestInteractionList::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    QVERIFY(db_->execute("insert into base(base_name,base_invalid_flag) values('李四',1)"));
    contact_ = db_->count("select max(base_code) from base");
    model_ = std::make_unique<ReportModel>();
    list_ = std::make_unique<InteractionList>(*db_, *prompter_, clock_, 1, *model_);
    list_->setHost(&host_);
    list_->setContactSource([this] { return contact_; });
    host_.calls.clear();
}

void TestInteractionList::cleanup() {
    list_.reset();
    model_.reset();
    db_.reset();
    prompter_.reset();
    home_.reset();
}

qint64 TestInteractionList::grade() {
    // Not through count(), which reads no negative numbers.
    qint64 value = 0;
    db_->query("select user_grade from userlogin where user_code=1", [&](const Row& r) {
        value = r.numberAt(0);
        return false;
    });
    return value;
}

qint64 TestInteractionList::insert(const QString& date, const QString& next, const QString& content,
                                   const QString& money) {
    const QStringList d = date.split(u'-');
    const QStringList n = next.isEmpty() ? QStringList{"", "", ""} : next.split(u'-');
    db_->execute(sql::format(
        "insert into comm(comm_base_code,comm_year,comm_month,comm_day,comm_clock,comm_minute,"
        "comm_business_code,comm_content,comm_spent,comm_cost,comm_tran,comm_next_year,"
        "comm_next_month,comm_next_day,comm_next_business_code,comm_gift,comm_date) values(%ld,"
        "'%s','%s','%s','10','15',(select business_code from business where business_name='拜访'),"
        "'%s','30 ','%s','%s','%s','%s','%s',(select business_code from business where "
        "business_name='电话'),'鲜花','%s')",
        contact_, d[0], d[1], d[2], content, money, money, n[0], n[1], n[2], date));
    return db_->count("select max(comm_code) from comm");
}

void TestInteractionList::addLoopCountsOnceAfterTheLoop() {
    const qint64 before = grade();
    int opened = 0;
    list_->setFormRunner([&](InteractionForm& form) {
        ++opened;
        // Each opening starts empty with today's date.
        if (form.value("comm_year") != "2012" || !form.value("comm_gift").isEmpty())
            return false;
        form.setValue("comm_business_code", "拜访");
        form.setValue("comm_gift", opened == 1 ? "茶叶" : "");
        form.setValue("comm_content", QStringLiteral("第%1次").arg(opened));
        form.setValue("comm_tran", "5");
        if (opened == 1)
            form.setValue("comm_day", "01"); // an earlier meeting entered first
        if (opened == 2) {
            form.setValue("comm_next_year", "2012");
            form.setValue("comm_next_month", "05");
            form.setValue("comm_next_day", "20");
        }
        return form.save();
    });
    prompter_->answer(true);  // 继续增加吗? Yes
    prompter_->answer(false); // No
    QCOMPARE(list_->add(), 2);
    QCOMPARE(opened, 2);
    QCOMPARE(prompter_->texts(), (QStringList{"继续增加吗?", "继续增加吗?"}));
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(grade(), before + 10);
    QCOMPARE(host_.calls, (QStringList{"notice:等级分增加 10 分!", "score", "reminders"}));
    // Newest first: the later meeting, entered second, heads the list.
    QCOMPARE(model_->rowCount(), 2);
    const QString second = QString::number(db_->count("select max(comm_code) from comm"));
    QCOMPARE(model_->text(0, InteractionList::IdColumn), second);
    QCOMPARE(model_->text(0, InteractionList::DateColumn), QStringLiteral("2012-05-08"));
    QCOMPARE(model_->text(0, InteractionList::TypeColumn), QStringLiteral("拜访"));
    QCOMPARE(model_->text(0, InteractionList::IncomeColumn), QStringLiteral("5"));
    QCOMPARE(model_->text(0, InteractionList::ContentColumn), QStringLiteral("第2次"));
    QCOMPARE(model_->text(0, InteractionList::NextColumn), QStringLiteral("2012-05-20"));
    QCOMPARE(model_->text(1, InteractionList::DateColumn), QStringLiteral("2012-05-01"));
    QCOMPARE(model_->text(1, InteractionList::NextColumn), QString());
}

void TestInteractionList::cancelledFirstFormChangesNothing() {
    const qint64 before = grade();
    list_->setFormRunner([](InteractionForm&) { return false; });
    QCOMPARE(list_->add(), 0);
    QCOMPARE(grade(), before);
    QVERIFY(host_.calls.isEmpty());
    QVERIFY(prompter_->messages.isEmpty());
}

void TestInteractionList::noContactNoForm_data() {
    QTest::addColumn<int>("command"); // 0 add, 1 modify, 2 delete
    QTest::addColumn<QString>("message");
    QTest::newRow("add") << 0 << "请先选择相关资料,再使用此功能!";
    QTest::newRow("modify, without its exclamation mark") << 1 << "请先选择相关资料,再使用此功能";
    QTest::newRow("delete") << 2 << "请先选择相关资料,再使用此功能!";
}

void TestInteractionList::noContactNoForm() {
    QFETCH(int, command);
    contact_ = 0;
    bool opened = false;
    list_->setFormRunner([&](InteractionForm&) { return opened = true; });
    if (command == 0)
        list_->add();
    else if (command == 1)
        list_->modify();
    else
        list_->remove();
    QVERIFY(!opened);
    QTEST(prompter_->lastText(), "message");
}

void TestInteractionList::listShowsNewestFirst() {
    insert("2011-12-30", "", "旧的", "7 ");
    insert("2012-04-03", "2012-05-09", "新的", "12.50  ");
    QVERIFY(list_->load(contact_));
    QCOMPARE(model_->rowCount(), 2);
    QCOMPARE(model_->text(0, InteractionList::DateColumn), QStringLiteral("2012-04-03"));
    QCOMPARE(model_->text(0, InteractionList::ContentColumn), QStringLiteral("新的"));
    // Number columns lose their trailing blanks.
    QCOMPARE(model_->text(0, InteractionList::IncomeColumn), QStringLiteral("12.50"));
    QCOMPARE(model_->text(0, InteractionList::ExpenseColumn), QStringLiteral("12.50"));
    QCOMPARE(model_->text(0, InteractionList::SpentColumn), QStringLiteral("30"));
    QCOMPARE(model_->text(0, InteractionList::NextColumn), QStringLiteral("2012-05-09"));
    QCOMPARE(model_->text(1, InteractionList::NextColumn), QString());
    QCOMPARE(model_->text(1, InteractionList::TypeColumn), QStringLiteral("拜访"));
    // Short parts are padded as the list shows dates.
    QVERIFY(db_->execute("update comm set comm_month='5',comm_day='7' where comm_content='旧的'"));
    QVERIFY(list_->load(contact_));
    QCOMPARE(model_->text(1, InteractionList::DateColumn), QStringLiteral("2011- 5- 7"));
}

void TestInteractionList::modifyFillsTheFormFromRowAndJoin() {
    const qint64 code = insert("2012-04-03", "2012-05-09", "原内容");
    QVERIFY(list_->load(contact_));
    const qint64 before = grade();

    QCOMPARE(list_->modify(), false);
    QCOMPARE(prompter_->lastText(), QStringLiteral("请在选择框中选中所要修改的资料!"));
    QCOMPARE(list_->modifyRow(-1), false);
    QCOMPARE(prompter_->lastText(), QStringLiteral("请选择所要操作的数据!"));

    QHash<QString, QString> seen;
    list_->setFormRunner([&](InteractionForm& form) {
        for (const char* column : {"comm_year", "comm_month", "comm_day", "comm_clock",
                                   "comm_minute", "comm_business_code", "comm_gift", "comm_content",
                                   "comm_tran", "comm_cost", "comm_spent", "comm_next_year",
                                   "comm_next_month", "comm_next_day", "comm_next_business_code"})
            seen.insert(column, form.value(column));
        seen.insert("caption", form.caption());
        seen.insert("code", form.code());
        form.setValue("comm_content", "改过");
        form.setValue("comm_next_year", "");
        form.setValue("comm_next_month", "");
        form.setValue("comm_next_day", "");
        return form.save();
    });
    model_->setChecked(0, true);
    QVERIFY(list_->modify());
    const QHash<QString, QString> expected{
        {"comm_year", "2012"},
        {"comm_month", "04"},
        {"comm_day", "03"},
        {"comm_clock", "10"},
        {"comm_minute", "15"},
        {"comm_business_code", "拜访"},
        {"comm_gift", "鲜花"},
        {"comm_content", "原内容"},
        {"comm_tran", "10"},
        {"comm_cost", "10"},
        {"comm_spent", "30"},
        {"comm_next_year", "2012"},
        {"comm_next_month", "05"},
        {"comm_next_day", "09"},
        {"comm_next_business_code", "电话"},
        {"caption", "往来记录--修改"},
        {"code", QString::number(code)},
    };
    QCOMPARE(seen, expected);
    QCOMPARE(model_->text(0, InteractionList::ContentColumn), QStringLiteral("改过"));
    QCOMPARE(model_->text(0, InteractionList::NextColumn), QString());
    QCOMPARE(grade(), before);
    QCOMPARE(host_.calls, QStringList{"reminders"});
    QCOMPARE(db_->count("select count(*) from comm"), 1);
}

void TestInteractionList::deleteWalkSkipsAFailingRow() {
    const qint64 a = insert("2012-04-03", "", "一");
    const qint64 b = insert("2012-04-02", "", "二");
    const qint64 c = insert("2012-04-01", "", "三");
    insert("2012-03-01", "", "四");
    QVERIFY(refuseWrites(*db_, "keep", "before delete on comm",
                         QStringLiteral("old.comm_code=%1").arg(b), "不能删除"));
    QVERIFY(list_->load(contact_));
    const qint64 before = grade();

    QCOMPARE(list_->remove(), 0);
    QCOMPARE(prompter_->lastText(), QStringLiteral("请选择所要删除的资料!"));

    for (int row = 0; row < 3; ++row)
        model_->setChecked(row, true);
    prompter_->clear();
    prompter_->answer(false);
    QCOMPARE(list_->remove(), 0);
    QCOMPARE(prompter_->texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("确认"));
    QCOMPARE(db_->count("select count(*) from comm"), 4);

    prompter_->clear();
    QCOMPARE(list_->remove(), 2);
    QCOMPARE(prompter_->messages.size(), 2); // the question, then the failed row's error
    QCOMPARE(model_->rowCount(), 2);
    QCOMPARE(model_->key(0), QString::number(b));
    QCOMPARE(model_->text(1, InteractionList::ContentColumn), QStringLiteral("四"));
    QCOMPARE(
        db_->count(sql::format("select count(*) from comm where comm_code in (%ld,%ld)", a, c)), 0);
    QCOMPARE(grade(), before - 10);
    QCOMPARE(host_.calls, (QStringList{"reminders", "notice:等级分减少 10 分!", "score"}));
}

QTEST_GUILESS_MAIN(TestInteractionList)
#include "tst_interactionlist.moc"
