// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppInfo.h"
#include "base/AutoResetEvent.h"
#include "base/ProgramDirectory.h"
#include "base/Settings.h"
#include "contacts/CClientView2.h"
#include "contacts/CContactAddSheet.h"
#include "contacts/CContactDetailPane.h"
#include "contacts/CContactPage.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "featureapi/CommandTable.h"
#include "gui/ContactGuiFixture.h"
#include "reference/CRefEditDlg.h"
#include "reference/CRefListDlg.h"
#include "reference/EditableList.h"
#include "shell/CGfxOutBarCtrl.h"
#include "shell/CMainFrame.h"
#include "shell/CRightPanelWnd.h"
#include "shell/CScoreBar.h"
#include "support/FixedClock.h"
#include "support/ModalScript.h"
#include "support/SampleContacts.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tree/CNavTree.h"
#include "ui/CDropList.h"
#include "ui/ReportModel.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

class TestMainFrame : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void menuBarCaptionsAndOrder();
    void toolbarSlots();
    void contextAndTrayMenus();
    void guardedCommands_data();
    void guardedCommands();
    void elevenCommandsWaitForTheTree();
    void groupsFilledAndViewsSwitched();
    void anItemIsReportedOncePerClickOrEnter();
    void scoreBarAfterLogin();
    void statusBarShowsTodayInBothCalendars();
    void refreshKeepsTheList();
    void exitAnsweredNoChangesNothing();
    void unsavedEditsAreOfferedBeforeLeaving();
    void lifecycleCommandsSettleEditsFirst();
    void aRefusedSaveStoresNoSelection();
    void listAndCountsFollowChanges();
    void addedContactsAppearAtOnce();
    void liveContactsShownAfterLogin();
    void helpComesWithTheProgram();
    void settingsCommandsOpenTheirWindows_data();
    void settingsCommandsOpenTheirWindows();
    void levelEditorRefillsThePagesLevels();
    void levelValueChangesTheScoreShown();
    void categoryEditorRefillsItsGroup();
    void departmentChangeRebuildsTheDepartmentNode();

  private:
    QStringList captionsOf(QMenu* menu) const;
    bool waitForTree() const;
    qint64 addContact(const QString& name);
    QTreeWidgetItem* topLevel(const QString& prefix) const;
    QStringList listedNames() const;
    CContactDetailPane* openInPane(qint64 code);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<FixedClock> clock_;
    std::unique_ptr<AutoResetEvent> stop_, done_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<CMainFrame> frame_;
};

void TestMainFrame::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    QVERIFY(db_->execute("insert into datumsort(datumsort_name) values('测试类别')"));
    settings_ = std::make_unique<Settings>(home_->settingsPath());
    settings_->ensureExists();
    clock_ = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    stop_ = std::make_unique<AutoResetEvent>();
    done_ = std::make_unique<AutoResetEvent>();
    context_.reset(
        new AppContext{*db_, *settings_, *prompter_, *clock_, *stop_, *done_, home_->dir()});
    Session session;
    session.userCode = 1;
    session.departmentCode = 1;
    frame_ = std::make_unique<CMainFrame>(*context_, session);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->tree()->startBuild(false);
}

void TestMainFrame::cleanup() {
    frame_.reset();
    context_.reset();
    db_.reset();
    home_.reset();
}

bool TestMainFrame::waitForTree() const {
    return QTest::qWaitFor([this] { return frame_->tree()->isReady(); }, 10000);
}

qint64 TestMainFrame::addContact(const QString& name) {
    if (!db_->execute(
            sql::format("insert into base(base_name,base_sex,base_province_code,base_sort_code,"
                        "base_type_code,base_user_code,base_invalid_flag,work_duty_code,"
                        "work_industry_code,work_region_code,work_province_code,"
                        "work_leader_duty_code,work_superior_duty_code) "
                        "values('%s','男',1,2,2,1,1,1,2,1,2,1,1)",
                        name)))
        return -1;
    const qint64 code = db_->count("select max(base_code) from base");
    for (const char* row : {"insert into home(home_base_code,home_province_code,home_duty_code) "
                            "values(%ld,1,1)",
                            "insert into society(society_base_code) values(%ld)",
                            "insert into extend(extend_base_code,extend_degree_code) "
                            "values(%ld,1)"})
        db_->execute(sql::format(QString::fromUtf8(row), code));
    return code;
}

