// SPDX-License-Identifier: GPL-3.0-or-later
// Interactions, reminders, score and cleansing as the user meets them in the
// main window and in their dialogs.
#include "base/AutoResetEvent.h"
#include "base/Settings.h"
#include "contacts/CClientView2.h"
#include "contacts/CContactAddSheet.h"
#include "contacts/CContactDetailPane.h"
#include "contacts/CContactPage.h"
#include "contacts/CValidityDlg.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "featureapi/CommandTable.h"
#include "gui/ContactGuiFixture.h"
#include "interactions/CInteractionDlg.h"
#include "interactions/CInteractionPage.h"
#include "interactions/CScoreQueryDlg.h"
#include "interactions/InteractionForm.h"
#include "shell/CMainFrame.h"
#include "shell/CScoreBar.h"
#include "shell/NoticeHost.h"
#include "stats/CContactLedgerStrip.h"
#include "support/ContactFieldOracle.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tools/Generator.h"
#include "tree/CNavTree.h"
#include "ui/CDropList.h"
#include "ui/CNoticeWnd.h"
#include "ui/ReportModel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDate kToday(2026, 12, 7);

// Every node of the tree, indented two blanks per level, as mavor-admin prints it.
void dump(const QTreeWidgetItem* item, int depth, QStringList& out) {
    out << QString(depth * 2, u' ') + item->text(0);
    for (int i = 0; i < item->childCount(); ++i)
        dump(item->child(i), depth + 1, out);
}

QStringList dump(const QTreeWidget* tree) {
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        dump(tree->topLevelItem(i), 0, out);
    return out;
}

} // namespace

class TestInteractions : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void aNewUsersFirstInteractions();
    void startupNoticeTellsTheDaysAlerts();
    void careNodesListTheirContacts();
    void adminTreeMatchesTheWindow();
    void interactionFormLayout();
    void failedCheckFocusesItsField_data();
    void failedCheckFocusesItsField();
    void scoreQueryDialog();
    void periodDialog();
    void cleansingFromTheMenu();

  private:
    void openFrame(const QString& databasePath = QString());
    bool waitForTree() const;
    qint64 addContactThroughTheSheet(const QString& name);
    CInteractionPage* page() const;
    QTreeWidgetItem* node(const QString& top, const QString& childPrefix = QString()) const;
    QStringList listedNames() const;
    void closeNotice();

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<FixedClock> clock_;
    std::unique_ptr<AutoResetEvent> stop_, done_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<CMainFrame> frame_;
};

void TestInteractions::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    settings_ = std::make_unique<Settings>(home_->settingsPath());
    settings_->ensureExists();
    clock_ = std::make_unique<FixedClock>(QDateTime(kToday, QTime(9, 0)));
    stop_ = std::make_unique<AutoResetEvent>();
    done_ = std::make_unique<AutoResetEvent>();
}

void TestInteractions::cleanup() {
    frame_.reset();
    context_.reset();
    db_.reset();
    home_.reset();
}

void TestInteractions::openFrame(const QString& databasePath) {
    if (!databasePath.isEmpty()) {
        db_->close();
        QVERIFY(db_->open(databasePath));
    }
    context_.reset(
        new AppContext{*db_, *settings_, *prompter_, *clock_, *stop_, *done_, home_->dir()});
    Session session;
    session.userCode = 1;
    session.departmentCode = 1;
    frame_ = std::make_unique<CMainFrame>(*context_, session);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->startSession();
    QVERIFY(waitForTree());
}

bool TestInteractions::waitForTree() const {
    return QTest::qWaitFor(
        [this] { return frame_->tree()->isReady() && !frame_->tree()->isBuilding(); }, 20000);
}

