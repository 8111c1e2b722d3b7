// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ContactGuiFixture.h"

#include "contacts/CAssoPage.h"
#include "contacts/CClientView2.h"
#include "contacts/CContactDetailPane.h"
#include "contacts/ContactList.h"
#include "documents/CDatumEditDlg.h"
#include "documents/CDatumView.h"
#include "documents/CDocEditDlg.h"
#include "documents/CDocPage.h"
#include "documents/FileOpener.h"
#include "featureapi/CommandTable.h"
#include "shell/CGfxOutBarCtrl.h"
#include "shell/CMainFrame.h"
#include "shell/CRightPanelWnd.h"
#include "tree/CNavTree.h"
#include "ui/CDropList.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class RecordingOpener : public FileOpener {
  public:
    bool open(const QString& path) override {
        opened << path;
        return true;
    }
    QStringList opened;
};

QStringList entries(QWidget* control) {
    QStringList texts;
    auto* list = qobject_cast<QComboBox*>(control);
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

QString textOf(QWidget* control) {
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    return {};
}

// Fills the form as a person would: the lists by their entries, the rest by typing.
void fill(CDocForm* form, const QString& title, const QString& category) {
    auto* titleEdit = static_cast<QLineEdit*>(form->control(DocField::Title));
    titleEdit->setText(title);
    auto* categories = static_cast<QComboBox*>(form->control(DocField::Category));
    categories->setCurrentIndex(categories->findText(category));
    form->browseButton()->click();
}

} // namespace

// The document form as the user sees it, and the tab, the view and the
// commands inside the main window.
class TestDocumentGui : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void formFieldsAndLimits();
    void longCategoryIsTakenWhole();
    void modifyKeepsAnEarlierYear();
    void browseAndEdit();
    void refusedSaveFocusesTheField();
    void contactDocumentsInTheFrame();
    void myDataInTheFrame();

  private:
    QString file(const QString& name);
    qint64 addContact(const QString& name);
    std::unique_ptr<CMainFrame> makeFrame();
    QTreeWidgetItem* documentsNode(CMainFrame* frame) const;

    std::unique_ptr<ContactGuiFixture> fx_;
    std::shared_ptr<RecordingOpener> opener_;
    QStringList chosen_;
    CDocForm::FileChooser chooser_;
};

void TestDocumentGui::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
    opener_ = std::make_shared<RecordingOpener>();
    chosen_.clear();
    chooser_ = [this](QWidget*, const QString&) {
        return chosen_.isEmpty() ? QString() : chosen_.takeFirst();
    };
}

void TestDocumentGui::cleanup() {
    fx_.reset();
}

QString TestDocumentGui::file(const QString& name) {
    const QString path = fx_->home.file(name);
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write("content");
    return path;
}

qint64 TestDocumentGui::addContact(const QString& name) {
    if (!fx_->db.execute(
            sql::format("insert into base(base_name,base_sex,base_province_code,base_sort_code,"
                        "base_type_code,base_user_code,base_invalid_flag,work_duty_code,"
                        "work_industry_code,work_region_code,work_province_code,"
                        "work_leader_duty_code,work_superior_duty_code,base_user_dep_code) "
                        "values('%s','男',1,2,2,1,1,1,2,1,2,1,1,1)",
                        name)))
        return -1;
    const qint64 code = fx_->db.count("select max(base_code) from base");
    for (const char* row : {"insert into home(home_base_code,home_province_code,home_duty_code) "
                            "values(%ld,1,1)",
                            "insert into society(society_base_code) values(%ld)",
                            "insert into extend(extend_base_code,extend_degree_code) "
                            "values(%ld,1)"})
        fx_->db.execute(sql::format(QString::fromUtf8(row), code));
    return code;
}