QTreeWidgetItem* TestMainFrame::topLevel(const QString& prefix) const {
    for (int i = 0; i < frame_->tree()->topLevelItemCount(); ++i) {
        if (frame_->tree()->topLevelItem(i)->text(0).startsWith(prefix))
            return frame_->tree()->topLevelItem(i);
    }
    return nullptr;
}

QStringList TestMainFrame::listedNames() const {
    QStringList names;
    const ReportModel* model = frame_->contactView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->text(row, ContactList::NameColumn);
    return names;
}

CContactDetailPane* TestMainFrame::openInPane(qint64 code) {
    frame_->contactView()->contacts()->openContact(code);
    return frame_->contactView()->findChild<CContactDetailPane*>();
}

QStringList TestMainFrame::captionsOf(QMenu* menu) const {
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

void TestMainFrame::menuBarCaptionsAndOrder() {
    QStringList titles;
    QMenu* system = nullptr;
    QMenu* query = nullptr;
    QMenu* contacts = nullptr;
    for (QAction* action : frame_->menuBar()->actions()) {
        titles << action->text();
        if (action->text() == QStringLiteral("我的人脉管理(&C)"))
            contacts = action->menu();
        if (action->text() == QStringLiteral("系统设置(&E)"))
            system = action->menu();
        if (action->text() == QStringLiteral("智能查询(&Q)"))
            query = action->menu();
    }
    QCOMPARE(titles.mid(0, 6),
             (QStringList{"我的人脉管理(&C)", "我的资料管理(&D)", "常用电话管理(&M)",
                          "短信管理(&S)", "智能查询(&Q)", "系统设置(&E)"}));
    QCOMPARE(titles.size(), 7);
    QVERIFY(system && query && contacts);
    // The exchange commands follow the hand-over, before the spreadsheet exports.
    QCOMPARE(captionsOf(contacts), (QStringList{"新增人脉(&N)\tCtrl+N",
                                                "删除人脉(&D)\tCtrl+D",
                                                "移至垃圾箱",
                                                "资料还原(&E)\tCtrl+E",
                                                "清空垃圾箱",
                                                "-",
                                                "人脉分配",
                                                "导入人脉...",
                                                "导出人脉...",
                                                "查找重复人脉...",
                                                "通讯录同步...",
                                                "-",
                                                "生成信封标签文件(&L)\tCtrl+L",
                                                "生成列表资料文件(&I)\tCtrl+I",
                                                "-",
                                                "资料清洗",
                                                "-",
                                                "资料刷新",
                                                "-",
                                                "退出(&X)"}));
    // The completed order, with our additions after the editors and at the end;
    // the province editor and the postal lookup beside the region editor.
    const QStringList expected{"关系类别设置",
                               "区域设置(&B)\tCtrl+B",
                               "省份管理",
                               "邮编区号查询",
                               "-",
                               "行业设置",
                               "职务设置(&U)\tCtrl+U",
                               "我的资料类别设置",
                               "学历设置",
                               "文档类别设置",
                               "级别设置",
                               "往来有效期设置",
                               "节日设置",
                               "-",
                               "常用电话类别设置",
                               "往来类别设置(&K)\tCtrl+K",
                               "社会关系类别设置",
                               "-",
                               "密码设置(&P)\tCtrl+P",
                               "-",
                               "数据备份",
                               "数据恢复",
                               "-",
                               "用户管理",
                               "部门管理"};
    QCOMPARE(captionsOf(system), expected);
    QCOMPARE(captionsOf(query).mid(0, 3),
             (QStringList{"人脉综合查询(&Q)\tCtrl+Q", "文档查询", "-"}));
    QVERIFY(!captionsOf(query).contains("邮编区号查询"));
    QCOMPARE(frame_->action(commands::AddContact)->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(frame_->action(commands::About)->text(), QStringLiteral("关于Halvora人脉(&A)"));
}

void TestMainFrame::toolbarSlots() {
    auto* bar = frame_->findChild<QToolBar*>("toolbar128");
    QVERIFY(bar);
    QStringList slotsShown;
    for (QAction* action : bar->actions())
        slotsShown << (action->isSeparator() ? QStringLiteral("-") : action->iconText());
    QCOMPARE(slotsShown, (QStringList{"新增人脉", "删除资料", "移垃圾箱", "资料还原", "清垃圾箱",
                                      "资料列表", "信封标签", "-", "人脉查询", "往来查询",
                                      "当天往来", "-", "短信发送", "资料刷新"}));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

void TestMainFrame::contextAndTrayMenus() {
    QCOMPARE(
        captionsOf(frame_->contactListMenu()),
        (QStringList{"增加人脉资料", "删除人脉资料", "-", "移至垃圾箱", "资料还原", "清空垃圾箱",
                     "-", "资料清洗", "-", "生成标签文件", "生成资料列表", "-", "资料综合查询"}));
}

void TestMainFrame::guardedCommands_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("message");
    const QString contacts = "请先选中〖我的人脉〗,再进行操作!";
    for (int id : {32783, 32782, 32785, 32786, 32787, 32816, 32835, 32905, 2026, 2102})
        QTest::addRow("%d in group 1", id) << id << 1 << contacts;
    QTest::newRow("32897 in group 0") << 32897 << 0 << "请先选中〖我的资料〗,再进行操作!";
    QTest::newRow("32895 in group 2") << 32895 << 2 << "请先选中〖我的资料〗,再进行操作!";
    QTest::newRow("32798 in group 3") << 32798 << 3 << "请先选中〖常用电话〗,再进行操作!";
    QTest::newRow("32782 in its group, nothing ticked") << 32782 << 0 << "请选择所要移动的资料!";
    QTest::newRow("32798 in its group, nothing ticked") << 32798 << 2 << "请选择所要删除的资料!";
}

void TestMainFrame::guardedCommands() {
    QFETCH(int, command);
    QFETCH(int, group);
    QFETCH(QString, message);
    QVERIFY(waitForTree());
    frame_->outBar()->setCurrentIndex(group);
    prompter_->clear();
    const bool guarded = message.startsWith(QStringLiteral("请先选中"));
    QCOMPARE(frame_->runCommand(command), !guarded);
    if (message.isEmpty()) {
        QVERIFY(prompter_->messages.isEmpty());
    } else {
        QCOMPARE(prompter_->messages.size(), 1);
        QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
        QCOMPARE(prompter_->messages[0].icon, PromptIcon::Information);
        QCOMPARE(prompter_->messages[0].text, message);
    }
}

void TestMainFrame::elevenCommandsWaitForTheTree() {
    const QList<int> waiting{32811, 32853, 32869, 32783, 32785, 32835,
                             32905, 32909, 32908, 32780, 32892};
    QVERIFY(waitForTree());
    // The frame reacts to the tree first; the snapshot shows what it disabled.
    QHash<int, bool> whileBuilding;
    connect(frame_->tree(), &CNavTree::readyChanged, this, [&](bool ready) {
        if (!ready) {
            for (const commands::Command& entry : commands::table())
                whileBuilding.insert(entry.id, frame_->action(entry.id)->isEnabled());
        }
    });
    QVERIFY(frame_->tree()->startBuild(true));
    QVERIFY(QTest::qWaitFor([&] { return !whileBuilding.isEmpty(); }, 10000));
    for (const commands::Command& entry : commands::table())
        QCOMPARE(whileBuilding.value(entry.id), !waiting.contains(entry.id));
    QVERIFY(waitForTree());
    for (const commands::Command& entry : commands::table())
        QVERIFY(frame_->action(entry.id)->isEnabled());
    QCOMPARE(int(std::count_if(commands::table().begin(), commands::table().end(),
                               [](const commands::Command& s) { return s.waitsForTree; })),
             11);
}

void TestMainFrame::groupsFilledAndViewsSwitched() {
    QVERIFY(frame_->outBar()->items(commands::DatumGroup).contains("测试类别"));
    QVERIFY(!frame_->outBar()->items(commands::PhoneGroup).isEmpty());
    QCOMPARE(frame_->rightPanel()->currentView(), 1);
    frame_->outBar()->setCurrentIndex(commands::DatumGroup);
    QCOMPARE(frame_->rightPanel()->currentView(), 4);
    frame_->outBar()->setCurrentIndex(commands::PhoneGroup);
    QCOMPARE(frame_->rightPanel()->currentView(), 3);
    frame_->outBar()->setCurrentIndex(commands::ToolsGroup);
    QCOMPARE(frame_->rightPanel()->currentView(), 3); // the tools leave the view alone
    frame_->switchView(2);
    QCOMPARE(frame_->rightPanel()->currentView(), 3);
    frame_->outBar()->setCurrentIndex(commands::ContactsGroup);
    QCOMPARE(frame_->rightPanel()->currentView(), 1);
    QCOMPARE(frame_->currentFilter().shown(), QStringLiteral("base_invalid_flag=1 "));
    QCOMPARE(frame_->liveFlag(), 1);
}

void TestMainFrame::anItemIsReportedOncePerClickOrEnter() {
    CGfxOutBarCtrl bar;
    bar.setItems(commands::DatumGroup, {QStringLiteral("甲"), QStringLiteral("乙")});
    bar.setCurrentIndex(commands::DatumGroup);
    bar.resize(200, 300);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QListWidget* list = bar.list(commands::DatumGroup);
    QSignalSpy spy(&bar, &CGfxOutBarCtrl::notified);
    const QPoint second =
        list->viewport()->mapTo(&bar, list->visualItemRect(list->item(1)).center());

    // Through the window, as the desktop delivers it: press, release, press, double click.
    QTest::mouseDClick(bar.windowHandle(), Qt::LeftButton, {}, second);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 1);
    QCOMPARE(spy.at(0).at(2).toString(), QStringLiteral("乙"));

    spy.clear();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), int(commands::DatumGroup));
    QCOMPARE(spy.at(0).at(1).toInt(), 1);
}

