// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/CUserEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CUserEditDlg::CUserEditDlg(UserForm& form, const Start& start, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("CUserEditDlg"));
    setWindowTitle(form.title());

    auto edit = [this](int length, bool masked, const char* name) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(length);
        e->setObjectName(QString::fromLatin1(name));
        if (masked)
            e->setEchoMode(QLineEdit::Password);
        return e;
    };
    name_ = edit(UserForm::kNameEditLength, false, "name");
    name_->setText(start.name);
    name_->setEnabled(!form.nameLocked(start.name));
    password_ = edit(UserForm::kPasswordEditLength, true, "password");
    again_ = edit(UserForm::kAgainEditLength, true, "again");
    department_ = new QComboBox(this);
    department_->setObjectName(QStringLiteral("department"));
    department_->addItems(form.departments());
    department_->setCurrentIndex(department_->findText(start.department));
    department_->setContextMenuPolicy(Qt::PreventContextMenu);
    department_->installEventFilter(this);
    manager_ = new QCheckBox(QStringLiteral("经理"), this);
    manager_->setObjectName(QStringLiteral("manager"));
    manager_->setChecked(start.manager);

    auto* rows = new QFormLayout;
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->addRow(QStringLiteral("用户名:"), name_);
    rows->addRow(QStringLiteral("重置密码:"), password_);
    rows->addRow(QStringLiteral("再次输入密码:"), again_);
    auto* departmentLine = new QHBoxLayout;
    departmentLine->addWidget(department_, 1);
    departmentLine->addWidget(manager_);
    rows->addRow(QStringLiteral("所属部门:"), departmentLine);

    auto* note = new QLabel(kNote, this);

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(note);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &CUserEditDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QWidget* first = name_->isEnabled() ? static_cast<QWidget*>(name_) : password_;
    first->setFocus();
    name_->selectAll();
}

bool CUserEditDlg::eventFilter(QObject* watched, QEvent* event) {
    // The department is only picked from the opened list: keys that would step
    // through the entries and right clicks do nothing; the keys that open the
    // list, leave the field or close the form still work.
    if (watched == department_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Escape:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_F4:
            case Qt::Key_Space:
                return false;
            case Qt::Key_Down:
            case Qt::Key_Up:
                return !(key->modifiers() & Qt::AltModifier);
            default:
                return true;
            }
        }
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CUserEditDlg::onOk() {
    UserForm::Values values;
    values.name = name_->text();
    values.password = password_->text();
    values.again = again_->text();
    values.department = department_->currentIndex() >= 0 ? department_->currentText() : QString();
    values.manager = manager_->isChecked();
    const UserForm::Outcome outcome = form_.submit(values);
    if (outcome.saved) {
        accept();
        return;
    }
    QWidget* focus = nullptr;
    switch (outcome.focus) {
    case UserForm::Field::Name:
        focus = name_;
        break;
    case UserForm::Field::Password:
        focus = password_;
        break;
    case UserForm::Field::Department:
        focus = department_;
        break;
    case UserForm::Field::None:
        break;
    }
    if (!focus)
        return;
    focus->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(focus); edit && outcome.selectAll)
        edit->selectAll();
}
