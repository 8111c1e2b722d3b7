// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;

// Which senders are at work on one database. A round is present (holds a
// shared lock) from before its first claim until after its last status, so a
// row at "已发" whose sender is present is being sent right now. A round that
// finds no other sender present knows that every row left at "已发" belongs
// to a sender that was killed. The lock ends with the process that holds it.
//
// On a server the lock is an advisory lock of the database, so senders on
// different machines see each other. A file is only shared by processes on
// its own machine (its journal needs shared memory): there the lock is a file
// beside the database.
class SenderPresence {
  public:
    explicit SenderPresence(Database& db) : db_(db) {}
    ~SenderPresence();
    SenderPresence(const SenderPresence&) = delete;
    SenderPresence& operator=(const SenderPresence&) = delete;

    // Whether no other sender is present; while it holds, none can arrive
    // until share(). False too when the lock cannot be had (error() says why).
    bool tryAlone();
    // Present beside the others (after tryAlone() or without it); waits while
    // another sender is alone. False, with error(), when the lock cannot be had.
    bool share();
    void leave();
    QString error() const { return error_; }

  private:
    bool openLockFile();
    bool serverLock(const char* call);

    Database& db_;
    int fd_ = -1;
    bool exclusive_ = false;
    bool shared_ = false;
    QString error_;
};
