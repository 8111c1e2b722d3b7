// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AutoResetEvent.h"
#include "base/Settings.h"
#include "contacts/CClientView2.h"
#include "contacts/CContactDetailPane.h"
#include "contacts/CContactPage.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "shell/CMainFrame.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tools/Generator.h"
#include "tree/CNavTree.h"
#include "ui/CDropList.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

const QString kSaveQuestion = QStringLiteral("保存修改记录吗?");
const QString kOpenAndClose = QStringLiteral("<open and close>");

// The node whose caption begins with each text of the path in turn.
QTreeWidgetItem* nodeAt(const QTreeWidget& tree, const QStringList& path) {
    QTreeWidgetItem* at = nullptr;
    for (const QString& start : path) {
        QTreeWidgetItem* next = nullptr;
        const int count = at ? at->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* candidate = at ? at->child(i) : tree.topLevelItem(i);
            if (candidate->text(0).startsWith(start))
                next = candidate;
        }
        if (!next)
            return nullptr;
        at = next;
    }
    return at;
}

// Whether typing or picking could change what a control holds.
bool acceptsInput(QWidget* control) {
    if (!control->isEnabledTo(nullptr))
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return !edit->isReadOnly();
    if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        return !text->isReadOnly();
    return true;
}

} // namespace

// The save question of the detail pane comes only after the user changed a
// value, walked through the main window the way a user clicks through it; and
// with no contact shown the pane takes no input at all.
class TestPaneEdits : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void askedOnlyAfterAnEdit_data();
    void askedOnlyAfterAnEdit();
    void stoppedLoadIsNotAnEdit();
    void noContactTakesNoInput();
    void contactShownTakesInput();
    void editsStayWhenSavedMeanwhile();
    void editsStayWhenACheckRefuses();

  private:
    // Mouse clicks where a user would click them, each followed by the events they cause.
    void clickNode(const QStringList& path);
    void clickRow(int row);
    void clickTab(int index);
    CContactDetailPane* pane() const { return frame_->findChild<CContactDetailPane*>(); }
    QList<QWidget*> pageControls() const;

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<FixedClock> clock_;
    std::unique_ptr<AutoResetEvent> stop_, done_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<CMainFrame> frame_;
};

void TestPaneEdits::initTestCase() {
    // The offscreen platform has no window manager: keep the popups of the
    // lists as plain as on a desktop without effects.
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
}

void TestPaneEdits::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    clock_ = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    Generator::Options options;
    options.contacts = 60;
    options.interactions = 200;
    options.today = clock_->today();
    Generator generator(*db_);
    QVERIFY2(generator.run(options, nullptr), qPrintable(generator.error()));
    settings_ = std::make_unique<Settings>(home_->settingsPath());
    settings_->ensureExists();
    stop_ = std::make_unique<AutoResetEvent>();
    done_ = std::make_unique<AutoResetEvent>();
    context_.reset(
        new AppContext{*db_, *settings_, *prompter_, *clock_, *stop_, *done_, home_->dir()});
    Session session;
    session.userCode = 1;
    session.departmentCode = 1;
    frame_ = std::make_unique<CMainFrame>(*context_, session);
    frame_->resize(1200, 900);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->startSession();
    QVERIFY(QTest::qWaitFor([this] { return frame_->tree()->isReady(); }, 20000));
    QVERIFY(pane());
    prompter_->clear();
}

void TestPaneEdits::cleanup() {
    frame_.reset();
    context_.reset();
    db_.reset();
    home_.reset();
}

void TestPaneEdits::clickNode(const QStringList& path) {
    CNavTree* tree = frame_->tree();
    QTreeWidgetItem* node = nodeAt(*tree, path);
    QVERIFY2(node, qPrintable(path.join('/')));
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    tree->scrollToItem(node);
    const QPoint at = tree->visualItemRect(node).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::qWait(20);
}

