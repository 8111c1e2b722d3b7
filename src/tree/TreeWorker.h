// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/ServerAddress.h"

#include <QString>
#include <atomic>
#include <functional>
#include <thread>

class AutoResetEvent;
class Database;
class Prompter;
class ReminderNodes;
class TreeSink;

// The one worker thread of the program: it opens its own connection to the
// database file (a connection belongs to the thread that made it) and runs the
// tree builder on it. Builds never overlap.
class TreeWorker {
  public:
    struct Job {
        QString databasePath;
        TreeSink* sink = nullptr;
        // Must be safe to call from the worker thread (see QueuedPrompter).
        Prompter* prompter = nullptr;
        ReminderNodes* reminders = nullptr;
        AutoResetEvent* stop = nullptr;
        AutoResetEvent* done = nullptr;
        qint64 userCode = -1;
        bool departments = false;
        // Called on the worker thread once the build is over and another may start.
        std::function<void()> finished;
        // The server, password included, when the database is on one.
        ServerAddress server;
    };

    TreeWorker() = default;
    ~TreeWorker();
    TreeWorker(const TreeWorker&) = delete;
    TreeWorker& operator=(const TreeWorker&) = delete;

    // False (and nothing started) while a build is still running.
    bool start(const Job& job);
    bool isRunning() const { return running_.load(); }
    // Waits for the thread to end; the caller signals the stop event first
    // when it wants the build cut short.
    void join();

  private:
    static void runJob(const Job& job, Database& db);

    std::thread thread_;
    std::atomic<bool> running_{false};
};