qint64 TestInteractions::addContactThroughTheSheet(const QString& name) {
    prompter_->answer(false); // 继续增加吗? No
    ModalDriver<CContactAddSheet> driver([&](CContactAddSheet* sheet) {
        ContactRecord r;
        r.setValue("base_name", name);
        r.setValue("base_sex", "男");
        r.setValue("base_sort_code", "A级-核心");
        r.setValue("base_type_code", "客户");
        r.setValue("work_industry_code", "金融");
        r.setValue("work_province_code", "北京市");
        for (const oracle::Page& info : oracle::kPages)
            sheet->page(info.page)->mergeValues(r);
        sheet->okButton()->click();
    });
    frame_->runCommand(commands::AddContact);
    if (driver.handled() != 1)
        return -1;
    return db_->count(sql::format("select base_code from base where base_name='%s'", name));
}

CInteractionPage* TestInteractions::page() const {
    return qobject_cast<CInteractionPage*>(
        frame_->detailPane()->widget(CContactDetailPane::Interactions));
}

QTreeWidgetItem* TestInteractions::node(const QString& top, const QString& childPrefix) const {
    for (int i = 0; i < frame_->tree()->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = frame_->tree()->topLevelItem(i);
        if (item->text(0) != top)
            continue;
        if (childPrefix.isEmpty())
            return item;
        for (int k = 0; k < item->childCount(); ++k)
            if (item->child(k)->text(0).startsWith(childPrefix))
                return item->child(k);
    }
    return nullptr;
}

QStringList TestInteractions::listedNames() const {
    QStringList names;
    const ReportModel* model = frame_->contactView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->text(row, ContactList::NameColumn);
    return names;
}

void TestInteractions::closeNotice() {
    if (CNoticeWnd* notice = frame_->notices()->current())
        notice->close();
    QTRY_VERIFY(!frame_->notices()->isOpen());
}