void TestDocumentGui::formFieldsAndLimits() {
    DocList::Edit edit;
    CDocEditDlg form(*fx_->app, edit, *opener_, chooser_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("文档增加"));
    // Added on today's date (the fixture's 7 December 2026), at no hour yet.
    QCOMPARE(textOf(form.control(DocField::Year)), QStringLiteral("2026"));
    QCOMPARE(textOf(form.control(DocField::Month)), QStringLiteral("12"));
    QCOMPARE(textOf(form.control(DocField::Day)), QStringLiteral("07"));
    QCOMPARE(textOf(form.control(DocField::Hour)), QString());
    QCOMPARE(textOf(form.control(DocField::Minute)), QString());
    QVERIFY(form.control(DocField::Year)->isAncestorOf(QApplication::focusWidget()) ||
            QApplication::focusWidget() == form.control(DocField::Year));
    QStringList labels;
    for (QLabel* label : form.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"提交时间:", "年", "月", "日", "点", "分",
                             "文档标题:", "文档类别:", "文  件 名:", "关  键 字:", "文档描述:"})
        QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    QCOMPARE(form.browseButton()->text(), QStringLiteral("浏览"));
    QCOMPARE(form.editButton()->text(), QStringLiteral("编辑"));

    auto* year = static_cast<QComboBox*>(form.control(DocField::Year));
    QVERIFY(year->isEditable());
    QCOMPARE(year->lineEdit()->maxLength(), 4);
    QCOMPARE(entries(year), (QStringList{"2026", "2025", "2024", "2023", "2022", "2021", "2020",
                                         "2019", "2018", "2017"}));
    QCOMPARE(entries(form.control(DocField::Month)).size(), 12);
    QCOMPARE(entries(form.control(DocField::Day)).size(), 31);
    QCOMPARE(entries(form.control(DocField::Hour)).first(), QStringLiteral("01"));
    QCOMPARE(entries(form.control(DocField::Hour)).last(), QStringLiteral("24"));
    QCOMPARE(entries(form.control(DocField::Hour)).size(), 24);
    QCOMPARE(entries(form.control(DocField::Minute)),
             (QStringList{"00", "05", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55"}));
    for (DocField field :
         {DocField::Month, DocField::Day, DocField::Hour, DocField::Minute, DocField::Category})
        QVERIFY(!static_cast<QComboBox*>(form.control(field))->isEditable());
    QCOMPARE(static_cast<QLineEdit*>(form.control(DocField::Title))->maxLength(), 80);
    QCOMPARE(static_cast<QLineEdit*>(form.control(DocField::File))->maxLength(), 256);
    QCOMPARE(static_cast<QLineEdit*>(form.control(DocField::Keyword))->maxLength(), 256);
    // The description stops at its limit while it is typed, not on save.
    auto* description = static_cast<QPlainTextEdit*>(form.control(DocField::Description));
    description->setPlainText(QString(1100, u'述'));
    QCOMPARE(description->toPlainText(), QString(1024, u'述'));
    // The delivered document categories, without the empty "not set" row.
    QStringList categories = entries(form.control(DocField::Category));
    categories.sort();
    QStringList expected{"合同", "名片", "照片", "简历", "往来函件", "报价单", "其他"};
    expected.sort();
    QCOMPARE(categories, expected);
}

// The category editors take 40 characters; both forms keep such a name whole.
void TestDocumentGui::longCategoryIsTakenWhole() {
    const QString name(40, u'类');
    QVERIFY(fx_->db.execute(sql::format("insert into docsort(docsort_name) values('%s')", name)));
    QVERIFY(
        fx_->db.execute(sql::format("insert into datumsort(datumsort_name) values('%s')", name)));
    DocList::Edit doc;
    CDocEditDlg docForm(*fx_->app, doc, *opener_, chooser_);
    DatumList::Edit datum;
    CDatumEditDlg datumForm(*fx_->app, 1, datum, *opener_, chooser_);
    for (CDocForm* form : {static_cast<CDocForm*>(&docForm), static_cast<CDocForm*>(&datumForm)}) {
        auto* categories = static_cast<QComboBox*>(form->control(DocField::Category));
        categories->setCurrentIndex(categories->findText(name));
        QCOMPARE(form->values().category, name);
    }
}

void TestDocumentGui::modifyKeepsAnEarlierYear() {
    const qint64 ann = addContact("Ann");
    DocList::Edit edit;
    edit.mode = DocMode::Modify;
    edit.contact = ann;
    edit.values = {"",     "1998",          "03",      "04", "07", "45", "老合同",
                   "合同", file("old.txt"), "old.txt", "",   ""};
    QVERIFY(DocStore(fx_->db, fx_->prompter).save(DocMode::Add, ann, edit.values));
    CDocEditDlg form(*fx_->app, edit, *opener_, chooser_);
    QCOMPARE(form.windowTitle(), QStringLiteral("文档修改"));
    QCOMPARE(textOf(form.control(DocField::Year)), QStringLiteral("1998"));
    QCOMPARE(entries(form.control(DocField::Year)).size(), 10);
    QCOMPARE(textOf(form.control(DocField::Hour)), QStringLiteral("07"));
    QCOMPARE(textOf(form.control(DocField::Minute)), QStringLiteral("45"));
    form.accept();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(edit.values.year, QStringLiteral("1998"));
    QCOMPARE(fx_->db.count(sql::format("select count(*) from doc where doc_date='1998-03-04'")), 1);
}

void TestDocumentGui::browseAndEdit() {
    DocList::Edit edit;
    CDocEditDlg form(*fx_->app, edit, *opener_, chooser_);
    form.editButton()->click();
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("请输入文档名称!"));
    const QString path = file(QStringLiteral("O'Neil 的 报价 v2.xlsx"));
    chosen_ << path;
    form.browseButton()->click();
    QCOMPARE(textOf(form.control(DocField::File)), path);
    QCOMPARE(form.values().file, QStringLiteral("O'Neil 的 报价 v2.xlsx"));
    form.editButton()->click();
    QCOMPARE(opener_->opened, QStringList{path});
    static_cast<QLineEdit*>(form.control(DocField::File))->setText(path + QStringLiteral(".gone"));
    form.editButton()->click();
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("文件不存在,请重新输入!"));
    QCOMPARE(opener_->opened.size(), 1);
    // A cancelled browse leaves the field as it was.
    form.browseButton()->click();
    QCOMPARE(textOf(form.control(DocField::File)), path + QStringLiteral(".gone"));
}

