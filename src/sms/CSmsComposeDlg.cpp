// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/CSmsComposeDlg.h"

#include "base/Prompter.h"
#include "db/TextFormat.h"
#include "sms/SmsText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CSmsComposeDlg::CSmsComposeDlg(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("CSmsComposeDlg"));
    setWindowTitle(QStringLiteral("发送短信"));
    auto* caption = new QLabel(QStringLiteral("短信内容:"), this);
    editor_ = new QPlainTextEdit(this);
    editor_->setObjectName(QStringLiteral("content"));
    editor_->setTabChangesFocus(true);
    caption->setBuddy(editor_);
    auto* note =
        new QLabel(QStringLiteral("短信内容不超过1000个字符,每70个字作为一条短信发送."), this);
    note->setWordWrap(true);
    counter_ = new QLabel(this);
    counter_->setObjectName(QStringLiteral("counter"));
    connect(editor_, &QPlainTextEdit::textChanged, this, &CSmsComposeDlg::onTextChanged);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setAutoDefault(false);
    buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSmsComposeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(editor_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(note, 1);
    row->addWidget(counter_);
    layout->addLayout(row);
    layout->addWidget(buttons);
    resize(460, 300);
    onTextChanged();
    editor_->setFocus();
}

void CSmsComposeDlg::onTextChanged() {
    const QString text = editor_->toPlainText();
    const QString kept = smstext::limited(text);
    if (kept != text) {
        // What is typed or pasted beyond the field's limit is cut.
        const QSignalBlocker blocker(editor_);
        editor_->setPlainText(kept);
        editor_->moveCursor(QTextCursor::End);
    }
    counter_->setText(text::format(QStringLiteral("字数: %d"), smstext::characterCount(kept)));
}

void CSmsComposeDlg::accept() {
    const QString text = editor_->toPlainText();
    const QString refusal = smstext::refusal(text);
    if (!refusal.isEmpty()) {
        prompter_.inform(refusal);
        editor_->setFocus();
        return;
    }
    content_ = text;
    QDialog::accept();
}

std::optional<QString> CSmsComposeDlg::compose(Prompter& prompter, QWidget* parent) {
    CSmsComposeDlg dialog(prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.content();
}