// Tried as a new user would: a contact, two interactions in one add loop, a
// plan for today; a level interval of 0 and a meeting yesterday make overdue.
void TestInteractions::aNewUsersFirstInteractions() {
    openFrame();
    closeNotice();
    const qint64 zhang = addContactThroughTheSheet("张三");
    QVERIFY(zhang > 0);
    QVERIFY(waitForTree());
    closeNotice();
    QVERIFY(frame_->contactView()->contacts()->openContact(zhang));
    const QString scoreBefore = frame_->scoreBar()->scoreText();

    prompter_->clear();
    prompter_->answer(true);  // 继续增加吗? Yes
    prompter_->answer(false); // No
    int opened = 0;
    auto driver = std::make_unique<ModalDriver<CInteractionDlg>>([&](CInteractionDlg* dialog) {
        ++opened;
        qobject_cast<CDropList*>(dialog->control("comm_business_code"))->setText("拜访");
        qobject_cast<QLineEdit*>(dialog->control("comm_tran"))->setText("100");
        if (opened == 2) {
            // The next meeting is planned for today.
            qobject_cast<CDropList*>(dialog->control("comm_next_year"))->setText("2026");
            qobject_cast<CDropList*>(dialog->control("comm_next_month"))->setText("12");
            qobject_cast<CDropList*>(dialog->control("comm_next_day"))->setText("07");
        }
        dialog->findChild<QPushButton*>("ok")->click();
    });
    page()->button("增加")->click();
    QCOMPARE(driver->handled(), 2);
    driver.reset();
    QCOMPARE(prompter_->texts(), (QStringList{"继续增加吗?", "继续增加吗?"}));
    QCOMPARE(page()->list().model().rowCount(), 2);
    // The ledger line above the list follows the new rows.
    auto* ledger = frame_->detailPane()->findChild<CContactLedgerStrip*>();
    QVERIFY(ledger);
    QTRY_VERIFY(ledger->text().startsWith(
        QStringLiteral("往来 2 次 · 支出 0.00 元 · 收入 200.00 元 · 差额 -200.00 元")));
    QVERIFY(frame_->notices()->isOpen());
    QCOMPARE(frame_->notices()->current()->shownLines(), QStringList{"等级分增加 10 分!"});
    const qint64 before = scoreBefore.section(u' ', 1, 1).toLongLong();
    QCOMPARE(frame_->scoreBar()->scoreText(),
             QStringLiteral("我的人脉等级分是: %1 分 !").arg(before + 10));

    frame_->refreshNavigation();
    QVERIFY(waitForTree());
    QVERIFY(node("事务提醒 ", "预先安排"));
    QCOMPARE(node("事务提醒 ", "预先安排")->text(0), QStringLiteral("预先安排 <1>"));
    frame_->tree()->setCurrentItem(node("事务提醒 ", "预先安排"));
    QCOMPARE(listedNames(), QStringList{"张三"});

    // A level that wants a meeting every day; 李四 was met yesterday.
    QVERIFY(db_->execute("update sort set sort_frequence=0 where sort_name='A级-核心'"));
    closeNotice();
    const qint64 li = addContactThroughTheSheet("李四");
    QVERIFY(waitForTree());
    QVERIFY(frame_->contactView()->contacts()->openContact(li));
    prompter_->answer(false);
    {
        ModalDriver<CInteractionDlg> yesterday([&](CInteractionDlg* dialog) {
            qobject_cast<CDropList*>(dialog->control("comm_business_code"))->setText("电话");
            qobject_cast<CDropList*>(dialog->control("comm_day"))->setText("06");
            dialog->findChild<QPushButton*>("ok")->click();
        });
        page()->button("增加")->click();
        QCOMPARE(yesterday.handled(), 1);
    }
    QVERIFY(waitForTree());
    QCOMPARE(node("事务提醒 ", "逾期事务")->text(0), QStringLiteral("逾期事务 <1>"));
    frame_->tree()->setCurrentItem(node("事务提醒 ", "逾期事务"));
    QCOMPARE(listedNames(), QStringList{"李四"});

    // 李四 met today, entered from the overdue list: the group stays chosen
    // with its new count, 李四 leaves it, today's meeting heads his list.
    QVERIFY(frame_->contactView()->contacts()->openContact(li));
    prompter_->answer(false);
    ModalDriver<CInteractionDlg> today([&](CInteractionDlg* dialog) {
        qobject_cast<CDropList*>(dialog->control("comm_business_code"))->setText("拜访");
        dialog->findChild<QPushButton*>("ok")->click();
    });
    page()->button("增加")->click();
    QCOMPARE(today.handled(), 1);
    QVERIFY(waitForTree());
    QCOMPARE(node("事务提醒 ", "逾期事务")->text(0), QStringLiteral("逾期事务 <0>"));
    QCOMPARE(frame_->tree()->currentItem(), node("事务提醒 ", "逾期事务"));
    QCOMPARE(listedNames(), QStringList());
    QCOMPARE(page()->list().model().text(0, InteractionList::DateColumn),
             QStringLiteral("2026-12-07"));
    QCOMPARE(page()->list().model().text(1, InteractionList::DateColumn),
             QStringLiteral("2026-12-06"));
}

void TestInteractions::startupNoticeTellsTheDaysAlerts() {
    // A meeting planned for today, and a contact's child born on the 20th.
    QVERIFY(db_->execute("insert into base(base_name,base_invalid_flag,base_sort_code) "
                         "values('王五',1,1)"));
    QVERIFY(db_->execute("insert into home(home_base_code,home_child_month,home_child_day) "
                         "values((select max(base_code) from base),'12','20')"));
    QVERIFY(db_->execute("insert into comm(comm_base_code,comm_year,comm_month,comm_day,"
                         "comm_date,comm_next_year,comm_next_month,comm_next_day) values("
                         "(select max(base_code) from base),'2026','11','01','2026-11-01',"
                         "'2026','12','07')"));
    openFrame();
    QVERIFY(frame_->notices()->isOpen());
    const QStringList lines = frame_->notices()->current()->shownLines();
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[2], QStringLiteral("当天有事务需处理!"));
    QCOMPARE(lines[3], QStringLiteral("本月有人或其家属过生日!"));
}

