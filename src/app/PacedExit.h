#pragma once

class AutoResetEvent;
class Prompter;

// The confirmed way out: ask, then tell the tree builder to stop and give it six
// short waits while the progress window counts to the end. The exit never waits
// longer than six steps, whether or not the builder answers.
class PacedExit {
  public:
    static constexpr int kMenuStepMs = 500;  // the exit command
    static constexpr int kCloseStepMs = 400; // the window's close box
    static constexpr int kSteps = 6;

    PacedExit(Prompter& prompter, AutoResetEvent& stop, AutoResetEvent& done)
        : prompter_(prompter), stop_(stop), done_(done) {}

    // "确定要退出吗(?)": false when the user answered No; nothing has changed then.
    bool confirm();
    // Tells the builder to stop and gives it the six waits with the progress window.
    void run(int stepMs);

  private:
    Prompter& prompter_;
    AutoResetEvent& stop_;
    AutoResetEvent& done_;
};