void TestMainFrame::scoreBarAfterLogin() {
    QVERIFY(waitForTree());
    frame_->startSession();
    QCOMPARE(frame_->scoreBar()->scoreText(), QStringLiteral("我的人脉等级分是: 10 分 !"));
    QCOMPARE(frame_->scoreBar()->levelText(),
             QStringLiteral("级别是: 9 级! 离一下等级还差 90 分!"));
    QVERIFY(waitForTree());
}

// 2026-12-07 is the 29th day of the tenth month of 丙午 (published tables:
// 十月初一 fell on 2026-11-09).
void TestMainFrame::statusBarShowsTodayInBothCalendars() {
    QStringList shown;
    for (QLabel* label : frame_->statusBar()->findChildren<QLabel*>())
        shown << label->text();
    QVERIFY2(shown.contains(QStringLiteral("2026-12-07")), qPrintable(shown.join(u'|')));
    auto* lunarToday = frame_->statusBar()->findChild<QLabel*>(QStringLiteral("lunarToday"));
    QVERIFY(lunarToday);
    QCOMPARE(lunarToday->text(), QStringLiteral("农历 丙午年 十月廿九"));
    QVERIFY(lunarToday->isVisible());
    QVERIFY(waitForTree());
}

void TestMainFrame::refreshKeepsTheList() {
    QVERIFY(waitForTree());
    QTreeWidgetItem* trash = nullptr;
    for (int i = 0; i < frame_->tree()->topLevelItemCount(); ++i) {
        if (frame_->tree()->topLevelItem(i)->text(0).startsWith("垃圾箱"))
            trash = frame_->tree()->topLevelItem(i);
    }
    QVERIFY(trash);
    frame_->tree()->setCurrentItem(trash);
    QCOMPARE(frame_->currentFilter().shown(), QStringLiteral("b.base_invalid_flag=0"));
    QCOMPARE(frame_->liveFlag(), 0);
    frame_->runCommand(commands::Refresh);
    QCOMPARE(frame_->currentFilter().shown(), QStringLiteral("b.base_invalid_flag=0"));
    QCOMPARE(frame_->liveFlag(), 0);
    QCOMPARE(frame_->currentGroup(), 0);
    QVERIFY(waitForTree());
    QCOMPARE(frame_->currentFilter().shown(), QStringLiteral("b.base_invalid_flag=0"));
}

