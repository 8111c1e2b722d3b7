// SPDX-License-Identifier: GPL-3.0-or-later
#include "featureapi/CommandTable.h"
#include "gui/ContactGuiFixture.h"
#include "phones/CPhoneAddDlg.h"
#include "phones/CPhonePage.h"
#include "phones/CSocietySiteView.h"
#include "shell/CGfxOutBarCtrl.h"
#include "shell/CMainFrame.h"
#include "shell/CRightPanelWnd.h"
#include "shell/NoticeHost.h"
#include "ui/CDropList.h"
#include "ui/CNoticeWnd.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// The phone view inside the main window: the category items of the
// 〖常用电话〗 group, the add and delete commands with their points, and the
// page edited in place with the save prompt.
class TestPhoneView : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void categoryItemListsItsEntries();
    void unknownCategoryKeepsTheView();
    void addingTwoEarnsSixPoints();
    void cancelledAddEarnsNothing();
    void deletingTwoCostsSixPoints();
    void leavingAnEditedEntry_data();
    void leavingAnEditedEntry();
    void saveButtonKeepsTheEntryShown();
    void listMenuRunsTheCommands();
    void pageFollowsTheSelectionAndTheEditors();

  private:
    qint64 addRow(const QString& title, const QString& category);
    qint64 grade();
    void clickCategory(const QString& caption);
    CSocietySiteView* view() const;
    QStringList listedTitles() const;
    void selectRow(int row);
    QString noticeText() const;
    static void type(QWidget* widget, const QString& text);

    std::unique_ptr<ContactGuiFixture> fx_;
    std::unique_ptr<CMainFrame> frame_;
};

void TestPhoneView::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
    frame_ = std::make_unique<CMainFrame>(*fx_->app, fx_->session);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
}

void TestPhoneView::cleanup() {
    frame_.reset();
    fx_.reset();
}

qint64 TestPhoneView::addRow(const QString& title, const QString& category) {
    const bool ok = fx_->db.execute(sql::format(
        "insert into societysite(societysite_title,societysite_sort_code,societysite_duty_code,"
        "societysite_user_code,societysite_name,societysite_phone,societysite_mobil,"
        "societysite_address,societysite_price,societysite_fax,societysite_memo) "
        "values('%s',(select societysitesort_code from societysitesort where "
        "societysitesort_name='%s'),(select duty_code from duty where duty_name='经理'),1,"
        "'联系人','010-1','139','地址','50','010-2','备注')",
        title, category));
    return ok ? fx_->db.count("select max(societysite_code) from societysite") : -1;
}

qint64 TestPhoneView::grade() {
    qint64 points = 0;
    fx_->db.query("select user_grade from userlogin where user_code=1", [&](const Row& row) {
        points = row.numberAt(0);
        return false;
    });
    return points;
}

CSocietySiteView* TestPhoneView::view() const {
    return qobject_cast<CSocietySiteView*>(frame_->rightPanel()->view(3));
}

void TestPhoneView::clickCategory(const QString& caption) {
    frame_->outBar()->setCurrentIndex(commands::PhoneGroup);
    const int item = int(frame_->outBar()->items(commands::PhoneGroup).indexOf(caption));
    emit frame_->outBar()->notified(commands::PhoneGroup, item < 0 ? 0 : item, caption);
}

QStringList TestPhoneView::listedTitles() const {
    QStringList titles;
    for (int row = 0; row < view()->model()->rowCount(); ++row)
        titles << view()->model()->text(row, 2);
    return titles;
}

void TestPhoneView::selectRow(int row) {
    view()->list()->selectRow(row);
}

QString TestPhoneView::noticeText() const {
    CNoticeWnd* notice = frame_->notices()->current();
    return notice ? notice->shownLines().join(u'|') : QString();
}

// Typing as the keyboard does it, Chinese characters too.
void TestPhoneView::type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TestPhoneView::categoryItemListsItsEntries() {
    QVERIFY(view());
    addRow(QStringLiteral("张记面馆"), QStringLiteral("餐饮"));
    addRow(QStringLiteral("李家菜"), QStringLiteral("餐饮"));
    addRow(QStringLiteral("人民医院"), QStringLiteral("医疗"));
    clickCategory(QStringLiteral("餐饮"));
    QCOMPARE(frame_->rightPanel()->currentView(), 3);
    QCOMPARE(listedTitles(), (QStringList{"张记面馆", "李家菜"}));
    clickCategory(QStringLiteral("医疗"));
    QCOMPARE(listedTitles(), QStringList{"人民医院"});
    QVERIFY(fx_->prompter.messages.isEmpty());
}

