// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

// Every message the program shows to its user goes through a Prompter, so the core
// never opens a window and tests can read and answer every message.
enum class PromptIcon { None, Information, Question, Warning, Critical };

// A running progress display (the "正在处理，请稍候" window).
class ProgressHandle {
  public:
    virtual ~ProgressHandle() = default;
    virtual void setRange(int lower, int upper) = 0;
    virtual void setPosition(int position) = 0;
};

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A message with an OK button.
    virtual void notice(const QString& caption, const QString& text, PromptIcon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const QString& caption, const QString& text) = 0;
    // Shows the progress window until the handle is destroyed.
    virtual std::unique_ptr<ProgressHandle> beginProgress() = 0;

    static inline const QString kNoticeCaption = QStringLiteral("提示");
    static inline const QString kConfirmCaption = QStringLiteral("确认");
    static inline const QString kErrorCaption = QStringLiteral("错误");

    void inform(const QString& text) { notice(kNoticeCaption, text, PromptIcon::Information); }
    bool confirm(const QString& text) { return ask(kConfirmCaption, text); }
    void fail(const QString& text) { notice(kErrorCaption, text, PromptIcon::Critical); }
};