void TestDocumentGui::refusedSaveFocusesTheField() {
    const qint64 ann = addContact("Ann");
    DocList::Edit edit;
    edit.contact = ann;
    CDocEditDlg form(*fx_->app, edit, *opener_, chooser_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    chosen_ << file("a.txt");
    form.browseButton()->click();
    form.findChild<QPushButton*>("ok")->click();
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("请输入文档标题!"));
    QVERIFY(form.isVisible());
    QCOMPARE(QApplication::focusWidget(), form.control(DocField::Title));
    fill(&form, QStringLiteral("标题"), QStringLiteral("名片"));
    static_cast<QComboBox*>(form.control(DocField::Day))->setCurrentText(QStringLiteral("31"));
    static_cast<QComboBox*>(form.control(DocField::Month))->setCurrentText(QStringLiteral("04"));
    form.findChild<QPushButton*>("ok")->click();
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("日期输入有误!"));
    QCOMPARE(QApplication::focusWidget(), form.control(DocField::Month));
    QCOMPARE(fx_->db.count("select count(*) from doc"), 0);
}

std::unique_ptr<CMainFrame> TestDocumentGui::makeFrame() {
    auto frame = std::make_unique<CMainFrame>(*fx_->app, fx_->session);
    frame->show();
    frame->tree()->startBuild(false);
    return frame;
}

QTreeWidgetItem* TestDocumentGui::documentsNode(CMainFrame* frame) const {
    for (int i = 0; i < frame->tree()->topLevelItemCount(); ++i)
        if (frame->tree()->topLevelItem(i)->text(0) == QStringLiteral("文档资料"))
            return frame->tree()->topLevelItem(i);
    return nullptr;
}

