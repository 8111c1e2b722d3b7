// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/SchemaVersion.h"

#include <QList>
#include <QString>

class Database;
class Prompter;

// What opening a database file asks of its version: a file of an older
// version is copied beside itself and brought up to date in one transaction;
// a file of a newer program is refused. No message is shown here: the caller
// reports message(). Given a prompter, the copy and the steps show its
// progress window while they run (an upgrade of a large file takes minutes).
class DatabaseUpgrade {
  public:
    enum class Outcome { Current, Upgraded, Newer, Failed };

    explicit DatabaseUpgrade(Database& db, Prompter* progress = nullptr)
        : db_(db), progress_(progress) {}

    // steps: the program's own unless a test gives others.
    Outcome ensureCurrent(const QList<schema::Step>& steps = schema::steps());

    // Where the copy taken before an upgrade lies, and why a refusal or failure happened.
    QString backupPath() const { return backupPath_; }
    QString message() const { return message_; }

  private:
    Database& db_;
    Prompter* progress_;
    QString backupPath_;
    QString message_;
};
