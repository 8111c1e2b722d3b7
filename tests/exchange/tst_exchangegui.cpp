// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CClientView2.h"
#include "contacts/ContactStore.h"
#include "exchange/CDuplicatesDlg.h"
#include "exchange/CExportDlg.h"
#include "exchange/CImportProgressDlg.h"
#include "exchange/CImportSummaryDlg.h"
#include "exchange/CImportWizard.h"
#include "exchange/CsvMapping.h"
#include "featureapi/CommandTable.h"
#include "gui/ContactGuiFixture.h"
#include "shell/CMainFrame.h"
#include "tree/CNavTree.h"
#include "ui/ReportModel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace exchange;

namespace {

QString data(const QString& name) {
    return QStringLiteral(EXCHANGE_DATA "/") + name;
}

qint64 addContact(ContactGuiFixture& f, const QString& name, const QString& mobile,
                  const QString& email) {
    ContactRecord r;
    r.setValue("base_name", name);
    r.setValue("base_mobil", mobile);
    r.setValue("base_email", email);
    ContactStore store(f.db, f.prompter);
    return store.insertNew(r, f.session, f.clock);
}

int liveFlag(ContactGuiFixture& f, qint64 code) {
    return int(
        f.db.count(sql::format("select base_invalid_flag from base where base_code=%ld", code)));
}

} // namespace

class TestExchangeGui : public QObject {
    Q_OBJECT

  private slots:
    void mappingStepGuessesAndRemembers();
    void aWrongEncodingIsSaid();
    void aMappingWithoutNameIsRefused();
    void summaryListsEveryLine();
    void exportChoices();
    void progressCanBeCancelled();
    void duplicatesWindowMergesTheChosenValues();
    void importAndMergeThroughTheMainWindow();
};

