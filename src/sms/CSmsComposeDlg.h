// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

class Prompter;
class QLabel;
class QPlainTextEdit;

// "发送短信": the text of the message with its live character count; 确定 keeps
// the text when it is not empty and not over the byte limit.
class CSmsComposeDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CSmsComposeDlg(Prompter& prompter, QWidget* parent = nullptr);

    QString content() const { return content_; }
    QPlainTextEdit* editor() const { return editor_; }
    QLabel* counter() const { return counter_; }
    void accept() override;

    // Opens the form; the text, or nothing when it was cancelled.
    static std::optional<QString> compose(Prompter& prompter, QWidget* parent);

  private:
    void onTextChanged();

    Prompter& prompter_;
    QPlainTextEdit* editor_;
    QLabel* counter_;
    QString content_;
};
