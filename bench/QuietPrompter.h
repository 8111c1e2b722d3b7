// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompter.h"

#include <QStringList>
#include <memory>

// The progress window of a run nobody watches: the operations set it as they
// go, so it must be there.
class QuietProgress : public ProgressHandle {
  public:
    void setRange(int, int) override {}
    void setPosition(int) override {}
};

// For the programs that measure or break the program: no windows, every
// question answered yes, the warnings and errors kept for the end.
class QuietPrompter : public Prompter {
  public:
    QStringList failures;
    void notice(const QString& caption, const QString& text, PromptIcon icon) override {
        if (icon == PromptIcon::Critical || icon == PromptIcon::Warning || caption == kErrorCaption)
            failures << text;
    }
    bool ask(const QString&, const QString&) override { return true; }
    std::unique_ptr<ProgressHandle> beginProgress() override {
        return std::make_unique<QuietProgress>();
    }
};