void TestMainFrame::exitAnsweredNoChangesNothing() {
    prompter_->answer(false);
    frame_->runCommand(commands::Exit);
    QCOMPARE(prompter_->lastText(), QStringLiteral("确定要退出吗(?)"));
    QVERIFY(prompter_->progressRuns.isEmpty());
    QVERIFY(frame_->isVisible());
    QVERIFY(!stop_->wait(0));
}

// Reloading the list or leaving the program would drop the pane's edits; the
// user is asked first, and a save that does not validate keeps everything.
void TestMainFrame::unsavedEditsAreOfferedBeforeLeaving() {
    QVERIFY(waitForTree());
    QVERIFY(db_->execute("insert into base(base_name,base_sex,base_province_code,base_sort_code,"
                         "base_type_code,base_user_code,base_invalid_flag,work_duty_code,"
                         "work_industry_code,work_region_code,work_province_code,"
                         "work_leader_duty_code,work_superior_duty_code) "
                         "values('王五','男',1,2,2,1,1,1,2,1,2,1,1)"));
    const qint64 code = db_->count("select max(base_code) from base");
    for (const char* table :
         {"home(home_base_code,home_province_code,home_duty_code) values(%1,1,1)",
          "society(society_base_code) values(%1)",
          "extend(extend_base_code,extend_degree_code) values(%1,1)"})
        QVERIFY(db_->execute(
            sql::Statement(QStringLiteral("insert into ") + QString::fromUtf8(table).arg(code))));
    CClientView2* view = frame_->contactView();
    QVERIFY(view->load("b.base_invalid_flag=1", 0, 1));
    QVERIFY(view->contacts()->openContact(code));
    auto* pane = view->findChild<CContactDetailPane*>();
    QVERIFY(pane);
    pane->setModified(true);

    // No to the exit leaves the edits pending and asks nothing about them.
    prompter_->clear();
    prompter_->answer(false);
    frame_->runCommand(commands::Exit);
    QCOMPARE(prompter_->texts(), QStringList{"确定要退出吗(?)"});
    QVERIFY(pane->isModified());
    QVERIFY(!stop_->wait(0));

    // Yes to the exit, then the edits are offered once; a save that does not
    // validate keeps the program running with them.
    prompter_->clear();
    prompter_->answer(true); // exit
    prompter_->answer(true); // save
    pane->findChild<QLineEdit*>("base_name")->clear();
    frame_->runCommand(commands::Exit);
    QCOMPARE(prompter_->texts().mid(0, 2), (QStringList{"确定要退出吗(?)", "保存修改记录吗?"}));
    QVERIFY(frame_->isVisible());
    QVERIFY(!stop_->wait(0));

    pane->setModified(true);
    prompter_->clear();
    prompter_->answer(false);
    frame_->runCommand(commands::Refresh);
    QCOMPARE(prompter_->texts(), QStringList{"保存修改记录吗?"});
    QVERIFY(waitForTree());
}

