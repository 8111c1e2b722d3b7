#include "app/PacedExit.h"

#include "app/AutoResetEvent.h"
#include "base/Prompter.h"

bool PacedExit::confirm() {
    return prompter_.confirm(QStringLiteral("确定要退出吗(?)"));
}

void PacedExit::run(int stepMs) {
    stop_.set();
    auto progress = prompter_.beginProgress();
    progress->setRange(0, kSteps - 1);
    for (int step = 0; step < kSteps; ++step) {
        done_.wait(stepMs);
        progress->setPosition(step);
    }
}