void TestPhoneView::unknownCategoryKeepsTheView() {
    addRow(QStringLiteral("人民医院"), QStringLiteral("医疗"));
    clickCategory(QStringLiteral("医疗"));
    clickCategory(QStringLiteral("已被删除的类别"));
    QCOMPARE(fx_->prompter.texts(), QStringList{"常用资料表操作失败,请检查系统设置"});
    QCOMPARE(listedTitles(), QStringList{"人民医院"});
}

void TestPhoneView::addingTwoEarnsSixPoints() {
    clickCategory(QStringLiteral("餐饮"));
    const qint64 before = grade();
    int form = 0;
    ModalDriver<CPhoneAddDlg> driver([&form](CPhoneAddDlg* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("常用电话管理 - 增加"));
        dialog->page()->titleEdit()->setText(QStringLiteral("面馆%1").arg(++form));
        dialog->page()->categoryList()->setText(QStringLiteral("餐饮"));
        dialog->accept();
    });
    fx_->prompter.answer(true);
    fx_->prompter.answer(false);
    QVERIFY(frame_->runCommand(commands::AddPhone));
    QCOMPARE(driver.handled(), 2);
    QCOMPARE(fx_->prompter.texts(), (QStringList{"继续增加吗?", "继续增加吗?"}));
    QCOMPARE(grade(), before + 6);
    QCOMPARE(noticeText(), QStringLiteral("等级分增加 6 分!"));
    QCOMPARE(listedTitles(), (QStringList{"面馆1", "面馆2"}));
}

void TestPhoneView::cancelledAddEarnsNothing() {
    const qint64 before = grade();
    ModalDriver<CPhoneAddDlg> driver([](CPhoneAddDlg* dialog) { dialog->reject(); });
    QVERIFY(frame_->runCommand(commands::AddPhone));
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(grade(), before);
    QVERIFY(fx_->prompter.messages.isEmpty());
    QCOMPARE(noticeText(), QString());
}

void TestPhoneView::deletingTwoCostsSixPoints() {
    for (const char* title : {"甲", "乙", "丙"})
        addRow(title, QStringLiteral("餐饮"));
    clickCategory(QStringLiteral("餐饮"));
    const qint64 before = grade();
    selectRow(0);
    QCOMPARE(view()->page()->titleEdit()->text(), QStringLiteral("甲"));
    view()->model()->setChecked(0, true);
    view()->model()->setChecked(2, true);
    fx_->prompter.answer(true);
    QVERIFY(frame_->runCommand(commands::DeletePhone));
    QCOMPARE(fx_->prompter.texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(listedTitles(), QStringList{"乙"});
    // The page no longer shows the entry that is gone.
    QCOMPARE(view()->shownEntry(), 0);
    QCOMPARE(view()->page()->titleEdit()->text(), QString());
    QCOMPARE(grade(), before - 6);
    QCOMPARE(noticeText(), QStringLiteral("等级分减少 6 分!"));
}

void TestPhoneView::leavingAnEditedEntry_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // the first entry's name afterwards
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("shownRow"); // the row whose entry the page shows
    QTest::addColumn<QString>("pageTitle");
    const QString question = QStringLiteral("保存修改记录吗?");
    QTest::newRow("no drops the edits") << false << "新名字"
                                        << "甲" << QStringList{question} << 1 << "乙";
    QTest::newRow("yes saves them") << true << "新名字"
                                    << "新名字" << QStringList{question} << 1 << "乙";
    QTest::newRow("a refused save keeps them")
        << true << ""
        << "甲" << QStringList{question, "请输入名称!"} << 0 << "";
}