void TestPaneEdits::clickRow(int row) {
    CReportView* list = frame_->contactView()->list();
    QVERIFY(list->model()->rowCount() > row);
    const QPoint at = list->visualRect(list->model()->index(row, 2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::qWait(20);
}

void TestPaneEdits::clickTab(int index) {
    QTabBar* bar = pane()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    QTest::qWait(20);
    QCOMPARE(pane()->currentIndex(), index);
}

QList<QWidget*> TestPaneEdits::pageControls() const {
    QList<QWidget*> controls;
    for (int page = 0; page < kContactPageCount; ++page) {
        const ContactPageBuilder& form = pane()->page(ContactPage(page))->form();
        controls += form.allControls();
        for (const FieldSpec& field : form.fields())
            if (QPushButton* button = form.searchButton(field.column))
                controls << button;
    }
    return controls;
}

void TestPaneEdits::askedOnlyAfterAnEdit_data() {
    QTest::addColumn<int>("tab");       // the tab clicked before the next node
    QTest::addColumn<QString>("focus"); // the field that has the focus before the tab click
    QTest::addColumn<QString>("typed"); // what is typed into that field
    QTest::addColumn<bool>("asked");

    QTest::newRow("interactions tab") << 6 << QString() << QString() << false;
    QTest::newRow("work page") << 1 << QString() << QString() << false;
    QTest::newRow("extended page") << 4 << QString() << QString() << false;
    QTest::newRow("focus in the level list") << 6 << "base_sort_code" << QString() << false;
    QTest::newRow("focus in the birth year") << 1 << "base_year" << QString() << false;
    QTest::newRow("focus in the name") << 6 << "base_name" << QString() << false;
    QTest::newRow("focus in the notes") << 5 << "base_experience" << QString() << false;
    QTest::newRow("a letter typed in the name") << 6 << "base_name"
                                                << "x" << true;
    QTest::newRow("a line typed in the notes") << 6 << "base_experience"
                                               << "y" << true;
    // Closing a list the user opened counts as an edit, a choice or not.
    QTest::newRow("the level list opened and closed")
        << 6 << "base_sort_code" << kOpenAndClose << true;
}

// The reviewer's walk: all contacts, the second row, the interactions tab,
// the node of today's matters. Nothing was typed, so nothing is asked.
void TestPaneEdits::askedOnlyAfterAnEdit() {
    QFETCH(int, tab);
    QFETCH(QString, focus);
    QFETCH(QString, typed);
    QFETCH(bool, asked);

    clickNode({"全部人脉"});
    QVERIFY(frame_->contactView()->model()->rowCount() > 2);
    QCOMPARE(pane()->currentIndex(), 0);
    clickRow(1);
    const qint64 second = frame_->contactView()->model()->key(1).toLongLong();
    QCOMPARE(frame_->contactView()->currentContact(), second);
    if (!focus.isEmpty()) {
        QWidget* field = pane()->page(ContactPage::Base)->form().control(focus);
        field->setFocus(Qt::TabFocusReason);
        QTest::qWait(10);
        if (typed == kOpenAndClose) {
            auto* list = qobject_cast<CDropList*>(field);
            QTest::mouseClick(list, Qt::LeftButton, {}, list->rect().center());
            QVERIFY(QTest::qWaitFor([list] { return list->view()->isVisible(); }, 2000));
            QTest::keyClick(list->view(), Qt::Key_Escape);
            QVERIFY(QTest::qWaitFor([list] { return !list->view()->isVisible(); }, 2000));
        } else if (!typed.isEmpty()) {
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClicks(field, typed);
        }
    }
    clickTab(tab);
    prompter_->answer(false); // a question, if any, is answered No
    clickNode({"事务提醒", "当天事务"});

    QCOMPARE(prompter_->texts().contains(kSaveQuestion), asked);
    QCOMPARE(frame_->listMode(), int(ContactList::DueToday));
    QVERIFY(!pane()->isModified());
}

// A contact whose load stopped at an unknown post is shown read-only; showing
// it that way is not an edit of it.
void TestPaneEdits::stoppedLoadIsNotAnEdit() {
    clickNode({"全部人脉"});
    const qint64 second = frame_->contactView()->model()->key(1).toLongLong();
    QVERIFY(db_->execute(
        sql::format("update base set work_superior_duty_code=99999 where base_code=%ld", second)));
    clickRow(1);
    QCOMPARE(prompter_->texts(), QStringList{"职务表操作失败,请检查系统设置"});
    for (QWidget* control : pageControls())
        QVERIFY2(!acceptsInput(control), qPrintable(control->objectName()));
    QVERIFY(!pane()->isModified());

    prompter_->clear();
    clickRow(0);
    QCOMPARE(prompter_->texts(), QStringList());
    QCOMPARE(frame_->contactView()->currentContact(),
             frame_->contactView()->model()->key(0).toLongLong());
}

// Nothing loaded (the start, and after every reload of the list): typing goes
// nowhere, so the fields do not take it.
void TestPaneEdits::noContactTakesNoInput() {
    for (QWidget* control : pageControls())
        QVERIFY2(!acceptsInput(control), qPrintable(control->objectName()));
    auto* name =
        qobject_cast<QLineEdit*>(pane()->page(ContactPage::Base)->form().control("base_name"));
    QTest::keyClicks(name, "abc");
    QCOMPARE(name->text(), QString());
    QVERIFY(!pane()->isModified());

    clickNode({"全部人脉"});
    clickRow(1);
    clickNode({"垃圾箱"});
    QCOMPARE(frame_->contactView()->currentContact(), 0);
    for (QWidget* control : pageControls())
        QVERIFY2(!acceptsInput(control), qPrintable(control->objectName()));
}

void TestPaneEdits::contactShownTakesInput() {
    clickNode({"全部人脉"});
    clickRow(1);
    for (QWidget* control : pageControls())
        QVERIFY2(acceptsInput(control), qPrintable(control->objectName()));
    auto* name =
        qobject_cast<QLineEdit*>(pane()->page(ContactPage::Base)->form().control("base_name"));
    const QString before = name->text();
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, "z");
    QCOMPARE(name->text(), before + "z");
    QVERIFY(pane()->isModified());
}

// Someone else saves the contact while it is being edited here: leaving it
// and saving tells so, the pane stays on the contact with the edits, nothing of
// theirs is overwritten; leaving again and saving is a choice made knowingly.
void TestPaneEdits::editsStayWhenSavedMeanwhile() {
    clickNode({"全部人脉"});
    clickRow(1);
    const qint64 second = frame_->contactView()->currentContact();
    const qint64 first = frame_->contactView()->model()->key(0).toLongLong();
    auto* name =
        qobject_cast<QLineEdit*>(pane()->page(ContactPage::Base)->form().control("base_name"));
    const QString before = name->text();
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, "z");

    Database other;
    QVERIFY(other.open(home_->databasePath()));
    QVERIFY(other.execute(
        sql::format("update home set home_hobby='钓鱼' where home_base_code=%ld", second)));
    auto hobby = [&] {
        return db_->count(sql::format(
            "select count(*) from home where home_hobby='钓鱼' and home_base_code=%ld", second));
    };
    auto storedName = [&] {
        QString value;
        db_->query(sql::format("select base_name from base where base_code=%ld", second),
                   [&](const Row& row) {
                       value = row.textAt(0);
                       return false;
                   });
        return value;
    };

    prompter_->answer(true);
    clickRow(0);
    QCOMPARE(prompter_->texts().size(), 2);
    QCOMPARE(prompter_->texts().at(0), kSaveQuestion);
    QVERIFY(prompter_->texts().at(1).contains(QStringLiteral("其他用户")));
    QCOMPARE(frame_->contactView()->currentContact(), second);
    const QModelIndexList selected =
        frame_->contactView()->list()->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 1);
    QCOMPARE(name->text(), before + "z");
    QVERIFY(pane()->isModified());
    QCOMPARE(storedName(), before);
    QCOMPARE(hobby(), 1);

    prompter_->clear();
    prompter_->answer(true);
    clickRow(0);
    QCOMPARE(prompter_->texts(), QStringList{kSaveQuestion});
    QCOMPARE(frame_->contactView()->currentContact(), first);
    QCOMPARE(storedName(), before + "z");
    // The list shows the saved name; the other rows are as they were.
    const ReportModel* model = frame_->contactView()->model();
    QCOMPARE(model->key(1).toLongLong(), second);
    QCOMPARE(model->text(1, ContactList::NameColumn), before + "z");
    QCOMPARE(model->key(0).toLongLong(), first);
}

