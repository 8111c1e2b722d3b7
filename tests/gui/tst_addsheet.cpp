// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactGuiFixture.h"

#include "contacts/CContactAddSheet.h"
#include "contacts/CContactPage.h"
#include "contacts/CExistingRecordsDlg.h"
#include "contacts/ContactStore.h"
#include "support/ContactFieldOracle.h"
#include "support/SampleContacts.h"
#include "ui/CDropList.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

Q_DECLARE_METATYPE(ContactPage)

namespace {

using sample::minimalContact;

void show(CContactAddSheet* sheet, const ContactRecord& record) {
    for (const oracle::Page& info : oracle::kPages)
        sheet->page(info.page)->mergeValues(record);
}

} // namespace

// The add sheet: its tabs and buttons, the add loop, the order and focus of
// its checks, the two searches and the existing-records dialog.
class TestAddSheet : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void sheetOpensOnTheName();
    void addLoopAddsThree();
    void cancelEndsTheLoop();
    void failedCheckFocusesField_data();
    void failedCheckFocusesField();
    void existingRecords_data();
    void existingRecords();
    void unitSearchCopiesChosenUnit();
    void unitSearchWithoutSelectionCopiesNothing();

  private:
    qint64 addContact(const QString& name, const QString& unit, const QString& artificial);

    std::unique_ptr<ContactGuiFixture> fx_;
};

void TestAddSheet::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
}

void TestAddSheet::cleanup() {
    fx_.reset();
}

qint64 TestAddSheet::addContact(const QString& name, const QString& unit,
                                const QString& artificial) {
    ContactRecord r = minimalContact(name);
    r.setValue("work_name", unit);
    r.setValue("work_artificial", artificial);
    r.setValue("work_region_code", "华南");
    r.setValue("work_leader_name", artificial + "的领导");
    r.setValue("work_leader_duty_code", "总经理");
    r.setValue("work_superior_name", artificial + "的上级");
    r.setValue("work_branch_name", artificial + "的部门");
    ContactStore store(fx_->db, fx_->prompter);
    return store.insertNew(r, fx_->session, fx_->clock);
}

void TestAddSheet::sheetOpensOnTheName() {
    CContactAddSheet sheet(*fx_->app, fx_->session);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QCOMPARE(sheet.windowTitle(), QStringLiteral("新增人脉"));
    QStringList captions;
    for (int i = 0; i < sheet.tabs()->count(); ++i)
        captions << sheet.tabs()->tabText(i);
    QCOMPARE(captions, QStringList({"基本信息", "单位信息", "家庭信息", "社交信息", "扩展信息"}));
    QCOMPARE(sheet.okButton()->text(), QStringLiteral("确定(&O)"));
    QCOMPARE(sheet.cancelButton()->text(), QStringLiteral("取消(&C)"));
    QCOMPARE(sheet.focusWidget(), sheet.page(ContactPage::Base)->form().control("base_name"));
}

void TestAddSheet::addLoopAddsThree() {
    const qint64 before = fx_->contactCount();
    fx_->prompter.answer(true);
    fx_->prompter.answer(true);
    fx_->prompter.answer(false);
    int opened = 0;
    ModalDriver<CContactAddSheet> driver([&](CContactAddSheet* sheet) {
        // Every opening starts empty.
        QVERIFY(sheet->values().value("base_name").isEmpty());
        show(sheet, minimalContact(QStringLiteral("联系人%1").arg(++opened)));
        sheet->okButton()->click();
    });
    const int saved = runAddContacts(*fx_->app, fx_->session, nullptr);
    QCOMPARE(saved, 3);
    QCOMPARE(driver.handled(), 3);
    QCOMPARE(fx_->contactCount(), before + 3);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(
            fx_->db.count(sql::Statement(QStringLiteral("select count(*) from home h, base b where "
                                                        "h.home_base_code=b.base_code and "
                                                        "b.base_name='联系人%1'")
                                             .arg(i))),
            1);
    QCOMPARE(fx_->prompter.messages.size(), 3);
    for (const auto& m : fx_->prompter.messages) {
        QCOMPARE(m.kind, ScriptedPrompter::Message::Kind::Question);
        QCOMPARE(m.caption, QStringLiteral("提示"));
        QCOMPARE(m.text, QStringLiteral("继续增加吗?"));
    }
}

