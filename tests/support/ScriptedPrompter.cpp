// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedPrompter.h"

namespace {

class RecordingProgress : public ProgressHandle {
  public:
    explicit RecordingProgress(std::shared_ptr<ScriptedPrompter::ProgressRun> run)
        : run_(std::move(run)) {}
    ~RecordingProgress() override { run_->finished = true; }
    void setRange(int lower, int upper) override {
        run_->lower = lower;
        run_->upper = upper;
    }
    void setPosition(int position) override { run_->positions.append(position); }

  private:
    std::shared_ptr<ScriptedPrompter::ProgressRun> run_;
};

} // namespace

void ScriptedPrompter::notice(const QString& caption, const QString& text, PromptIcon icon) {
    messages.append({Message::Kind::Notice, caption, text, icon, progressRunning()});
}

bool ScriptedPrompter::ask(const QString& caption, const QString& text) {
    messages.append(
        {Message::Kind::Question, caption, text, PromptIcon::Question, progressRunning()});
    return answers_.isEmpty() ? defaultAnswer : answers_.dequeue();
}

bool ScriptedPrompter::progressRunning() const {
    for (const auto& run : progressRuns) {
        if (!run->finished)
            return true;
    }
    return false;
}

std::unique_ptr<ProgressHandle> ScriptedPrompter::beginProgress() {
    progressRuns.append(std::make_shared<ProgressRun>());
    return std::make_unique<RecordingProgress>(progressRuns.last());
}

QStringList ScriptedPrompter::texts() const {
    QStringList result;
    for (const auto& m : messages)
        result << m.text;
    return result;
}
