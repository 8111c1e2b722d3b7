// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ContactGuiFixture.h"

#include "contacts/AssoStore.h"
#include "contacts/CAssoEditDlg.h"
#include "contacts/CAssoPage.h"
#include "contacts/CAssoTargetDlg.h"
#include "ui/CDropList.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The association form, the contact picker behind its "选择" and the tab.
class TestAssoDialogs : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void formCaptionsAndLimits();
    void formKeyboardRules();
    void formSavesAndStaysOpenOnFailure();
    void pickerRefillsOnTheNameFilter();
    void pickedPersonIsStoredUnderTheTypedName();
    void tabButtonsAndDoubleClick();

  private:
    qint64 addContact(const QString& name, const QString& unit, int live = 1);
    QStringList pickerNames(CAssoTargetDlg* picker) const;

    std::unique_ptr<ContactGuiFixture> fx_;
};

void TestAssoDialogs::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
}

void TestAssoDialogs::cleanup() {
    fx_.reset();
}

qint64 TestAssoDialogs::addContact(const QString& name, const QString& unit, int live) {
    fx_->db.execute(sql::format("insert into base(base_name,work_name,base_invalid_flag,"
                                "base_user_code) values('%s','%s',%d,1)",
                                name, unit, live));
    return fx_->db.count("select max(base_code) from base");
}

QStringList TestAssoDialogs::pickerNames(CAssoTargetDlg* picker) const {
    QStringList names;
    for (int row = 0; row < picker->model()->rowCount(); ++row)
        names << picker->model()->text(row, 1);
    return names;
}

void TestAssoDialogs::formCaptionsAndLimits() {
    AssoList::Edit edit;
    CAssoEditDlg form(*fx_->app, edit);
    QCOMPARE(form.windowTitle(), QStringLiteral("关联关系管理"));
    QStringList labels;
    for (QLabel* label : form.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"姓      名:", "(您也可以点           来选择)",
                             "关系类型:", "(如同学、同事、亲戚等)", "单位名称:", "职      务:",
                             "行业:", "关系描述:(输入关联人的关系,也可输入关联人的关系的关系)"})
        QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    QCOMPARE(form.chooseButton()->text(), QStringLiteral("选择"));
    QCOMPARE(form.nameEdit()->maxLength(), 20);
    QCOMPARE(form.relationEdit()->maxLength(), 30);
    QCOMPARE(form.companyEdit()->maxLength(), 120);
    // The description stops at its limit while it is typed, not on save.
    form.commentEdit()->setPlainText(QString(250, u'字'));
    QCOMPARE(form.commentEdit()->toPlainText(), QString(200, u'字'));
    // Posts by their rank, highest first; no empty entry in either list.
    QCOMPARE(form.dutyList()->itemText(0), QStringLiteral("董事长"));
    QVERIFY(form.dutyList()->findText(QString()) < 0);
    QVERIFY(form.industryList()->findText(QString()) < 0);
    QVERIFY(form.industryList()->findText(QStringLiteral("金融")) >= 0);
    QCOMPARE(form.dutyList()->currentIndex(), -1);
}

void TestAssoDialogs::formKeyboardRules() {
    AssoList::Edit edit;
    edit.mode = AssoList::Mode::Modify;
    edit.values = {"张三", "同学", "", "总经理", "金融", ""};
    CAssoEditDlg form(*fx_->app, edit);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.nameEdit()->setFocus();
    QTest::keyClick(form.nameEdit(), Qt::Key_Escape);
    QTest::keyClick(form.nameEdit(), Qt::Key_Return);
    QVERIFY(form.isVisible());
    QCOMPARE(form.result(), 0);
    QVERIFY(fx_->prompter.messages.isEmpty());

    form.dutyList()->setFocus();
    QTest::keyClicks(form.dutyList(), QStringLiteral("x"));
    QCOMPARE(form.dutyList()->currentText(), QStringLiteral("总经理"));
    QTest::keyClick(form.dutyList(), Qt::Key_Backspace);
    QCOMPARE(form.dutyList()->currentText(), QString());
    form.industryList()->setFocus();
    QTest::keyClick(form.industryList(), Qt::Key_Delete);
    QCOMPARE(form.values().industry, QString());
    QVERIFY(form.isVisible());
}

void TestAssoDialogs::formSavesAndStaysOpenOnFailure() {
    const qint64 ann = addContact("Ann", "Acme");
    AssoList::Edit edit;
    edit.contact = ann;
    CAssoEditDlg form(*fx_->app, edit);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.nameEdit()->setText(QStringLiteral("王五"));
    form.findChild<QPushButton*>("ok")->click();
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("请输入关联关系类型!"));
    QVERIFY(form.isVisible());
    QCOMPARE(QApplication::focusWidget(), form.relationEdit());

    form.relationEdit()->setText(QStringLiteral("同事"));
    form.findChild<QPushButton*>("ok")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(edit.code.toLongLong() > 0);
    QCOMPARE(edit.values.name, QStringLiteral("王五"));
    QCOMPARE(fx_->db.count(sql::format("select count(*) from asso where asso_base_code=%ld", ann)),
             1);
}

