// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompter.h"

class QWidget;

// The Prompter of the running program: message boxes and the progress window.
class MessagePrompter : public Prompter {
  public:
    explicit MessagePrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void notice(const QString& caption, const QString& text, PromptIcon icon) override;
    bool ask(const QString& caption, const QString& text) override;
    std::unique_ptr<ProgressHandle> beginProgress() override;

    // Texts are written with "\r\n" between lines; a message box wants "\n".
    static QString displayText(const QString& text);

  private:
    QWidget* parent_;
};
