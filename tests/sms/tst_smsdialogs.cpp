// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CClientView2.h"
#include "contacts/ContactList.h"
#include "featureapi/CommandTable.h"
#include "gui/ContactGuiFixture.h"
#include "shell/CMainFrame.h"
#include "sms/CSmsComposeDlg.h"
#include "sms/CSmsSendListDlg.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The SMS windows: the compose form with its live count and limits, the two
// list forms, and the queue command from the contact list.
class TestSmsDialogs : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void counterFollowsTyping();
    void composeRefuses_data();
    void composeRefuses();
    void pasteBeyondTheLimitIsCut();
    void outboxForm();
    void queueCommandFromTheContactList();

  private:
    static void type(QWidget* widget, const QString& text);
    qint64 addContact(const QString& name, const QString& mobile);

    std::unique_ptr<ContactGuiFixture> fx_;
};

void TestSmsDialogs::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
}

void TestSmsDialogs::cleanup() {
    fx_.reset();
}

void TestSmsDialogs::type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

qint64 TestSmsDialogs::addContact(const QString& name, const QString& mobile) {
    if (!fx_->db.execute(sql::format(
            "insert into base(base_name,base_mobil,base_sex,base_province_code,base_sort_code,"
            "base_type_code,base_user_code,base_invalid_flag,work_duty_code,work_industry_code,"
            "work_region_code,work_province_code,work_leader_duty_code,work_superior_duty_code) "
            "values('%s','%s','男',1,2,2,1,1,1,2,1,2,1,1)",
            name, mobile)))
        return -1;
    return fx_->db.count("select max(base_code) from base");
}

void TestSmsDialogs::counterFollowsTyping() {
    CSmsComposeDlg dialog(fx_->prompter);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("发送短信"));
    QCOMPARE(dialog.counter()->text(), QStringLiteral("字数: 0"));
    type(dialog.editor(), QStringLiteral("周末聚会"));
    QCOMPARE(dialog.counter()->text(), QStringLiteral("字数: 4"));
    QTest::keyClicks(dialog.editor(), QStringLiteral(" ok"));
    QCOMPARE(dialog.counter()->text(), QStringLiteral("字数: 7"));
    QTest::keyClick(dialog.editor(), Qt::Key_Backspace);
    QCOMPARE(dialog.counter()->text(), QStringLiteral("字数: 6"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.content(), QStringLiteral("周末聚会 o"));
    QVERIFY(fx_->prompter.messages.isEmpty());
}

void TestSmsDialogs::composeRefuses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "请输入短信内容!";
    QTest::newRow("over 1024 bytes")
        << QString(600, QChar(0x4E2D)) << "短信内容不能超过1024个字符!";
}

void TestSmsDialogs::composeRefuses() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    CSmsComposeDlg dialog(fx_->prompter);
    dialog.show();
    dialog.editor()->setPlainText(text);
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(fx_->prompter.texts(), QStringList{message});
    QCOMPARE(fx_->prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(fx_->prompter.messages[0].icon, PromptIcon::Information);
    QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.editor()));
}

void TestSmsDialogs::pasteBeyondTheLimitIsCut() {
    CSmsComposeDlg dialog(fx_->prompter);
    dialog.show();
    QApplication::clipboard()->setText(QString(1200, u'x'));
    dialog.editor()->paste();
    QCOMPARE(dialog.editor()->toPlainText().size(), 1000);
    QCOMPARE(dialog.counter()->text(), QStringLiteral("字数: 1000"));
}

void TestSmsDialogs::outboxForm() {
    QVERIFY(fx_->db.execute(
        "insert into smssend(smssend_base_code,smssend_date,smssend_time,smssend_mobile,"
        "smssend_name,smssend_content,smssend_status) values"
        "(1,'2012-05-08','09:30:00','131','甲','早上好',0),"
        "(2,'2012-05-09','08:00:00','132','乙','次日',2)"));
    CSmsSendListDlg dialog(fx_->db, fx_->prompter);
    QStringList shown;
    dialog.setViewer([&shown](const QString& text) { shown << text; });
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("短信发送管理--目前共有记录数： 2"));
    QCOMPARE(dialog.button("delete")->text(), QStringLiteral("删除(&D)"));
    QCOMPARE(dialog.button("view")->text(), QStringLiteral("查看(&L)"));
    QCOMPARE(dialog.button("quit")->text(), QStringLiteral("退出(&C)"));

    QTest::mouseClick(dialog.button("view"), Qt::LeftButton);
    QCOMPARE(fx_->prompter.texts(), QStringList{"请在选择框中选中所要查看的资料!"});
    dialog.model()->setChecked(1, true);
    QTest::mouseClick(dialog.button("view"), Qt::LeftButton);
    QCOMPARE(shown, QStringList{"早上好"});
    dialog.viewRow(0);
    QCOMPARE(shown, (QStringList{"早上好", "次日"}));
    // A double click with no row selected says so; on a row it shows that row.
    QWidget* area = dialog.list()->viewport();
    fx_->prompter.clear();
    dialog.list()->clearSelection();
    QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(5, area->height() - 5));
    QCOMPARE(fx_->prompter.texts(), QStringList{"请选择所要查看的数据!"});
    const QRect second = dialog.list()->visualRect(dialog.model()->index(1, 2));
    QTest::mouseClick(area, Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(area, Qt::LeftButton, {}, second.center());
    QCOMPARE(shown, (QStringList{"早上好", "次日", "早上好"}));

    fx_->prompter.clear();
    fx_->prompter.answer(true);
    QTest::mouseClick(dialog.button("delete"), Qt::LeftButton);
    QCOMPARE(fx_->prompter.texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("短信发送管理--目前共有记录数： 1"));
    QCOMPARE(dialog.model()->text(0, 7), QStringLiteral("次日"));
    QCOMPARE(fx_->db.count("select count(*) from smssend"), 1);
}

void TestSmsDialogs::queueCommandFromTheContactList() {
    const qint64 zhang = addContact(QStringLiteral("张三"), QStringLiteral("13800138000"));
    addContact(QStringLiteral("李四"), QStringLiteral("13900139000"));
    CMainFrame frame(*fx_->app, fx_->session);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    CClientView2* view = frame.contactView();
    QVERIFY(view->load(sql::Statement("b.base_invalid_flag=1 "), 0, 1));
    for (int row = 0; row < view->model()->rowCount(); ++row)
        view->model()->setChecked(row, view->model()->key(row).toLongLong() == zhang);
    ModalDriver<CSmsComposeDlg> driver([](CSmsComposeDlg* dialog) {
        dialog->editor()->setPlainText(QStringLiteral("明天见"));
        dialog->accept();
    });
    QVERIFY(frame.runCommand(commands::SendSms));
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(fx_->prompter.texts(), QStringList{"提交成功!\r\n\r\n共提交 1 个短信息."});
    QCOMPARE(fx_->db.count(sql::format("select count(*) from smssend where smssend_base_code=%ld "
                                       "and smssend_content='明天见' and smssend_status=0",
                                       zhang)),
             1);
}

QTEST_MAIN(TestSmsDialogs)
#include "tst_smsdialogs.moc"
