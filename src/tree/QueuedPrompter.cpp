// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/QueuedPrompter.h"

#include <QMetaObject>
#include <QObject>

namespace {

class SilentProgress : public ProgressHandle {
  public:
    void setRange(int, int) override {}
    void setPosition(int) override {}
};

} // namespace

void QueuedPrompter::notice(const QString& caption, const QString& text, PromptIcon icon) {
    Prompter* target = &target_;
    QMetaObject::invokeMethod(
        receiver_, [target, caption, text, icon] { target->notice(caption, text, icon); },
        Qt::QueuedConnection);
}

bool QueuedPrompter::ask(const QString&, const QString&) {
    return false;
}

std::unique_ptr<ProgressHandle> QueuedPrompter::beginProgress() {
    return std::make_unique<SilentProgress>();
}