void TestPhoneView::leavingAnEditedEntry() {
    QFETCH(bool, answer);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);
    QFETCH(int, shownRow);
    QFETCH(QString, pageTitle);
    const qint64 first = addRow(QStringLiteral("甲"), QStringLiteral("餐饮"));
    const qint64 second = addRow(QStringLiteral("乙"), QStringLiteral("餐饮"));
    clickCategory(QStringLiteral("餐饮"));
    selectRow(0);
    QCOMPARE(view()->shownEntry(), first);
    QCOMPARE(view()->page()->titleEdit()->text(), QStringLiteral("甲"));
    QLineEdit* title = view()->page()->titleEdit();
    title->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(title, Qt::Key_Delete);
    else
        type(title, typed);
    QVERIFY(view()->page()->isChanged());

    fx_->prompter.answer(answer);
    selectRow(1);
    QCOMPARE(fx_->prompter.texts(), messages);
    QCOMPARE(fx_->db.count(sql::format("select count(*) from societysite where "
                                       "societysite_title='%s' and societysite_code=%ld",
                                       stored, first)),
             1);
    QCOMPARE(view()->shownEntry(), shownRow == 0 ? first : second);
    QCOMPARE(view()->list()->selectionModel()->selectedRows().value(0).row(), shownRow);
    QCOMPARE(view()->page()->titleEdit()->text(), pageTitle);
}

void TestPhoneView::saveButtonKeepsTheEntryShown() {
    const qint64 first = addRow(QStringLiteral("甲"), QStringLiteral("餐饮"));
    clickCategory(QStringLiteral("餐饮"));
    selectRow(0);
    QVERIFY(!view()->saveButton()->isEnabled());
    view()->page()->edit(QStringLiteral("phone"))->selectAll();
    QTest::keyClicks(view()->page()->edit(QStringLiteral("phone")), QStringLiteral("88886666"));
    QVERIFY(view()->saveButton()->isEnabled());
    QTest::mouseClick(view()->saveButton(), Qt::LeftButton);
    QCOMPARE(listedTitles(), QStringList{"甲"});
    QCOMPARE(view()->model()->text(0, 4), QStringLiteral("88886666"));
    QCOMPARE(view()->shownEntry(), first);
    QVERIFY(!view()->page()->isChanged());
    QVERIFY(!view()->saveButton()->isEnabled());
    // Edited again and left: still offered for saving.
    addRow(QStringLiteral("乙"), QStringLiteral("餐饮"));
    view()->reload();
    QTest::keyClicks(view()->page()->edit(QStringLiteral("fax")), QStringLiteral("1"));
    fx_->prompter.answer(false);
    selectRow(1);
    QCOMPARE(fx_->prompter.texts(), QStringList{"保存修改记录吗?"});
}

void TestPhoneView::listMenuRunsTheCommands() {
    QMenu* menu = view()->contextMenu();
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << action->text();
    QCOMPARE(captions, (QStringList{"新增常用电话", "删除常用电话"}));
    // Through the window's command, with its guard.
    frame_->outBar()->setCurrentIndex(commands::ToolsGroup);
    menu->actions().at(1)->trigger();
    QCOMPARE(fx_->prompter.texts(), QStringList{"请先选中〖常用电话〗,再进行操作!"});
    fx_->prompter.clear();
    frame_->outBar()->setCurrentIndex(commands::PhoneGroup);
    menu->actions().at(1)->trigger();
    QCOMPARE(fx_->prompter.texts(), QStringList{"请选择所要删除的资料!"});
}

// The page takes typing only while it shows an entry; its lists follow the
// category and post editors.
void TestPhoneView::pageFollowsTheSelectionAndTheEditors() {
    addRow(QStringLiteral("甲"), QStringLiteral("餐饮"));
    clickCategory(QStringLiteral("餐饮"));
    QVERIFY(!view()->page()->isEnabled());
    selectRow(0);
    QVERIFY(view()->page()->isEnabled());
    clickCategory(QStringLiteral("医疗"));
    QVERIFY(!view()->page()->isEnabled());

    QVERIFY(fx_->db.execute("insert into societysitesort(societysitesort_name) values('新类别')"));
    QVERIFY(fx_->db.execute("insert into duty(duty_name,duty_value) values('新职务',1)"));
    frame_->referenceTableChanged(QStringLiteral("societysitesort"));
    QVERIFY(view()->page()->categoryList()->findText(QStringLiteral("新类别")) >= 0);
    frame_->referenceTableChanged(QStringLiteral("duty"));
    QVERIFY(view()->page()->dutyList()->findText(QStringLiteral("新职务")) >= 0);
}

QTEST_MAIN(TestPhoneView)
#include "tst_phoneview.moc"
