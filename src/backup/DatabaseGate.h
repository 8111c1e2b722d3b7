// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;
class Prompter;

// Opens the program's database for a run: a file that is not a whole database
// of ours is turned away with a message that says what is wrong with it, and
// is never written; a file of an older version is brought up to date (a copy
// stays beside it); one of a newer program is refused. Every message goes
// through the prompter.
class DatabaseGate {
  public:
    DatabaseGate(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // False when the run cannot go on; the reason has been shown.
    bool open(const QString& path);

    // For a database already open: an older one is upgraded, a newer one
    // refused (and closed). False when the run cannot go on; the reason has
    // been shown.
    bool bringUpToDate();

  private:
    Database& db_;
    Prompter& prompter_;
};