void TestAddSheet::cancelEndsTheLoop() {
    const qint64 before = fx_->contactCount();
    fx_->prompter.answer(true);
    ModalDriver<CContactAddSheet> driver([&](CContactAddSheet* sheet) {
        if (driver.handled() == 1) {
            show(sheet, minimalContact(QStringLiteral("王五")));
            sheet->okButton()->click();
        } else {
            show(sheet, minimalContact(QStringLiteral("赵六")));
            sheet->cancelButton()->click();
        }
    });
    QCOMPARE(runAddContacts(*fx_->app, fx_->session, nullptr), 1);
    QCOMPARE(driver.handled(), 2);
    QCOMPARE(fx_->contactCount(), before + 1);
    QCOMPARE(fx_->prompter.texts(), QStringList{"继续增加吗?"});
}

void TestAddSheet::failedCheckFocusesField_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<ContactPage>("page");
    QTest::addColumn<QString>("focused");

    // One row per page the sheet checks (the checks themselves are the
    // validation suite's): an edit with its text selected, the area code that
    // only the add sheet checks, a date whose year list takes the focus.
    QTest::newRow("illegal name") << "base_name"
                                  << "张&三"
                                  << "姓名中有非法字符，请检查!" << ContactPage::Base
                                  << "base_name";
    QTest::newRow("area code with a letter")
        << "work_areacode"
        << "0a10"
        << "请在城市区号中输入数字!" << ContactPage::Work << "work_areacode";
    QTest::newRow("31 April") << "extend_gradday"
                              << "31"
                              << "日期输入有误!" << ContactPage::Extend << "extend_gradyear";
}

// The first failing check shows its message, brings its page to the front
// with the field focused and its text selected, and nothing is stored.
void TestAddSheet::failedCheckFocusesField() {
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(ContactPage, page);
    QFETCH(QString, focused);

    ContactRecord record = minimalContact(QStringLiteral("张三"));
    record.setValue("base_year", "2012");
    record.setValue("base_month", "02");
    record.setValue("base_day", "29");
    record.setValue("extend_gradyear", "2012");
    record.setValue("extend_gradmonth", "04");
    record.setValue("extend_gradday", "30");
    record.setValue("work_areacode", "010");
    record.setValue("work_zip", "100080");
    record.setValue(column, value);

    const qint64 before = fx_->contactCount();
    CContactAddSheet sheet(*fx_->app, fx_->session);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    show(&sheet, record);
    sheet.tabs()->setCurrentIndex(3);
    QSignalSpy finished(&sheet, &QDialog::finished);
    sheet.okButton()->click();

    QCOMPARE(fx_->prompter.texts(), QStringList{message});
    QCOMPARE(fx_->prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(fx_->prompter.messages[0].icon, PromptIcon::Information);
    QCOMPARE(finished.count(), 0);
    QVERIFY(sheet.isVisible());
    QCOMPARE(fx_->contactCount(), before);
    QVERIFY(sheet.tabs()->currentWidget()->isAncestorOf(sheet.page(page)));
    QWidget* control = sheet.page(page)->form().control(focused);
    QCOMPARE(sheet.focusWidget(), control);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        QCOMPARE(edit->selectedText(), edit->text());
    // Everything typed is still there.
    QCOMPARE(sheet.values().value(column), value);
}

void TestAddSheet::existingRecords_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("by name") << "base_name"
                             << "张三" << QStringList{"张三", "张三丰"};
    QTest::newRow("by unit") << "work_name"
                             << "华为" << QStringList{"张三", "李四"};
}