// Moving a ticked contact to the trash while another one's edits wait in the
// pane offers them first; Yes stores them before the walk.
void TestMainFrame::lifecycleCommandsSettleEditsFirst() {
    QVERIFY(waitForTree());
    const qint64 edited = addContact("王五");
    addContact("赵六");
    frame_->refreshNavigation(); // the list shows 全部人脉 since login
    QVERIFY(waitForTree());
    CContactDetailPane* pane = openInPane(edited);
    auto* name = pane->findChild<QLineEdit*>("base_name");
    name->setText("王五改");
    pane->setModified(true);
    const int sixth = listedNames().indexOf("赵六");
    QVERIFY(sixth >= 0);
    frame_->contactView()->model()->setChecked(sixth, true);

    prompter_->clear();
    prompter_->answer(true); // save the edits
    prompter_->answer(true); // move the ticked contact
    frame_->runCommand(commands::MoveToTrash);
    QCOMPARE(prompter_->texts().mid(0, 2),
             (QStringList{"保存修改记录吗?", "确定要移动所选资料吗?"}));
    QCOMPARE(db_->count("select count(*) from base where base_name='王五改'"), 1);
    QCOMPARE(db_->count("select count(*) from base where base_name='赵六' and base_invalid_flag=0"),
             1);
    QVERIFY(waitForTree());
}