void TestExchangeGui::mappingStepGuessesAndRemembers() {
    ContactGuiFixture f;
    QVERIFY(f.settings.ensureExists());
    {
        CImportWizard wizard(f.prompter, f.settings);
        wizard.show();
        wizard.setFile(data("gbk-headings.csv"));
        QVERIFY(wizard.encodingBox()->isEnabled());
        QVERIFY(wizard.encodingBox()->currentText().contains(QStringLiteral("GB18030")));
        wizard.next();
        QCOMPARE(wizard.currentId(), int(CImportWizard::MappingPage));
        QCOMPARE(wizard.preview()->columnCount(), 11);
        QCOMPARE(wizard.preview()->rowCount(), 1 + 4); // the choices, the headings, three rows
        QVERIFY(wizard.headerBox()->isChecked());
        const QStringList expected = {"姓名",     "性别",     "手机号码", "邮件地址",
                                      "单位名称", "所在部门", "职务",     "单位电话",
                                      "出生日期", "家庭住址", "备注"};
        for (int c = 0; c < expected.size(); ++c)
            QCOMPARE(wizard.targetBox(c)->currentText(), expected[c]);
        QCOMPARE(wizard.preview()->item(2, 0)->text(), QStringLiteral("王五"));
        // The person leaves the address out; the choice is kept for next time.
        wizard.targetBox(9)->setCurrentIndex(0);
        QVERIFY(wizard.validateCurrentPage());
        QCOMPARE(wizard.mapping().targets.value(9), QString());
        QCOMPARE(wizard.mapping().targets.value(0), QStringLiteral("base_name"));
    }
    CImportWizard again(f.prompter, f.settings);
    again.show();
    again.setFile(data("gbk-headings.csv"));
    again.next();
    QCOMPARE(again.targetBox(9)->currentText(), QStringLiteral("(不导入)"));
    QCOMPARE(again.targetBox(2)->currentText(), QStringLiteral("手机号码"));
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestExchangeGui::aWrongEncodingIsSaid() {
    ContactGuiFixture f;
    CImportWizard wizard(f.prompter, f.settings);
    wizard.show();
    wizard.setFile(data("gbk-headings.csv"));
    wizard.next();
    wizard.encodingBox()->setCurrentIndex(1); // UTF-8 for a GBK file
    QVERIFY(!f.prompter.messages.isEmpty());
    QVERIFY(f.prompter.lastText().contains(QStringLiteral("GB18030")));
    // A file that is not a contact file is said at once.
    f.prompter.clear();
    CImportWizard other(f.prompter, f.settings);
    other.show();
    other.setFile(data("empty.vcf"));
    QCOMPARE(f.prompter.messages.size(), 1);
    QVERIFY(!other.validateCurrentPage());
}

void TestExchangeGui::aMappingWithoutNameIsRefused() {
    ContactGuiFixture f;
    CImportWizard wizard(f.prompter, f.settings);
    wizard.show();
    wizard.setFile(data("gbk-headings.csv"));
    wizard.next();
    wizard.targetBox(0)->setCurrentIndex(0);
    QVERIFY(!wizard.validateCurrentPage());
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请指定哪一列是姓名!"));
    // Nothing was remembered from the refused choice.
    QVERIFY(!CsvMapping::remembered(f.settings).contains(QStringLiteral("姓名")));
}

void TestExchangeGui::summaryListsEveryLine() {
    ImportSummary s;
    s.imported = 7;
    s.merged = 1;
    s.skipped = 2;
    s.refused = 1;
    s.refusals << ImportLine{12, "", "没有姓名"};
    s.duplicates << ImportLine{3, "张三", "与已有人脉“张三”重复, 已跳过"}
                 << ImportLine{9, "李四", "与已有人脉“李四”重复, 已合并"};
    s.notes << ImportLine{5, "王五", "备注超过 1024 个字, 已截断为“…”"};
    CImportSummaryDlg dialog(s, "a.vcf");
    QCOMPARE(dialog.countsText(),
             QStringLiteral("导入 7 个人脉, 合并 1 个, 跳过重复 2 个, 拒绝 1 个"));
    QTableWidget* t = dialog.table();
    QCOMPARE(t->rowCount(), 4);
    QStringList rows;
    for (int r = 0; r < t->rowCount(); ++r)
        rows << t->item(r, 0)->text() + u' ' + t->item(r, 2)->text();
    // In file order, each with what happened to it.
    QCOMPARE(rows, (QStringList{"3 跳过", "5 已修改", "9 合并", "12 拒绝"}));
    QVERIFY(dialog.listText().contains(QStringLiteral("12\t\t拒绝\t没有姓名")));
}

void TestExchangeGui::exportChoices() {
    CExportDlg none(0, 5);
    QVERIFY(!none.tickedButton()->isEnabled());
    QVERIFY(none.allButton()->isChecked());
    QVERIFY(!none.encodingBox()->isEnabled());
    QCOMPARE(int(none.format()), int(ExportFormat::VCard));
    QCOMPARE(int(none.encoding()), int(Encoding::Utf8));
    CExportDlg some(2, 5);
    QVERIFY(some.tickedOnly());
    some.csvButton()->setChecked(true);
    QVERIFY(some.encodingBox()->isEnabled());
    some.encodingBox()->setCurrentIndex(1);
    QCOMPARE(int(some.format()), int(ExportFormat::Csv));
    QCOMPARE(int(some.encoding()), int(Encoding::Gb18030));
}

void TestExchangeGui::progressCanBeCancelled() {
    CImportProgressDlg progress;
    QVERIFY(progress.step(0, 100));
    QVERIFY(progress.step(100, 100));
    QCOMPARE(progress.percentText(), QStringLiteral("100%"));
    progress.cancel();
    QVERIFY(!progress.step(50, 100));
}

void TestExchangeGui::duplicatesWindowMergesTheChosenValues() {
    ContactGuiFixture f;
    const qint64 a = addContact(f, "张三", "138 0013 8000", "old@x.cn");
    const qint64 b = addContact(f, "张三丰", "+86 13800138000", "new@x.cn");
    const qint64 c = addContact(f, "张老三", "13800138000", "");
    addContact(f, "李四", "139", "");
    CDuplicatesDlg dialog(f.db, f.prompter);
    QVERIFY(dialog.load());
    QCOMPARE(dialog.groupCount(), 1);
    QCOMPARE(dialog.members()->rowCount(), 3);
    // The third one is another person after all; the second stays, with the first's e-mail.
    dialog.setIncluded(2, false);
    dialog.setSurvivor(1);
    QVERIFY(dialog.chooseValue(QStringLiteral("邮件地址"), 0));
    f.prompter.answer(true);
    QVERIFY(dialog.mergeShown());
    QCOMPARE(f.prompter.messages.last().caption, QStringLiteral("确认"));
    QCOMPARE(dialog.mergedAway(), 1);
    QCOMPARE(dialog.groupCount(), 0);
    QCOMPARE(liveFlag(f, a), 0);
    QCOMPARE(liveFlag(f, b), 1);
    QCOMPARE(liveFlag(f, c), 1);
    ContactStore store(f.db, f.prompter);
    const ContactRecord kept = store.load(b, 1).record;
    QCOMPARE(kept.value("base_name"), QStringLiteral("张三丰"));
    QCOMPARE(kept.value("base_email"), QStringLiteral("old@x.cn"));
    QCOMPARE(kept.value("base_mobil"), QStringLiteral("+86 13800138000"));
    // Answering No changes nothing.
    CDuplicatesDlg again(f.db, f.prompter);
    QVERIFY(again.load());
    QCOMPARE(again.groupCount(), 1);
    f.prompter.answer(false);
    QVERIFY(!again.mergeShown());
    QCOMPARE(liveFlag(f, c), 1);
}

// The commands of the main window: the list and the tree's counts follow.
void TestExchangeGui::importAndMergeThroughTheMainWindow() {
    ContactGuiFixture f;
    f.settings.ensureExists();
    CMainFrame frame(*f.app, f.session);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.tree()->startBuild(false);
    QVERIFY(QTest::qWaitFor([&] { return frame.tree()->isReady(); }, 10000));
    const int before = frame.contactView()->model()->rowCount();

    {
        ModalDriver<CImportWizard> wizard([](CImportWizard* w) {
            w->setFile(data("android-21.vcf"));
            w->next();
            w->button(QWizard::FinishButton)->click();
        });
        ModalDriver<CImportSummaryDlg> summary([](CImportSummaryDlg* d) { d->accept(); });
        QVERIFY(frame.runCommand(commands::ImportContacts));
        QCOMPARE(wizard.handled(), 1);
        QCOMPARE(summary.handled(), 1);
    }
    QCOMPARE(frame.contactView()->model()->rowCount(), before + 3);
    QVERIFY(QTest::qWaitFor([&] { return frame.tree()->isReady(); }, 10000));
    QVERIFY(frame.tree()->topLevelItem(0)->text(0).endsWith(
        QStringLiteral("<共%1个>").arg(before + 3)));

    // The same file again, as new contacts: three pairs of duplicates to merge.
    {
        ModalDriver<CImportWizard> wizard([](CImportWizard* w) {
            w->setFile(data("android-21.vcf"));
            w->setPolicy(DuplicatePolicy::Add);
            w->next();
            w->button(QWizard::FinishButton)->click();
        });
        ModalDriver<CImportSummaryDlg> summary([](CImportSummaryDlg* d) { d->accept(); });
        QVERIFY(frame.runCommand(commands::ImportContacts));
    }
    QCOMPARE(frame.contactView()->model()->rowCount(), before + 6);

    f.prompter.defaultAnswer = true;
    ModalDriver<CDuplicatesDlg> duplicates([](CDuplicatesDlg* d) {
        while (d->groupCount() > 0 && d->mergeShown()) {
        }
        d->reject();
    });
    QVERIFY(frame.runCommand(commands::FindDuplicates));
    QCOMPARE(duplicates.handled(), 1);
    QCOMPARE(frame.contactView()->model()->rowCount(), before + 3);
    QVERIFY(QTest::qWaitFor([&] { return frame.tree()->isReady(); }, 10000));
    QVERIFY(QTest::qWaitFor(
        [&] {
            for (int i = 0; i < frame.tree()->topLevelItemCount(); ++i)
                if (frame.tree()->topLevelItem(i)->text(0).startsWith(QStringLiteral("垃圾箱")))
                    return frame.tree()->topLevelItem(i)->text(0).endsWith(
                        QStringLiteral("<共3个>"));
            return false;
        },
        10000));
}

QTEST_MAIN(TestExchangeGui)
#include "tst_exchangegui.moc"