void TestInteractions::careNodesListTheirContacts() {
    // The contact list joins the post: the contacts have the empty one.
    for (const char* row : {"('生日在本月',1,'12')", "('生日在下月',1,'01')", "('家属生日',1,'')"})
        QVERIFY(db_->execute(sql::Statement(
            QStringLiteral("insert into base(base_name,base_invalid_flag,base_month) values%1")
                .arg(QString::fromUtf8(row)))));
    QVERIFY(db_->execute("update base set work_duty_code=(select duty_code from duty "
                         "where duty_name='')"));
    QVERIFY(db_->execute("insert into home(home_base_code,home_month) select base_code,'12' "
                         "from base where base_name='家属生日'"));
    openFrame();
    QCOMPARE(node("日常关怀 ", "生日关怀")->text(0), QStringLiteral("生日关怀 (1)"));
    QCOMPARE(node("日常关怀 ", "家庭关怀")->text(0), QStringLiteral("家庭关怀 (1)"));
    frame_->tree()->setCurrentItem(node("日常关怀 ", "生日关怀"));
    QCOMPARE(frame_->listMode(), 6);
    QCOMPARE(listedNames(), QStringList{"生日在本月"});
    frame_->tree()->setCurrentItem(node("日常关怀 ", "家庭关怀"));
    QCOMPARE(frame_->listMode(), 7);
    QCOMPARE(listedNames(), QStringList{"家属生日"});
}

// The tree mavor-admin prints for a user and day is the tree the window shows
// that user after logging in that day.
void TestInteractions::adminTreeMatchesTheWindow() {
    {
        Generator generator(*db_);
        Generator::Options options;
        options.contacts = 400;
        options.interactions = 3000;
        options.seed = 9;
        options.today = kToday;
        QVERIFY2(generator.run(options, nullptr), qPrintable(generator.error()));
    }
    openFrame();
    const QStringList window = dump(frame_->tree());
    // Counts that say something: each reminder group has contacts.
    for (const auto& [top, group] : QList<QPair<QString, QString>>{{"事务提醒 ", "预先安排"},
                                                                   {"事务提醒 ", "当天事务"},
                                                                   {"事务提醒 ", "逾期事务"},
                                                                   {"日常关怀 ", "生日关怀"}}) {
        QVERIFY2(node(top, group), qPrintable(group));
        QVERIFY2(!node(top, group)->text(0).contains(QRegularExpression("[<(]0[>)]")),
                 qPrintable(group));
    }

    QProcess admin;
    admin.start(qEnvironmentVariable("MAVOR_BIN_DIR") + "/mavor-admin",
                {"tree", "--user", "admin", "--today", kToday.toString(Qt::ISODate),
                 home_->databasePath()});
    QVERIFY(admin.waitForFinished(60000));
    QCOMPARE(admin.exitCode(), 0);
    const QStringList printed =
        QString::fromUtf8(admin.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(printed, window);
}

void TestInteractions::interactionFormLayout() {
    openFrame();
    InteractionForm form(*db_, *prompter_, *clock_);
    form.startAdd(1);
    CInteractionDlg dialog(form, form.typeNames(), frame_.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("往来记录管理"));
    QStringList groups;
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>())
        groups << box->title();
    QCOMPARE(groups, (QStringList{"本次交往", "下次安排"}));
    // The captions, written out here as the form shows them.
    QStringList captions;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption :
         {"往来时间:", "年",          "月",        "日",          "点",
          "分",        "往来类型:",   "礼品:",     "事      由:", "对方人员:",
          "我方人员:", "地      点:", "花费时间:", "分钟",        "收入:",
          "元",        "支出:",       "往来内容:", "下次时间:",   "往来安排:"})
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
    // Today preset; next date, times and type empty.
    QCOMPARE(qobject_cast<CDropList*>(dialog.control("comm_year"))->currentText(), "2026");
    QCOMPARE(qobject_cast<CDropList*>(dialog.control("comm_month"))->currentText(), "12");
    QCOMPARE(qobject_cast<CDropList*>(dialog.control("comm_day"))->currentText(), "07");
    for (const char* empty : {"comm_clock", "comm_minute", "comm_business_code", "comm_next_year",
                              "comm_next_business_code"})
        QVERIFY2(qobject_cast<CDropList*>(dialog.control(empty))->currentText().isEmpty(), empty);
    auto* years = qobject_cast<CDropList*>(dialog.control("comm_year"));
    QCOMPARE(years->itemText(1), QStringLiteral("2026"));
    QCOMPARE(years->itemText(years->count() - 1), QStringLiteral("1927"));
    auto* next = qobject_cast<CDropList*>(dialog.control("comm_next_year"));
    QCOMPARE(next->itemText(next->count() - 1), QStringLiteral("2125"));
    for (const auto& [column, limit] : QList<QPair<const char*, int>>{{"comm_gift", 100},
                                                                      {"comm_reason", 100},
                                                                      {"comm_spent", 10},
                                                                      {"comm_tran", 10},
                                                                      {"comm_cost", 10}})
        QCOMPARE(qobject_cast<QLineEdit*>(dialog.control(column))->maxLength(), limit);
    auto* content = qobject_cast<QPlainTextEdit*>(dialog.control("comm_content"));
    content->setPlainText(QString(1100, u'字'));
    QCOMPARE(content->toPlainText().size(), 1023);
    // A list's value is only picked: typing does not search it, Backspace empties it.
    auto* month = qobject_cast<CDropList*>(dialog.control("comm_month"));
    month->setFocus();
    QTest::keyClicks(month, QStringLiteral("0"));
    QCOMPARE(month->currentText(), QStringLiteral("12"));
    QTest::keyClick(month, Qt::Key_Backspace);
    QCOMPARE(month->currentText(), QString());
}

