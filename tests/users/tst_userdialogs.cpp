// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/Lookups.h"
#include "login/PasswordCodec.h"
#include "reference/CRefEditDlg.h"
#include "reference/EditableList.h"
#include "support/ModalScript.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "users/CDepEditDlg.h"
#include "users/CDepManageDlg.h"
#include "users/CUserEditDlg.h"
#include "users/CUserManageDlg.h"
#include "users/UserForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Fixture {
    Fixture() : db(&prompter) {
        db.open(home.databasePath());
        admin = Lookups(db).userCode("admin");
    }
    TestHome home;
    ScriptedPrompter prompter;
    Database db;
    qint64 admin = -1;
};

QStringList formCaptions(QWidget* dialog) {
    QStringList out;
    for (QFormLayout* form : dialog->findChildren<QFormLayout*>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            if (auto* item = form->itemAt(row, QFormLayout::LabelRole))
                out << qobject_cast<QLabel*>(item->widget())->text();
        }
    }
    return out;
}

int rowNamed(EditableList& list, const QString& name) {
    for (int row = 0; row < list.model().rowCount(); ++row) {
        if (list.model().text(row, 1) == name)
            return row;
    }
    return -1;
}

} // namespace

class TestUserDialogs : public QObject {
    Q_OBJECT

  private slots:
    void userFormFields();
    void departmentIsOnlyPickedFromItsList();
    void administratorsNameCannotBeEdited();
    void addUserThroughTheWindow();
    void departmentWindowAndForm();
};

void TestUserDialogs::userFormFields() {
    Fixture f;
    UserForm form(f.db, f.prompter, UserForm::Mode::Add);
    CUserEditDlg dialog(form, {});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("用户增加"));
    QCOMPARE(formCaptions(&dialog),
             (QStringList{"用户名:", "重置密码:", "再次输入密码:", "所属部门:"}));
    QCOMPARE(dialog.nameEdit()->maxLength(), 12);
    QCOMPARE(dialog.passwordEdit()->maxLength(), 12);
    QCOMPARE(dialog.againEdit()->maxLength(), 20);
    QCOMPARE(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    QCOMPARE(dialog.againEdit()->echoMode(), QLineEdit::Password);
    QCOMPARE(dialog.managerBox()->text(), QStringLiteral("经理"));
    QCOMPARE(dialog.departmentList()->currentIndex(), -1);
    QCOMPARE(dialog.departmentList()->count(), 5);
    bool noteShown = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        noteShown = noteShown ||
                    label->text() == "用户名及密码长度不超过12位;如果不设置密码,则密码使用470316";
    QVERIFY(noteShown);
    QCOMPARE(dialog.findChild<QPushButton*>("ok")->text(), QStringLiteral("确定(&O)"));
    QCOMPARE(dialog.findChild<QPushButton*>("cancel")->text(), QStringLiteral("取消(&C)"));

    // No department chosen: refused, the list gets the focus.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.nameEdit()->setText("新用户");
    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(f.prompter.texts(), QStringList{"请选择所属部门!"});
    QVERIFY(dialog.departmentList()->hasFocus());
    QVERIFY(dialog.isVisible());
}

void TestUserDialogs::departmentIsOnlyPickedFromItsList() {
    Fixture f;
    UserForm form(f.db, f.prompter, UserForm::Mode::Add);
    CUserEditDlg dialog(form, {"某人", "市场部", false});
    QComboBox* list = dialog.departmentList();
    QCOMPARE(list->currentText(), QStringLiteral("市场部"));
    QVERIFY(!list->isEditable());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown,
                        Qt::Key_X, Qt::Key_Delete})
        QTest::keyClick(list, key);
    QCOMPARE(list->currentText(), QStringLiteral("市场部"));
    QCOMPARE(list->contextMenuPolicy(), Qt::PreventContextMenu);
}