// A save refused by a check (the name emptied) keeps the contact, its edits
// and the list row; the next click asks again, and 否 lets the edits go.
void TestPaneEdits::editsStayWhenACheckRefuses() {
    clickNode({"全部人脉"});
    clickRow(1);
    const qint64 second = frame_->contactView()->currentContact();
    auto* name =
        qobject_cast<QLineEdit*>(pane()->page(ContactPage::Base)->form().control("base_name"));
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Delete);
    QVERIFY(name->text().isEmpty());

    prompter_->answer(true);
    clickRow(0);
    QCOMPARE(prompter_->texts().size(), 2);
    QCOMPARE(prompter_->texts().at(0), kSaveQuestion);
    QCOMPARE(frame_->contactView()->currentContact(), second);
    CReportView* list = frame_->contactView()->list();
    QCOMPARE(list->currentIndex().row(), 1);
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 1);
    QVERIFY(name->text().isEmpty());
    QVERIFY(pane()->isModified());

    prompter_->clear();
    prompter_->answer(false);
    clickRow(0);
    QCOMPARE(prompter_->texts(), QStringList{kSaveQuestion});
    QCOMPARE(frame_->contactView()->currentContact(),
             frame_->contactView()->model()->key(0).toLongLong());
    QVERIFY(!pane()->isModified());
}

QTEST_MAIN(TestPaneEdits)
#include "tst_paneedits.moc"