void TestInteractions::failedCheckFocusesItsField_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selected");
    QTest::newRow("type") << "comm_business_code"
                          << ""
                          << "请选择往来类型!"
                          << "comm_business_code" << false;
    QTest::newRow("time spent") << "comm_spent"
                                << "1小时"
                                << "时间长度中有非法字符，请检查!"
                                << "comm_spent" << true;
    QTest::newRow("next day only") << "comm_next_day"
                                   << "05"
                                   << "下次安排日期输入不完整!"
                                   << "comm_next_year" << false;
}

void TestInteractions::failedCheckFocusesItsField() {
    QFETCH(QString, column);
    QFETCH(QString, value);
    openFrame();
    prompter_->clear();
    InteractionForm form(*db_, *prompter_, *clock_);
    form.startAdd(1);
    form.setValue("comm_business_code", "拜访");
    form.setValue(column, value);
    CInteractionDlg dialog(form, form.typeNames(), frame_.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    dialog.findChild<QPushButton*>("ok")->click();
    QVERIFY(dialog.isVisible());
    QTEST(prompter_->lastText(), "message");
    QFETCH(QString, focus);
    QTRY_COMPARE(QApplication::focusWidget(), dialog.control(focus));
    if (auto* edit = qobject_cast<QLineEdit*>(dialog.control(focus)))
        QTEST(edit->hasSelectedText(), "selected");
}

void TestInteractions::scoreQueryDialog() {
    openFrame();
    QVERIFY(db_->execute("insert into base(base_name,base_invalid_flag,base_sort_code,"
                         "base_user_code,base_user_dep_code) values('甲',1,"
                         "(select sort_code from sort where sort_name='A级-核心'),1,1)"));
    const qint64 value = db_->count("select sort_value from sort where sort_name='A级-核心'");
    CScoreQueryDlg dialog(*db_, frame_.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("等级分查询--目前共有人数： 1"));
    QCOMPARE(dialog.users()->rowCount(), 1);
    QCOMPARE(dialog.users()->text(0, 1), QStringLiteral("admin"));
    // The bonus points of the login are not in it.
    QCOMPARE(dialog.users()->text(0, 2), QString::number(value));
    QCOMPARE(dialog.totalText(), QString::number(value));
    QCOMPARE(dialog.averageText(), QStringLiteral("%1.00").arg(value));
    QCOMPARE(dialog.departments()->rowCount(), 5);
    QCOMPARE(dialog.departments()->columns().size(), 4);
}

void TestInteractions::periodDialog() {
    openFrame();
    QVERIFY(settings_->setValue("Day", "30 "));
    prompter_->clear();
    CValidityDlg dialog(*settings_, *prompter_, frame_.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("往来有效期设置"));
    QCOMPARE(dialog.edit()->text(), QStringLiteral("30"));
    QCOMPARE(dialog.edit()->selectedText(), QStringLiteral("30"));
    QCOMPARE(dialog.edit()->maxLength(), 4);
    dialog.edit()->setText("3o");
    dialog.findChild<QPushButton*>()->click(); // the first button is 确定(&O)
    QCOMPARE(prompter_->lastText(), QStringLiteral("请输入数字0-9!"));
    QCOMPARE(dialog.edit()->selectedText(), QStringLiteral("3o"));
    dialog.edit()->clear();
    dialog.findChild<QPushButton*>()->click();
    QCOMPARE(prompter_->lastText(), QStringLiteral("请输入天数!"));
    QVERIFY(dialog.isVisible());
    dialog.edit()->setText("15");
    dialog.findChild<QPushButton*>()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(settings_->value("Day"), QStringLiteral("15"));

    // A settings file that cannot be written is said, and the dialog stays.
    Settings unwritable(home_->dir()); // a folder, not a file
    CValidityDlg refused(unwritable, *prompter_, frame_.get());
    refused.show();
    refused.edit()->setText("20");
    prompter_->clear();
    refused.findChild<QPushButton*>()->click();
    QCOMPARE(prompter_->texts(),
             QStringList{QStringLiteral("往来有效期没有保存:设置文件 %1 无法写入,请检查它的权限!")
                             .arg(home_->dir())});
    QVERIFY(refused.isVisible());
}

void TestInteractions::cleansingFromTheMenu() {
    QVERIFY(settings_->setValue("Day", "0"));
    QVERIFY(db_->execute("insert into base(base_name,base_invalid_flag,base_sort_code,"
                         "base_user_code) values('今天见过',1,1,1),('昨天见过',1,1,1)"));
    QVERIFY(db_->execute("insert into comm(comm_base_code,comm_year,comm_month,comm_day,comm_date) "
                         "select base_code,'2026','12',case base_name when '今天见过' then '07' "
                         "else '06' end,'2026-12-0'||case base_name when '今天见过' then '7' "
                         "else '6' end from base"));
    QVERIFY(db_->execute("update base set work_duty_code=(select duty_code from duty "
                         "where duty_name='')"));
    openFrame();
    frame_->tree()->setCurrentItem(frame_->tree()->topLevelItem(0));
    QCOMPARE(listedNames().size(), 2);
    prompter_->clear();
    prompter_->answer(true);
    QVERIFY(frame_->runCommand(commands::Cleansing));
    QCOMPARE(
        prompter_->texts().first(),
        QStringLiteral("系统自动将 0 天内无往来记录的人脉资料移入垃圾箱,\r\n\r\n如果人脉资料数量"
                       "减少,可到垃圾箱中寻找!\r\n\r\n确定要对资料进行清洗吗?"));
    QCOMPARE(prompter_->lastText(), QStringLiteral("数据清洗完成,请检查垃圾箱中的资料!"));
    QVERIFY(waitForTree());
    QCOMPARE(listedNames(), QStringList{"今天见过"});
    QVERIFY(node("垃圾箱 <共1个>"));
}

QTEST_MAIN(TestInteractions)
#include "tst_interactions.moc"