void TestAssoDialogs::pickerRefillsOnTheNameFilter() {
    const qint64 me = addContact("张一", "华为");
    addContact("张三", "华为");
    addContact("张四", "中兴");
    addContact("李五", "华为");
    addContact("张六", "华为", 0); // in the trash
    CAssoTargetDlg picker(fx_->db, fx_->prompter, me);
    QCOMPARE(picker.windowTitle(), QStringLiteral("资料列表"));
    QStringList all = pickerNames(&picker);
    all.sort();
    QCOMPARE(all, (QStringList{"张三", "张四", "李五"}));

    // The unit alone refills nothing; the next change of the name applies both.
    picker.unitFilter()->setText(QStringLiteral("华为"));
    QCOMPARE(pickerNames(&picker).size(), 3);
    picker.nameFilter()->setText(QStringLiteral("张"));
    QCOMPARE(pickerNames(&picker), QStringList{"张三"});
    picker.unitFilter()->clear();
    QCOMPARE(pickerNames(&picker), QStringList{"张三"});
    picker.nameFilter()->setText(QStringLiteral("张四"));
    QCOMPARE(pickerNames(&picker), QStringList{"张四"});
    // An emptied name with no unit lists every candidate again.
    picker.nameFilter()->clear();
    QCOMPARE(pickerNames(&picker).size(), 3);

    picker.accept();
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("请选择所要关联的目标!"));
    QCOMPARE(picker.result(), 0);
    QVERIFY(picker.chosenCode().isEmpty());
}

void TestAssoDialogs::pickedPersonIsStoredUnderTheTypedName() {
    const qint64 me = addContact("张一", "华为");
    const qint64 other = addContact("O'Neil", "Acme 'East'");
    addContact("ONeil", "Acme");
    AssoList::Edit edit;
    edit.contact = me;
    CAssoEditDlg form(*fx_->app, edit);
    form.show();
    int offered = 0;
    ModalDriver<CAssoTargetDlg> driver([&](CAssoTargetDlg* picker) {
        // A filter with an apostrophe is matched as typed.
        picker->nameFilter()->setText(QStringLiteral("O'N"));
        offered = picker->model()->rowCount();
        picker->list()->selectRow(0);
        picker->findChild<QPushButton*>("ok")->click();
    });
    form.chooseButton()->click();
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(offered, 1);
    QCOMPARE(edit.chosenRecord, QString::number(other));
    QCOMPARE(form.nameEdit()->text(), QStringLiteral("O'Neil"));
    QCOMPARE(form.companyEdit()->text(), QStringLiteral("Acme 'East'"));

    form.nameEdit()->setText(QStringLiteral("O'Neil Jr."));
    form.relationEdit()->setText(QStringLiteral("同事"));
    form.accept();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QString stored;
    bool linked = true;
    fx_->db.query(
        sql::format("select asso_name,asso_relation_code from asso where asso_code=%s", edit.code),
        [&](const Row& row) {
            stored = row.text("asso_name");
            linked = !row.isNull("asso_relation_code");
            return false;
        });
    QCOMPARE(stored, QStringLiteral("O'Neil Jr."));
    QVERIFY(!linked);
}

void TestAssoDialogs::tabButtonsAndDoubleClick() {
    const qint64 ann = addContact("Ann", "Acme");
    CAssoPage page(*fx_->app, 1, nullptr);
    QCOMPARE(page.model()->columnCount(), 8);
    QStringList headers;
    for (int c = 0; c < 8; ++c)
        headers << page.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QCOMPARE(headers, (QStringList{"选", "ID", "姓名", "职务", "关系类别", "单位名称", "所属行业",
                                   "关系描述"}));
    for (const char* caption : {"增加", "修改", "删除"})
        QVERIFY2(page.button(QString::fromUtf8(caption)), caption);

    page.button("增加")->click();
    QCOMPARE(fx_->prompter.texts(), QStringList{"请先选择相关资料,再使用此功能!"});

    QVERIFY(AssoStore(fx_->db, fx_->prompter).add(ann, {"张三", "同学", "", "", "", ""}) > 0);
    QVERIFY(page.associations()->showContact(ann));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    int opened = 0;
    ModalDriver<CAssoEditDlg> driver([&](CAssoEditDlg* form) {
        ++opened;
        QCOMPARE(form->nameEdit()->text(), QStringLiteral("张三"));
        form->relationEdit()->setText(QStringLiteral("老同学"));
        form->findChild<QPushButton*>("ok")->click();
    });
    // Through the window, as the desktop delivers a double click.
    const QRect cell = page.view()->visualRect(page.model()->index(0, 2));
    const QPoint at = page.view()->viewport()->mapTo(&page, cell.center());
    QTest::mouseDClick(page.windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(opened, 1);
    QCOMPARE(page.model()->text(0, 4), QStringLiteral("老同学"));
}

QTEST_MAIN(TestAssoDialogs)
#include "tst_assodialogs.moc"
