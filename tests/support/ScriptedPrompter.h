// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>

// Records every message and answers every question from a script, so tests
// check exact texts, captions, icons and their order.
class ScriptedPrompter : public Prompter {
  public:
    struct Message {
        enum class Kind { Notice, Question };
        Kind kind;
        QString caption;
        QString text;
        PromptIcon icon;
        // A progress window was still up when the message came: it would stand
        // behind the message box.
        bool overProgress = false;
    };

    void notice(const QString& caption, const QString& text, PromptIcon icon) override;
    bool ask(const QString& caption, const QString& text) override;
    std::unique_ptr<ProgressHandle> beginProgress() override;

    // Answers for the next questions, in order; afterwards defaultAnswer.
    void answer(bool yes) { answers_.enqueue(yes); }
    bool defaultAnswer = true;

    QList<Message> messages;
    struct ProgressRun {
        int lower = 0;
        int upper = 0;
        QList<int> positions;
        bool finished = false;
    };
    QList<std::shared_ptr<ProgressRun>> progressRuns;

    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear() {
        messages.clear();
        progressRuns.clear();
    }

  private:
    bool progressRunning() const;

    QQueue<bool> answers_;
};