// A node chosen while the pane's edits do not validate is neither loaded nor
// remembered: a later refresh shows what the user last saw.
void TestMainFrame::aRefusedSaveStoresNoSelection() {
    QVERIFY(waitForTree());
    const qint64 code = addContact("王五");
    frame_->refreshNavigation();
    QVERIFY(waitForTree());
    CContactDetailPane* pane = openInPane(code);
    pane->findChild<QLineEdit*>("base_name")->clear();
    pane->setModified(true);
    prompter_->clear();
    prompter_->answer(true); // save, which fails: the name is empty
    frame_->tree()->setCurrentItem(topLevel("垃圾箱"));
    QCOMPARE(prompter_->texts().first(), QStringLiteral("保存修改记录吗?"));
    QCOMPARE(frame_->currentFilter().shown(), QStringLiteral("b.base_invalid_flag=1"));
    QCOMPARE(frame_->liveFlag(), 1);
    QVERIFY(listedNames().contains("王五"));
}

// After a lifecycle command the list is loaded again with the node last chosen
// and the counts are built anew.
void TestMainFrame::listAndCountsFollowChanges() {
    QVERIFY(waitForTree());
    addContact("王五");
    addContact("赵六");
    frame_->runCommand(commands::Refresh);
    QVERIFY(waitForTree());
    QCOMPARE(topLevel("全部人脉")->text(0), QStringLiteral("全部人脉 <共2个>"));
    frame_->tree()->setCurrentItem(topLevel("全部人脉"));
    QCOMPARE(listedNames().size(), 2);

    frame_->contactView()->model()->setChecked(listedNames().indexOf("王五"), true);
    prompter_->clear();
    prompter_->answer(true);
    frame_->runCommand(commands::MoveToTrash);
    QCOMPARE(listedNames(), QStringList{"赵六"});
    QVERIFY(QTest::qWaitFor(
        [this] { return topLevel("垃圾箱") && topLevel("垃圾箱")->text(0) == "垃圾箱 <共1个>"; },
        10000));
    QVERIFY(waitForTree());
    QCOMPARE(topLevel("全部人脉")->text(0), QStringLiteral("全部人脉 <共1个>"));

    frame_->tree()->setCurrentItem(topLevel("垃圾箱"));
    QCOMPARE(listedNames(), QStringList{"王五"});
    frame_->contactView()->model()->setChecked(0, true);
    prompter_->answer(true);
    frame_->runCommand(commands::Restore);
    QVERIFY(listedNames().isEmpty());
    QVERIFY(QTest::qWaitFor(
        [this] { return topLevel("垃圾箱") && topLevel("垃圾箱")->text(0) == "垃圾箱 <共0个>"; },
        10000));
    QVERIFY(waitForTree());
}

// Contacts saved by the add sheet show in the list and the counts at once.
void TestMainFrame::addedContactsAppearAtOnce() {
    QVERIFY(waitForTree());
    frame_->tree()->setCurrentItem(topLevel("全部人脉"));
    QVERIFY(listedNames().isEmpty());
    prompter_->clear();
    prompter_->answer(false); // no more
    ModalDriver<CContactAddSheet> driver([](CContactAddSheet* sheet) {
        const ContactRecord r = sample::minimalContact(QStringLiteral("新朋友"));
        for (ContactPage page : {ContactPage::Base, ContactPage::Work})
            sheet->page(page)->mergeValues(r);
        sheet->okButton()->click();
    });
    frame_->runCommand(commands::AddContact);
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(listedNames(), QStringList{"新朋友"});
    QVERIFY(QTest::qWaitFor(
        [this] {
            return topLevel("全部人脉") && topLevel("全部人脉")->text(0) == "全部人脉 <共1个>";
        },
        10000));
    QVERIFY(waitForTree());
}

