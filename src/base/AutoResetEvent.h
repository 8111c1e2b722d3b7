// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <mutex>

// An event that wakes one waiter and then resets itself.
class AutoResetEvent {
  public:
    void set() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        condition_.notify_one();
    }

    void reset() {
        std::lock_guard lock(mutex_);
        signalled_ = false;
    }

    // True when the event was signalled within the time; the event is then reset.
    bool wait(int milliseconds) {
        std::unique_lock lock(mutex_);
        const bool got = condition_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                             [this] { return signalled_; });
        if (got)
            signalled_ = false;
        return got;
    }

  private:
    std::mutex mutex_;
    std::condition_variable condition_;
    bool signalled_ = false;
};
