// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AutoResetEvent.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "featureapi/AppContext.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tree/CNavTree.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// A program directory with its own connection and everything a window is handed.
struct Fixture {
    Fixture() : settings(home.settingsPath()), db(&prompter) {
        db.open(home.databasePath());
        context = std::make_unique<AppContext>(
            AppContext{db, settings, prompter, clock, stop, done, home.dir()});
    }
    bool execute(const QStringList& statements) {
        for (const QString& statement : statements)
            if (!db.execute(sql::Statement(statement)))
                return false;
        return true;
    }

    TestHome home;
    Settings settings;
    ScriptedPrompter prompter;
    FixedClock clock;
    AutoResetEvent stop, done;
    Database db;
    std::unique_ptr<AppContext> context;
};

QStringList captionsUnder(const QTreeWidgetItem* item) {
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

QStringList topLevel(const QTreeWidget& tree) {
    QStringList out;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        out << tree.topLevelItem(i)->text(0);
    return out;
}

// The node reached by a path of captions, null when there is none.
QTreeWidgetItem* itemAt(const QTreeWidget& tree, const QStringList& path) {
    QTreeWidgetItem* at = nullptr;
    for (const QString& caption : path) {
        QTreeWidgetItem* next = nullptr;
        const int count = at ? at->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* candidate = at ? at->child(i) : tree.topLevelItem(i);
            if (candidate->text(0) == caption)
                next = candidate;
        }
        if (!next)
            return nullptr;
        at = next;
    }
    return at;
}

const QStringList kSeed = {
    "insert into base(base_name,base_invalid_flag,base_sort_code,base_user_code,"
    "base_user_dep_code) values('甲',1,2,1,1)",
    "insert into base(base_name,base_invalid_flag,base_sort_code,base_user_code,"
    "base_user_dep_code) values('乙',0,2,1,1)",
    "insert into doc(doc_base_code,doc_docsort_code,doc_title,doc_filename) "
    "values(1,(select docsort_code from docsort where docsort_name='合同'),'O''Neil 协议','%1')",
    "insert into doc(doc_base_code,doc_docsort_code,doc_title,doc_filename) "
    "values(1,(select docsort_code from docsort where docsort_name='合同'),'丢失的文件','%2')",
};

} // namespace

class TestNavTree : public QObject {
    Q_OBJECT

  private slots:
    void emptyDatabaseShowsTheSkeleton();
    void selectingANodeAsksForTheList_data();
    void selectingANodeAsksForTheList();
    void selectionDuringARefreshChangesNothing();
    void aSecondBuildIsRefusedWhileOneRuns();
    void departmentsComeOnRequestAndGoWithTheNextBuild();
    void rightButtonAsksForTheMenuWithoutSelecting();
    void doubleClickOpensTheDocumentOrSaysWhy();
    void builderErrorsReachThePrompter();
    void stopAndWaitEndsARunningBuild();

  private:
    // A seeded tree, built and shown.
    std::unique_ptr<CNavTree> seededTree(Fixture& fixture);
};

std::unique_ptr<CNavTree> TestNavTree::seededTree(Fixture& fixture) {
    QStringList seed = kSeed;
    seed[2] = seed[2].arg(fixture.home.file("deal.txt"));
    seed[3] = seed[3].arg(fixture.home.file("gone.txt"));
    if (!fixture.execute(seed))
        return nullptr;
    QFile file(fixture.home.file("deal.txt"));
    file.open(QIODevice::WriteOnly);
    auto tree = std::make_unique<CNavTree>(*fixture.context, 1);
    tree->resize(300, 600);
    tree->show();
    if (!QTest::qWaitForWindowExposed(tree.get()))
        return nullptr;
    tree->startBuild(false);
    if (!QTest::qWaitFor([&] { return tree->isReady(); }))
        return nullptr;
    tree->expandAll();
    return tree;
}

