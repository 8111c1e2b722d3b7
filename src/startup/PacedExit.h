// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>

class AutoResetEvent;
class Prompter;

// The confirmed way out: ask, then tell the tree builder to stop and give it six
// short waits while the progress window counts to the end. The exit never waits
// longer than six steps, whether or not the builder answers, and the closing
// work (the builder's end, the database's last tidying) runs inside those
// steps: what it takes is taken off the waits after it.
class PacedExit {
  public:
    static constexpr int kMenuStepMs = 500;  // the exit command
    static constexpr int kCloseStepMs = 400; // the window's close box
    static constexpr int kSteps = 6;

    // How the steps pass: milliseconds since any fixed point, and a wait for
    // the builder's answer of at most that long. Tests pass a counted pair.
    struct Pace {
        std::function<qint64()> now;
        std::function<void(int milliseconds)> wait;
    };

    PacedExit(Prompter& prompter, AutoResetEvent& stop, AutoResetEvent& done)
        : prompter_(prompter), stop_(stop), done_(done) {}

    // "确定要退出吗(?)": false when the user answered No; nothing has changed then.
    bool confirm();
    // Tells the builder to stop and gives it the six waits with the progress
    // window; closing runs after the first wait, in the time of the others.
    void run(int stepMs, const std::function<void()>& closing = {});
    void run(int stepMs, const std::function<void()>& closing, const Pace& pace);

  private:
    Prompter& prompter_;
    AutoResetEvent& stop_;
    AutoResetEvent& done_;
};
