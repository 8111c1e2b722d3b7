#pragma once

class AutoResetEvent;
class Prompter;

// The confirmed way out: ask, tell the tree builder to stop, then give it six
// short waits while the progress window counts to the end. The exit never waits
// longer than six steps, whether or not the builder answers.
class PacedExit {
  public:
    static constexpr int kMenuStepMs = 500;  // the exit command
    static constexpr int kCloseStepMs = 400; // the window's close box
    static constexpr int kSteps = 6;

    PacedExit(Prompter& prompter, AutoResetEvent& stop, AutoResetEvent& done)
        : prompter_(prompter), stop_(stop), done_(done) {}

    // False when the user answered No; nothing has changed then.
    bool run(int stepMs);

  private:
    Prompter& prompter_;
    AutoResetEvent& stop_;
    AutoResetEvent& done_;
};
