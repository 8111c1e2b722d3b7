// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompter.h"

class QObject;

// Lets a worker thread report through the user-interface thread's Prompter:
// each message is queued to the thread of the receiver object and shown there,
// in the order sent. Nothing on the worker waits for the person.
class QueuedPrompter : public Prompter {
  public:
    QueuedPrompter(Prompter& target, QObject* receiver) : target_(target), receiver_(receiver) {}

    void notice(const QString& caption, const QString& text, PromptIcon icon) override;
    // A worker cannot wait for a person: no question is shown, the answer is No.
    bool ask(const QString& caption, const QString& text) override;
    // A worker shows no progress window.
    std::unique_ptr<ProgressHandle> beginProgress() override;

  private:
    Prompter& target_;
    QObject* receiver_;
};
