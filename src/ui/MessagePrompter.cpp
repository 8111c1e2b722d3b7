// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessagePrompter.h"

#include "ui/CProgressDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class DialogProgress : public ProgressHandle {
  public:
    explicit DialogProgress(QWidget* parent) : dialog_(new CProgressDlg(parent)) {
        dialog_->setAttribute(Qt::WA_DeleteOnClose);
        dialog_->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::processEvents();
    }
    ~DialogProgress() override {
        QApplication::restoreOverrideCursor();
        if (dialog_)
            dialog_->close();
    }
    void setRange(int lower, int upper) override {
        if (dialog_)
            dialog_->setRange(lower, upper);
    }
    void setPosition(int position) override {
        if (!dialog_)
            return;
        dialog_->setPosition(position);
        // Let the window paint while the caller keeps the thread busy.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

  private:
    QPointer<CProgressDlg> dialog_;
};

} // namespace

QString MessagePrompter::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

void MessagePrompter::notice(const QString& caption, const QString& text, PromptIcon icon) {
    QMessageBox box(boxIcon(icon), caption, displayText(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool MessagePrompter::ask(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::unique_ptr<ProgressHandle> MessagePrompter::beginProgress() {
    return std::make_unique<DialogProgress>(parent_);
}
