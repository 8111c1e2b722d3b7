// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompter.h"

#include <QTextStream>

// The messages of a command-line run go to stderr; questions are answered No
// and no progress window is shown.
class StderrPrompter : public Prompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon) override {
        QTextStream(stderr) << caption << ": " << text << "\n";
    }
    bool ask(const QString&, const QString&) override { return false; }
    std::unique_ptr<ProgressHandle> beginProgress() override { return nullptr; }
};