// Once the first build after login is done, the list shows the live contacts.
void TestMainFrame::liveContactsShownAfterLogin() {
    frame_.reset();
    addContact("王五");
    Session session;
    session.userCode = 1;
    session.departmentCode = 1;
    frame_ = std::make_unique<CMainFrame>(*context_, session);
    frame_->show();
    frame_->startSession();
    QVERIFY(QTest::qWaitFor([this] { return listedNames() == QStringList{"王五"}; }, 10000));
    QCOMPARE(frame_->tree()->currentItem()->text(0), QStringLiteral("全部人脉 <共1个>"));
    QCOMPARE(frame_->currentFilter().shown(), QStringLiteral("b.base_invalid_flag=1"));
}

// The guide belongs to the installation, not to the data directory, and is
// offered in the help menu.
void TestMainFrame::helpComesWithTheProgram() {
    QMenu* help = nullptr;
    for (QAction* action : frame_->menuBar()->actions()) {
        if (action->text() == QStringLiteral("帮助(&H)"))
            help = action->menu();
    }
    QVERIFY(help);
    QCOMPARE(captionsOf(help), (QStringList{"帮助主题(&H)\tF1", "-", "关于Halvora人脉(&A)"}));
    const QString guide = installedFile("help/index.html");
    QVERIFY2(!guide.startsWith(home_->dir()), qPrintable(guide));
    QCOMPARE(QFileInfo(guide).dir().dirName(), QStringLiteral("help"));
    // The About box says which release this is and under which licence.
    prompter_->clear();
    QVERIFY(frame_->runCommand(commands::About));
    QVERIFY(prompter_->lastText().contains(QStringLiteral("版本 ") + app::kVersion));
    QVERIFY(prompter_->lastText().contains(QStringLiteral("GPL-3.0-or-later")));
}

void TestMainFrame::settingsCommandsOpenTheirWindows_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("title");
    QTest::newRow("32774") << 32774 << "关系类别设置 - 共有记录数： ";
    QTest::newRow("32784") << 32784 << "区域设置 - 共有记录数： ";
    QTest::newRow("province") << int(commands::ProvinceEditor) << "省份管理--目前共有记录数： ";
    QTest::newRow("32880") << 32880 << "区号邮编查询--目前共有记录数： ";
    QTest::newRow("32777") << 32777 << "行业设置 - 共有记录数： ";
    QTest::newRow("32776") << 32776 << "职务设置 - 共有记录数： ";
    QTest::newRow("32898") << 32898 << "我的资料类别设置 - 共有记录数： ";
    QTest::newRow("32779") << 32779 << "学历设置 - 共有记录数： ";
    QTest::newRow("2030") << 2030 << "文档类别设置 - 共有记录数： ";
    QTest::newRow("32778") << 32778 << "级别设置 - 共有记录数： ";
    QTest::newRow("32903") << 32903 << "节日设置 - 共有记录数： ";
    QTest::newRow("32800") << 32800 << "常用电话类别设置 - 共有记录数： ";
    QTest::newRow("32814") << 32814 << "往来类别设置 - 共有记录数： ";
    QTest::newRow("32836") << 32836 << "关联关系管理--目前共有记录数： ";
    QTest::newRow("2024") << 2024 << "用户管理--目前共有记录数： 0";
    QTest::newRow("2025") << 2025 << "部门管理--目前共有记录数： 5";
}

void TestMainFrame::settingsCommandsOpenTheirWindows() {
    QFETCH(int, command);
    QFETCH(QString, title);
    QVERIFY(waitForTree());
    QString shown;
    whenModal<QDialog>([&shown](QDialog* dialog) {
        shown = dialog->windowTitle();
        dialog->accept();
    });
    QVERIFY(frame_->runCommand(command));
    QVERIFY2(shown.startsWith(title), qPrintable(shown));
    QVERIFY(prompter_->messages.isEmpty());
    // Nothing changed: the department node is not built.
    QTest::qWait(50);
    QVERIFY(waitForTree());
    QVERIFY(!topLevel("部门分布"));
}

