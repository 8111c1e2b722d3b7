// SPDX-License-Identifier: GPL-3.0-or-later
#include "login/CPasswordDlg.h"

#include "login/CLoginDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPasswordDlg::CPasswordDlg(PasswordChange& change, QWidget* parent)
    : QDialog(parent), change_(change) {
    setObjectName(QStringLiteral("CPasswordDlg"));
    setWindowTitle(QStringLiteral("设置密码"));

    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(CLoginDlg::kMaxChars);
        edit->setMinimumWidth(200);
        return edit;
    };
    old_ = makeEdit("oldPassword");
    new_ = makeEdit("newPassword");
    again_ = makeEdit("againPassword");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("原 密 码:"), old_);
    form->addRow(QStringLiteral("新 密 码:"), new_);
    form->addRow(QStringLiteral("再次输入:"), again_);

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CPasswordDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    old_->setFocus();
}

void CPasswordDlg::onOk() {
    const PasswordChange::Outcome outcome =
        change_.submit(old_->text(), new_->text(), again_->text());
    if (outcome.close) {
        accept();
        return;
    }
    QLineEdit* focus = outcome.focus == PasswordChange::Field::Old   ? old_
                       : outcome.focus == PasswordChange::Field::New ? new_
                                                                     : nullptr;
    if (focus) {
        focus->setFocus();
        focus->selectAll();
    }
}