void TestNavTree::emptyDatabaseShowsTheSkeleton() {
    Fixture fixture;
    CNavTree tree(*fixture.context, 1);
    QSignalSpy ready(&tree, &CNavTree::readyChanged);
    QVERIFY(!tree.isReady());
    QVERIFY(tree.startBuild(false));
    QCOMPARE(ready.size(), 1);
    QCOMPARE(ready[0][0].toBool(), false);
    QTRY_VERIFY(tree.isReady());
    QCOMPARE(ready.last()[0].toBool(), true);

    QCOMPARE(topLevel(tree), (QStringList{"全部人脉 <共0个>", "事务提醒 ", "日常关怀 ", "文档资料",
                                          "垃圾箱 <共0个>"}));
    QTreeWidgetItem* root = tree.topLevelItem(0);
    QVERIFY(root->isExpanded());
    QCOMPARE(captionsUnder(root),
             (QStringList{"关系类别", "人脉级别", "区域分布", "省份分布", "职务分布", "行业分布"}));
    for (int i = 0; i < root->childCount(); ++i)
        QCOMPARE(root->child(i)->childCount(), 0);
    QCOMPARE(captionsUnder(tree.topLevelItem(1)),
             (QStringList{"预先安排 <0>", "当天事务 <0>", "逾期事务 <0>"}));
    QCOMPARE(captionsUnder(tree.topLevelItem(2)), (QStringList{"生日关怀 (0)", "家庭关怀 (0)"}));
    QCOMPARE(tree.topLevelItem(3)->childCount(), 0);
    QCOMPARE(tree.topLevelItem(4)->childCount(), 0);
    QVERIFY(fixture.prompter.messages.isEmpty());
}

void TestNavTree::selectingANodeAsksForTheList_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("live");

    const QString root = QStringLiteral("全部人脉 <共1个>");
    QTest::newRow("root") << QStringList{root} << true << "b.base_invalid_flag=1" << 0 << 1;
    QTest::newRow("trash") << QStringList{"垃圾箱 <共1个>"} << true << "b.base_invalid_flag=0" << 0
                           << 0;
    QTest::newRow("overdue") << QStringList{"事务提醒 ", "逾期事务 <1>"} << true << "" << 3 << 1;
    QTest::newRow("document") << QStringList{"文档资料", "合同 (2)", "O'Neil 协议"} << true
                              << "d.doc_docsort_code={合同} and d.doc_title='O''Neil 协议' " << 5
                              << 1;
    QTest::newRow("folder") << QStringList{root, "人脉级别"} << false << "" << 0 << 0;
}

void TestNavTree::selectingANodeAsksForTheList() {
    QFETCH(QStringList, path);
    QFETCH(bool, asks);
    Fixture fixture;
    auto tree = seededTree(fixture);
    QVERIFY(tree);
    QTreeWidgetItem* item = itemAt(*tree, path);
    QVERIFY(item);
    QSignalSpy requested(tree.get(), &CNavTree::selectionRequested);
    QSignalSpy selected(tree.get(), &CNavTree::nodeSelected);
    tree->setCurrentItem(item);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(requested.size(), asks ? 1 : 0);
    if (!asks)
        return;
    QFETCH(QString, filter);
    // The seeded category's code, as the delivered database numbers it.
    fixture.db.query(sql::Statement(QStringLiteral(
                         "select docsort_code from docsort where docsort_name='合同'")),
                     [&](const Row& row) {
                         filter.replace(QStringLiteral("{合同}"), row.textAt(0));
                         return false;
                     });
    QCOMPARE(requested[0][0].value<sql::Statement>().shown(), filter);
    QTEST(requested[0][1].toInt(), "mode");
    QTEST(requested[0][2].toInt(), "live");
}

void TestNavTree::selectionDuringARefreshChangesNothing() {
    Fixture fixture;
    auto tree = seededTree(fixture);
    QVERIFY(tree);
    QSignalSpy requested(tree.get(), &CNavTree::selectionRequested);
    QVERIFY(tree->startBuild(true));
    QVERIFY(tree->isBusy());
    // The old nodes are still there until the builder's first operations arrive.
    tree->setCurrentItem(itemAt(*tree, {"垃圾箱 <共1个>"}));
    QCOMPARE(requested.size(), 0);
    QTRY_VERIFY(tree->isReady());
    QVERIFY(!tree->isBusy());
    tree->setCurrentItem(itemAt(*tree, {"垃圾箱 <共1个>"}));
    QCOMPARE(requested.size(), 1);
}

void TestNavTree::aSecondBuildIsRefusedWhileOneRuns() {
    Fixture fixture;
    CNavTree tree(*fixture.context, 1);
    QVERIFY(tree.startBuild(false));
    QVERIFY(!tree.startBuild(true));
    QVERIFY(!tree.isBusy());
    QTRY_VERIFY(tree.isReady());
    QTRY_VERIFY(!tree.isBuilding());
    QVERIFY(tree.startBuild(true));
    QTRY_VERIFY(tree.isReady());
    QCOMPARE(topLevel(tree).size(), 5);
}

