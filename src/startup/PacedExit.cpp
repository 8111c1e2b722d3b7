// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/PacedExit.h"

#include "base/AutoResetEvent.h"
#include "base/Prompter.h"

#include <QElapsedTimer>

bool PacedExit::confirm() {
    return prompter_.confirm(QStringLiteral("确定要退出吗(?)"));
}

void PacedExit::run(int stepMs, const std::function<void()>& closing) {
    QElapsedTimer timer;
    timer.start();
    run(stepMs, closing,
        Pace{[&timer] { return timer.elapsed(); },
             [this](int milliseconds) { done_.wait(milliseconds); }});
}

void PacedExit::run(int stepMs, const std::function<void()>& closing, const Pace& pace) {
    stop_.set();
    auto progress = prompter_.beginProgress();
    progress->setRange(0, kSteps - 1);
    // The first wait ends early when the builder answers; each later step
    // ends a fixed time after it, however long the closing work took.
    pace.wait(stepMs);
    progress->setPosition(0);
    const qint64 firstEnd = pace.now();
    if (closing)
        closing();
    for (int step = 1; step < kSteps; ++step) {
        const qint64 left = firstEnd + qint64(step) * stepMs - pace.now();
        if (left > 0)
            pace.wait(int(left));
        progress->setPosition(step);
    }
}
