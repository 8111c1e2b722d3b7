// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"
#include "db/Database.h"
#include "login/CLoginDlg.h"
#include "login/CPasswordDlg.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestLoginDlg : public QObject {
    Q_OBJECT

  private slots:
    void opensWithRememberedLogin();
    void wrongThenRightPassword();
    void escapeCancels();
    void damagedSettingsFile_data();
    void damagedSettingsFile();
    void passwordDialogFocusesTheFaultyField();
};

void TestLoginDlg::opensWithRememberedLogin() {
    TestHome home;
    Settings settings(home.settingsPath());
    settings.ensureExists();
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    LoginCheck check(db, settings, prompter);

    CLoginDlg first(check);
    QCOMPARE(first.windowTitle(), QStringLiteral("Halvora人脉 V3.0"));
    QVERIFY(first.userEdit()->text().isEmpty());
    QVERIFY(!first.rememberBox()->isChecked());
    QCOMPARE(first.userEdit()->maxLength(), 20);
    QCOMPARE(first.passwordEdit()->maxLength(), 20);
    QCOMPARE(first.passwordEdit()->echoMode(), QLineEdit::Password);

    QVERIFY(check.submit("admin", "admin888", true).accepted);
    CLoginDlg second(check);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCOMPARE(second.userEdit()->text(), QStringLiteral("admin"));
    QCOMPARE(second.passwordEdit()->text(), QStringLiteral("admin888"));
    QVERIFY(second.rememberBox()->isChecked());
    QCOMPARE(QApplication::focusWidget(), second.userEdit());
}

void TestLoginDlg::wrongThenRightPassword() {
    TestHome home;
    Settings settings(home.settingsPath());
    settings.ensureExists();
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    LoginCheck check(db, settings, prompter);
    CLoginDlg dialog(check);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.userEdit(), "admin");
    QTest::keyClicks(dialog.passwordEdit(), "wrong");
    QTest::keyClick(dialog.passwordEdit(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(prompter.lastText(), QStringLiteral("用户名或者密码输入有误!"));
    QCOMPARE(QApplication::focusWidget(), dialog.userEdit());

    dialog.passwordEdit()->clear();
    QTest::keyClicks(dialog.passwordEdit(), "admin888");
    QTest::keyClick(dialog.passwordEdit(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.userName(), QStringLiteral("admin"));
}

void TestLoginDlg::escapeCancels() {
    TestHome home;
    Settings settings(home.settingsPath());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    LoginCheck check(db, settings, prompter);
    CLoginDlg dialog(check);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(prompter.messages.isEmpty());
}

void TestLoginDlg::damagedSettingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");

    const QByteArray mb(1 << 20, 'x');
    QTest::newRow("no [Settings] section") << QByteArray("UserName=admin\nPassword=x\n") << ""
                                           << "";
    QTest::newRow("one megabyte values")
        << QByteArray("[Settings]\nUserName=" + mb + "\nPassword=" + mb + "\n")
        << QString(20, QChar(u'x')) << QString(20, QChar(u'x'));
    QTest::newRow("NULs and bytes that are not UTF-8")
        << QByteArray("[Settings]\nUserName=ad\xffmin\nPassword=\x00\x01\x02\n", 40)
        << "ad\ufffdmin"
        << "";
    QTest::newRow("32 Chinese characters as password")
        << QByteArray("[Settings]\nUserName=admin\nPassword=" + QString(32, QChar(u'密')).toUtf8() +
                      "\n")
        << "admin" << QString(20, QChar(u'密'));
    QTest::newRow("duplicated keys")
        << QByteArray("[Settings]\nUserName=admin\nPassword=d5257d73bd30dd12ae2cce4d02bfb8ca\n"
                      "UserName=other\nPassword=zz\n")
        << "admin"
        << "admin888";
}

// Whatever a hand edit or damage left in mavor.ini, the dialog opens with what
// can be read of it, cut to the edits' 20 characters, and a login puts the file
// right again.
void TestLoginDlg::damagedSettingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, user);
    QFETCH(QString, password);
    TestHome home;
    {
        QFile ini(home.settingsPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(content);
    }
    Settings settings(home.settingsPath());
    QVERIFY(settings.ensureExists());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    LoginCheck check(db, settings, prompter);

    CLoginDlg dialog(check);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.userEdit()->text(), user);
    QCOMPARE(dialog.passwordEdit()->text(), password);
    QCOMPARE(dialog.rememberBox()->isChecked(), !user.isEmpty());

    dialog.userEdit()->setText("admin");
    dialog.passwordEdit()->setText("admin888");
    dialog.rememberBox()->setChecked(true);
    QTest::keyClick(dialog.passwordEdit(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    CLoginDlg next(check);
    QCOMPARE(next.userEdit()->text(), QStringLiteral("admin"));
    QCOMPARE(next.passwordEdit()->text(), QStringLiteral("admin888"));
}

void TestLoginDlg::passwordDialogFocusesTheFaultyField() {
    TestHome home;
    Settings settings(home.settingsPath());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    PasswordChange change(db, settings, prompter, 1);
    CPasswordDlg dialog(change);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("设置密码"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.oldEdit(), "nope");
    QTest::keyClick(dialog.oldEdit(), Qt::Key_Return);
    QCOMPARE(prompter.lastText(), QStringLiteral("原密码输入错误!"));
    QCOMPARE(QApplication::focusWidget(), dialog.oldEdit());
    QCOMPARE(dialog.oldEdit()->selectedText(), QStringLiteral("nope"));

    dialog.oldEdit()->setText("admin888");
    dialog.newEdit()->setText("abc");
    dialog.againEdit()->setText("abd");
    QTest::keyClick(dialog.againEdit(), Qt::Key_Return);
    QCOMPARE(prompter.lastText(), QStringLiteral("新密码输入不一致!"));
    QCOMPARE(QApplication::focusWidget(), dialog.newEdit());
    QVERIFY(dialog.isVisible());

    dialog.againEdit()->setText("abc");
    QTest::keyClick(dialog.againEdit(), Qt::Key_Return);
    QCOMPARE(prompter.lastText(), QStringLiteral("密码修改成功!"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestLoginDlg)
#include "tst_logindlg.moc"