void TestNavTree::departmentsComeOnRequestAndGoWithTheNextBuild() {
    Fixture fixture;
    auto tree = seededTree(fixture);
    QVERIFY(tree);
    tree->rebuildDepartments();
    QCOMPARE(topLevel(*tree).last(), QStringLiteral("部门分布"));
    QTreeWidgetItem* office = itemAt(*tree, {"部门分布", "总经理办公室 (1)"});
    QVERIFY(office);
    QCOMPARE(captionsUnder(office), QStringList{"admin (1)"});
    QVERIFY(itemAt(*tree, {"部门分布", "财务部 (0)"}));

    QSignalSpy requested(tree.get(), &CNavTree::selectionRequested);
    tree->setCurrentItem(office->child(0));
    QCOMPARE(requested.size(), 1);
    QCOMPARE(requested[0][0].value<sql::Statement>().shown(),
             QStringLiteral("b.base_user_code=1 and b.base_invalid_flag=1"));
    tree->setCurrentItem(office);
    QCOMPARE(requested[1][0].value<sql::Statement>().shown(),
             QStringLiteral("b.base_user_dep_code=1 and b.base_invalid_flag=1 "));

    // Rebuilding it in place keeps one node.
    tree->rebuildDepartments();
    QCOMPARE(topLevel(*tree).count(QStringLiteral("部门分布")), 1);

    QVERIFY(tree->startBuild(true));
    QTRY_VERIFY(tree->isReady());
    QVERIFY(!topLevel(*tree).contains(QStringLiteral("部门分布")));
}

void TestNavTree::rightButtonAsksForTheMenuWithoutSelecting() {
    Fixture fixture;
    auto tree = seededTree(fixture);
    QVERIFY(tree);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    tree->setCurrentItem(root);
    QTreeWidgetItem* trash = itemAt(*tree, {"垃圾箱 <共1个>"});
    const QPoint at = tree->visualItemRect(trash).center();
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, at);
    QCOMPARE(tree->currentItem(), root);

    QSignalSpy menu(tree.get(), &CNavTree::contextMenuRequested);
    const QPoint global = tree->viewport()->mapToGlobal(at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, global);
    QApplication::sendEvent(tree->viewport(), &event);
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu[0][0].toPoint(), global);
}

void TestNavTree::doubleClickOpensTheDocumentOrSaysWhy() {
    Fixture fixture;
    auto tree = seededTree(fixture);
    QVERIFY(tree);
    QStringList opened;
    tree->setFileOpener([&](const QString& path) { opened << path; });
    auto doubleClick = [&](const QStringList& path) {
        QTreeWidgetItem* item = itemAt(*tree, path);
        QVERIFY(item);
        tree->scrollToItem(item);
        // The view reacts to a double click on the item its first click pressed.
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    };

    doubleClick({"文档资料", "合同 (2)", "O'Neil 协议"});
    QCOMPARE(opened, QStringList{fixture.home.file("deal.txt")});
    QVERIFY(fixture.prompter.messages.isEmpty());

    doubleClick({"文档资料", "合同 (2)", "丢失的文件"});
    QCOMPARE(opened.size(), 1);
    QCOMPARE(fixture.prompter.messages.size(), 1);
    QCOMPARE(fixture.prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(fixture.prompter.messages[0].text,
             "文件不存在,请重新确认文件位置.\r\n\r\n文件名:" + fixture.home.file("gone.txt"));

    doubleClick({"全部人脉 <共1个>", "人脉级别", "A级-核心 (1)"});
    QCOMPARE(opened.size(), 1);
    QCOMPARE(fixture.prompter.messages.size(), 1);
}

void TestNavTree::builderErrorsReachThePrompter() {
    Fixture fixture;
    QVERIFY(fixture.execute({"drop table docsort"}));
    CNavTree tree(*fixture.context, 1);
    QVERIFY(tree.startBuild(false));
    QTRY_VERIFY(tree.isReady());
    QCOMPARE(fixture.prompter.messages.size(), 1);
    QCOMPARE(fixture.prompter.messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(topLevel(tree).last(), QStringLiteral("垃圾箱 <共0个>"));
}

void TestNavTree::stopAndWaitEndsARunningBuild() {
    Fixture fixture;
    auto tree = std::make_unique<CNavTree>(*fixture.context, 1);
    QVERIFY(tree->startBuild(true));
    tree->stopAndWait();
    QVERIFY(!tree->isBuilding());
    QVERIFY(fixture.done.wait(0));
    QTRY_VERIFY(tree->isReady());
    // A stopped build leaves the refresh's busy flag as it was.
    QVERIFY(tree->isBusy());

    // Destroying the tree during a build stops the builder too.
    QVERIFY(tree->startBuild(false));
    tree.reset();
    QVERIFY(fixture.done.wait(0));
}

QTEST_MAIN(TestNavTree)
#include "tst_navtree.moc"
