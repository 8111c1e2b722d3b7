// SPDX-License-Identifier: GPL-3.0-or-later
#include "phones/CPhoneAddDlg.h"

#include "phones/CPhonePage.h"
#include "phones/PhoneDirectory.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPhoneAddDlg::CPhoneAddDlg(PhoneDirectory& directory, qint64 userCode, QWidget* parent)
    : QDialog(parent), directory_(directory), userCode_(userCode) {
    setObjectName(QStringLiteral("CPhoneAddDlg"));
    setWindowTitle(QStringLiteral("常用电话管理 - 增加"));
    auto* tabs = new QTabWidget(this);
    page_ = new CPhonePage(tabs);
    page_->setLists(directory_.categoryNames(), directory_.dutyNames());
    tabs->addTab(page_, QStringLiteral("基本信息"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPhoneAddDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(560, 330);
    page_->titleEdit()->setFocus();
}

void CPhoneAddDlg::accept() {
    const PhoneDirectory::Outcome outcome = directory_.add(page_->entry(), userCode_);
    if (outcome != PhoneDirectory::Outcome::Saved) {
        page_->focusField(outcome);
        return;
    }
    page_->clear();
    QDialog::accept();
}

int CPhoneAddDlg::run(PhoneDirectory& directory, Prompter& prompter, qint64 userCode,
                      QWidget* parent) {
    return PhoneDirectory::addLoop(prompter, [&] {
        CPhoneAddDlg dialog(directory, userCode, parent);
        return dialog.exec() == QDialog::Accepted;
    });
}