// A new user's round: three files attached in one loop, one opened, two
// deleted, the counts under "文档资料" following.
void TestDocumentGui::contactDocumentsInTheFrame() {
    const qint64 ann = addContact("Ann");
    auto frame = makeFrame();
    QVERIFY(QTest::qWaitFor([&] { return frame->tree()->isReady(); }, 10000));
    CContactDetailPane* pane = frame->detailPane();
    QCOMPARE(pane->tabText(5), QStringLiteral("关联关系"));
    QVERIFY(qobject_cast<CAssoPage*>(pane->widget(5)));
    QCOMPARE(pane->tabText(7), QStringLiteral("相关文档"));
    auto* page = qobject_cast<CDocPage*>(pane->widget(7));
    QVERIFY(page);
    page->setFileOpener(opener_);
    page->setFileChooser(chooser_);
    QCOMPARE(page->model()->columnCount(), 7);

    frame->contactView()->contacts()->openContact(ann);
    pane->setCurrentIndex(7);
    const QStringList paths{file("合同 O'Neil.pdf"), file("报价 第 2 版.xlsx"), file("it's.txt")};
    chosen_ = paths;
    int opened = 0;
    ModalDriver<CDocEditDlg> driver([&](CDocEditDlg* form) {
        ++opened;
        fill(form, QStringLiteral("合同 %1 'x'").arg(opened), QStringLiteral("合同"));
        form->findChild<QPushButton*>("ok")->click();
    });
    fx_->prompter.clear();
    fx_->prompter.answer(true);
    fx_->prompter.answer(true);
    fx_->prompter.answer(false);
    const qint64 before = fx_->db.count("select user_grade from userlogin where user_code=1");
    page->button("增加")->click();
    QCOMPARE(opened, 3);
    QCOMPARE(page->model()->rowCount(), 3);
    QCOMPARE(fx_->db.count("select user_grade from userlogin where user_code=1") - before, 15);
    QVERIFY(QTest::qWaitFor(
        [&] {
            QTreeWidgetItem* node = documentsNode(frame.get());
            return frame->tree()->isReady() && node && node->childCount() == 1 &&
                   node->child(0)->text(0) == QStringLiteral("合同 (3)");
        },
        10000));
    // The contact stays in the pane while the counts change.
    QCOMPARE(frame->contactView()->currentContact(), ann);
    QCOMPARE(page->documents()->contact(), ann);

    page->view()->selectRow(1);
    page->button("查看")->click();
    QCOMPARE(opener_->opened, QStringList{paths[1]});

    page->model()->setChecked(0, true);
    page->model()->setChecked(2, true);
    fx_->prompter.answer(true);
    page->button("删除")->click();
    QCOMPARE(page->model()->rowCount(), 1);
    QCOMPARE(fx_->db.count("select user_grade from userlogin where user_code=1") - before, 5);
    QVERIFY(QTest::qWaitFor(
        [&] {
            QTreeWidgetItem* node = documentsNode(frame.get());
            return frame->tree()->isReady() && node && node->childCount() == 1 &&
                   node->child(0)->text(0) == QStringLiteral("合同 (1)");
        },
        10000));
}

void TestDocumentGui::myDataInTheFrame() {
    auto frame = makeFrame();
    QVERIFY(QTest::qWaitFor([&] { return frame->tree()->isReady(); }, 10000));
    auto* view = qobject_cast<CDatumView*>(frame->rightPanel()->view(4));
    QVERIFY(view);
    view->setFileOpener(opener_);
    view->setFileChooser(chooser_);
    QStringList menu;
    for (QAction* action : view->contextMenu()->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(menu, (QStringList{"增加我的资料", "修改我的资料", "-", "删除我的资料"}));

    // The category clicked in the group fills view 4.
    CGfxOutBarCtrl* bar = frame->outBar();
    bar->setCurrentIndex(commands::DatumGroup);
    QCOMPARE(frame->rightPanel()->currentView(), 4);
    const int item = bar->items(commands::DatumGroup).indexOf(QStringLiteral("个人文档"));
    QVERIFY(item >= 0);
    emit bar->notified(commands::DatumGroup, item, QStringLiteral("个人文档"));
    QCOMPARE(view->items()->category(), fx_->db.count("select datumsort_code from datumsort "
                                                      "where datumsort_name='个人文档'"));

    const QString path = file(QStringLiteral("我的 'notes' 2026.txt"));
    chosen_ << path;
    QString caption;
    ModalDriver<CDatumEditDlg> driver([&](CDatumEditDlg* form) {
        caption = form->windowTitle();
        fill(form, QStringLiteral("读书笔记"), QStringLiteral("个人文档"));
        form->findChild<QPushButton*>("ok")->click();
    });
    fx_->prompter.clear();
    fx_->prompter.answer(false);
    QVERIFY(frame->runCommand(commands::AddDatum));
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(caption, QStringLiteral("我的资料增加"));
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(fx_->db.count("select count(*) from datum where datum_user_code=1"), 1);

    QTest::qWait(20);
    const QRect cell = view->view()->visualRect(view->model()->index(0, 3));
    const QPoint at = view->view()->viewport()->mapTo(frame.get(), cell.center());
    QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(opener_->opened, QStringList{path});

    // The context menu runs the commands with their guard.
    bar->setCurrentIndex(commands::ContactsGroup);
    fx_->prompter.clear();
    view->contextMenu()->actions().at(1)->trigger();
    QCOMPARE(fx_->prompter.texts(), QStringList{"请先选中〖我的资料〗,再进行操作!"});
}

QTEST_MAIN(TestDocumentGui)
#include "tst_documentgui.moc"