void TestMainFrame::levelEditorRefillsThePagesLevels() {
    QVERIFY(waitForTree());
    prompter_->answer(false);
    whenModal<CRefListDlg>([](CRefListDlg* editor) {
        whenModal<CRefEditDlg>([](CRefEditDlg* form) {
            form->nameEdit()->setText("Z级-测试");
            qobject_cast<QLineEdit*>(form->field(0))->setText("99");
            qobject_cast<QLineEdit*>(form->field(1))->setText("3");
            form->findChild<QPushButton*>("ok")->click();
        });
        editor->addButton()->click();
        editor->exitButton()->click();
    });
    QVERIFY(frame_->runCommand(commands::LevelEditor));
    QCOMPARE(prompter_->texts(), QStringList{"继续增加吗?"});
    const auto lists =
        frame_->detailPane()->page(ContactPage::Base)->form().lists(ListSource::Levels);
    QVERIFY(!lists.isEmpty());
    QStringList entries;
    for (int i = 0; i < lists.first()->count(); ++i)
        entries << lists.first()->itemText(i);
    // Ordered by value: 99 points come first.
    QCOMPARE(entries.value(entries.indexOf("") + 1), QStringLiteral("Z级-测试"));
}

void TestMainFrame::levelValueChangesTheScoreShown() {
    QVERIFY(waitForTree());
    QVERIFY(addContact("甲") > 0); // level 2: "A级-核心", 10 points
    frame_->showScore();
    QCOMPARE(frame_->scoreBar()->scoreText(), QStringLiteral("我的人脉等级分是: 10 分 !"));
    whenModal<CRefListDlg>([](CRefListDlg* editor) {
        for (int row = 0; row < editor->list().model().rowCount(); ++row)
            editor->list().model().setChecked(row, editor->list().model().text(row, 1) == "2");
        whenModal<CRefEditDlg>([](CRefEditDlg* form) {
            qobject_cast<QLineEdit*>(form->field(0))->setText("250");
            form->findChild<QPushButton*>("ok")->click();
        });
        editor->modifyButton()->click();
        editor->exitButton()->click();
    });
    QVERIFY(frame_->runCommand(commands::LevelEditor));
    QCOMPARE(frame_->scoreBar()->scoreText(), QStringLiteral("我的人脉等级分是: 250 分 !"));
}

void TestMainFrame::categoryEditorRefillsItsGroup() {
    QVERIFY(waitForTree());
    prompter_->answer(false);
    whenModal<CRefListDlg>([](CRefListDlg* editor) {
        whenModal<CRefEditDlg>([](CRefEditDlg* form) {
            form->nameEdit()->setText("新电话类别");
            form->findChild<QPushButton*>("ok")->click();
        });
        editor->addButton()->click();
        editor->exitButton()->click();
    });
    QVERIFY(!frame_->outBar()->items(commands::PhoneGroup).contains("新电话类别"));
    QVERIFY(frame_->runCommand(commands::PhoneSortEditor));
    QVERIFY(frame_->outBar()->items(commands::PhoneGroup).contains("新电话类别"));
}

void TestMainFrame::departmentChangeRebuildsTheDepartmentNode() {
    QVERIFY(waitForTree());
    prompter_->answer(false);
    whenModal<CRefListDlg>([](CRefListDlg* window) {
        whenModal<CRefEditDlg>([](CRefEditDlg* form) {
            form->nameEdit()->setText("研发部");
            form->findChild<QPushButton*>("ok")->click();
        });
        window->addButton()->click();
        window->exitButton()->click();
    });
    QVERIFY(frame_->runCommand(commands::DepartmentManagement));
    QVERIFY(QTest::qWaitFor([this] { return topLevel("部门分布") != nullptr; }, 10000));
    QVERIFY(waitForTree());
    QStringList departments;
    QTreeWidgetItem* node = topLevel("部门分布");
    for (int i = 0; i < node->childCount(); ++i)
        departments << node->child(i)->text(0);
    QVERIFY2(departments.contains("研发部 (0)"), qPrintable(departments.join(u',')));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