void TestUserDialogs::administratorsNameCannotBeEdited() {
    Fixture f;
    UserForm form(f.db, f.prompter, UserForm::Mode::Modify, QString::number(f.admin),
                  "总经理办公室");
    CUserEditDlg dialog(form, {"admin", "总经理办公室", true});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("用户修改"));
    QVERIFY(!dialog.nameEdit()->isEnabled());
    QVERIFY(dialog.managerBox()->isChecked());
    QCOMPARE(dialog.departmentList()->currentText(), QStringLiteral("总经理办公室"));
    const QString before = *password::encode("admin888");
    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(f.prompter.texts(), QStringList{"请选用其它用户名!"});
    QCOMPARE(f.db.count("select count(*) from userlogin where user_name='admin' and "
                        "user_pwd='d5257d73bd30dd12ae2cce4d02bfb8ca'"),
             1);
    QCOMPARE(before, QStringLiteral("d5257d73bd30dd12ae2cce4d02bfb8ca"));
}

void TestUserDialogs::addUserThroughTheWindow() {
    Fixture f;
    CUserManageDlg dialog(f.db, f.prompter, f.admin);
    QCOMPARE(dialog.objectName(), QStringLiteral("CUserManageDlg"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("用户管理--目前共有记录数： 0"));
    f.prompter.answer(false);
    whenModal<CUserEditDlg>([](CUserEditDlg* form) {
        QTest::keyClicks(form->nameEdit(), "zhang'san");
        form->departmentList()->setCurrentIndex(form->departmentList()->findText("销售部"));
        form->managerBox()->setChecked(true);
        form->findChild<QPushButton*>("ok")->click();
    });
    dialog.addButton()->click();
    QCOMPARE(f.prompter.texts(), QStringList{"继续增加吗?"});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("用户管理--目前共有记录数： 1"));
    QCOMPARE(dialog.list().model().text(0, 1), QStringLiteral("zhang'san"));
    QCOMPARE(dialog.list().model().text(0, 2), QStringLiteral("销售部"));
    QCOMPARE(dialog.list().model().text(0, 3), QStringLiteral("经理"));
    QCOMPARE(f.db.count(sql::format("select count(*) from userlogin where user_name='%s' and "
                                    "user_pwd='%s'",
                                    "zhang'san", *password::encode("470316"))),
             1);
    QVERIFY(dialog.changed());

    // Modify starts from the row: department and manager mark, empty passwords.
    dialog.list().model().setChecked(0, true);
    QStringList seen;
    whenModal<CUserEditDlg>([&seen](CUserEditDlg* form) {
        seen << form->windowTitle() << form->nameEdit()->text()
             << form->departmentList()->currentText()
             << (form->managerBox()->isChecked() ? "经理" : "") << form->passwordEdit()->text();
        form->reject();
    });
    dialog.modifyButton()->click();
    QCOMPARE(seen, (QStringList{"用户修改", "zhang'san", "销售部", "经理", ""}));
}

void TestUserDialogs::departmentWindowAndForm() {
    Fixture f;
    CDepManageDlg dialog(f.db, f.prompter);
    QCOMPARE(dialog.objectName(), QStringLiteral("CDepManageDlg"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("部门管理--目前共有记录数： 5"));
    f.prompter.answer(false);
    QString title;
    QString formClass;
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        title = form->windowTitle();
        formClass = form->objectName();
        form->nameEdit()->setText("研发部");
        form->findChild<QPushButton*>("ok")->click();
    });
    dialog.addButton()->click();
    QCOMPARE(title, QStringLiteral("部门增加"));
    QCOMPARE(formClass, QStringLiteral("CDepEditDlg"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("部门管理--目前共有记录数： 6"));
    const int row = rowNamed(dialog.list(), "研发部");
    QVERIFY(row >= 0);
    QCOMPARE(dialog.list().model().text(row, 0),
             QString::number(Lookups(f.db).departmentCode("研发部")));

    dialog.list().model().setChecked(row, true);
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        title = form->windowTitle();
        form->reject();
    });
    dialog.modifyButton()->click();
    QCOMPARE(title, QStringLiteral("部门修改"));
}

QTEST_MAIN(TestUserDialogs)
#include "tst_userdialogs.moc"
