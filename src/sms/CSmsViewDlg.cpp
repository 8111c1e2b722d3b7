// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/CSmsViewDlg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSmsViewDlg::CSmsViewDlg(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CSmsViewDlg"));
    setWindowTitle(QStringLiteral("短信内容"));
    viewer_ = new QPlainTextEdit(text, this);
    viewer_->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(viewer_);
    layout->addWidget(buttons);
    resize(380, 240);
}
