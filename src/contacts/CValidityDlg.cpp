// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CValidityDlg.h"

#include "base/Prompter.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CValidityDlg::CValidityDlg(Settings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), period_(settings), prompter_(prompter), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("CValidityDlg"));
    setWindowTitle(QStringLiteral("往来有效期设置"));
    edit_->setObjectName(QStringLiteral("days"));
    edit_->setMaxLength(ValidityPeriod::kMaxChars);
    edit_->setFixedWidth(60);

    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("往来有效期"), this));
    period->addWidget(edit_);
    period->addWidget(new QLabel(QStringLiteral("天"), this));
    period->addStretch();

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* note =
        new QLabel(QStringLiteral("如果超过有效期仍然没有往来记录,在使用\"资料清洗\"的功能时,"
                                  "系统会自动将符合条件的记录移到垃圾箱中."),
                   this);
    note->setWordWrap(true);
    note->setMinimumWidth(300);

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addWidget(rule);
    layout->addWidget(note);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CValidityDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    edit_->setText(period_.shown());
    edit_->setFocus();
    edit_->selectAll();
}

void CValidityDlg::onOk() {
    switch (period_.save(edit_->text())) {
    case ValidityPeriod::Verdict::Saved:
        accept();
        return;
    case ValidityPeriod::Verdict::Empty:
        prompter_.inform(ValidityPeriod::kEmpty);
        edit_->setFocus();
        return;
    case ValidityPeriod::Verdict::NotDigits:
        prompter_.inform(ValidityPeriod::kNotDigits);
        edit_->setFocus();
        edit_->selectAll();
        return;
    case ValidityPeriod::Verdict::NotSaved:
        prompter_.fail(period_.notSavedMessage());
        edit_->setFocus();
        return;
    }
}