// The "查" buttons list the live contacts whose name or unit contains the text,
// the code in the first column, the count in the title.
void TestAddSheet::existingRecords() {
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(QStringList, names);

    const qint64 zhang = addContact("张三", "华为技术", "任一");
    addContact("张三丰", "武当", "无");
    addContact("李四", "华为终端", "余二");
    const qint64 trashed = addContact("张三", "华为终端", "无");
    QVERIFY(
        fx_->db.execute(sql::Statement(QStringLiteral("update base set base_invalid_flag=0 where "
                                                      "base_code=%1")
                                           .arg(trashed))));

    CContactAddSheet sheet(*fx_->app, fx_->session);
    sheet.show();
    CContactPage* page = sheet.page(oracle::field(column).page);
    qobject_cast<QLineEdit*>(page->form().control(column))->setText(typed);
    QString title;
    QStringList shown;
    QString firstCode;
    ModalDriver<CExistingRecordsDlg> driver([&](CExistingRecordsDlg* dialog) {
        title = dialog->windowTitle();
        ReportModel* model = dialog->model();
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "姓名");
        QCOMPARE(model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "单位名称");
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->text(row, 1);
        firstCode = model->text(0, 0);
        dialog->accept();
    });
    page->form().searchButton(column)->click();
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(title, QStringLiteral("资料列表--目前共有记录数： %1").arg(names.size()));
    shown.sort();
    names.sort();
    QCOMPARE(shown, names);
    QCOMPARE(firstCode, QString::number(zhang));
    QCOMPARE(fx_->prompter.texts(), QStringList());
}

// The row chosen gives the unit's data; the contact's own position and the
// superior are left as typed.
void TestAddSheet::unitSearchCopiesChosenUnit() {
    addContact("张三", "华为技术", "任一");
    addContact("李四", "华为终端", "余二");
    CContactAddSheet sheet(*fx_->app, fx_->session);
    sheet.show();
    CContactPage* work = sheet.page(ContactPage::Work);
    ContactRecord typed;
    typed.setValue("work_name", "华为");
    typed.setValue("work_branch_name", "市场部");
    typed.setValue("work_superior_name", "钱九");
    work->mergeValues(typed);
    QSignalSpy modified(work, &CContactPage::modified);

    ModalDriver<CExistingRecordsDlg> driver([](CExistingRecordsDlg* dialog) {
        ReportModel* model = dialog->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->text(row, 1) == QStringLiteral("李四"))
                emit dialog->list()->doubleClicked(model->index(row, 1));
    });
    work->form().searchButton("work_name")->click();
    QCOMPARE(driver.handled(), 1);

    const ContactRecord shown = work->values();
    QCOMPARE(shown.value("work_name"), QStringLiteral("华为终端"));
    QCOMPARE(shown.value("work_artificial"), QStringLiteral("余二"));
    QCOMPARE(shown.value("work_industry_code"), QStringLiteral("金融"));
    QCOMPARE(shown.value("work_province_code"), QStringLiteral("北京市"));
    QCOMPARE(shown.value("work_region_code"), QStringLiteral("华南"));
    QCOMPARE(shown.value("work_leader_name"), QStringLiteral("余二的领导"));
    QCOMPARE(shown.value("work_leader_duty_code"), QStringLiteral("总经理"));
    QCOMPARE(shown.value("work_branch_name"), QStringLiteral("市场部"));
    QCOMPARE(shown.value("work_superior_name"), QStringLiteral("钱九"));
    QVERIFY(modified.count() >= 1);
}

void TestAddSheet::unitSearchWithoutSelectionCopiesNothing() {
    addContact("李四", "华为终端", "余二");
    CContactAddSheet sheet(*fx_->app, fx_->session);
    sheet.show();
    CContactPage* work = sheet.page(ContactPage::Work);
    ContactRecord typed;
    typed.setValue("work_name", "华为");
    work->mergeValues(typed);
    ModalDriver<CExistingRecordsDlg> driver([](CExistingRecordsDlg* dialog) {
        dialog->list()->clearSelection();
        dialog->accept();
    });
    work->form().searchButton("work_name")->click();
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(work->values().value("work_name"), QStringLiteral("华为"));
    QCOMPARE(work->values().value("work_artificial"), QString());
}

QTEST_MAIN(TestAddSheet)
#include "tst_addsheet.moc"
