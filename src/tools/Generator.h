// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

class Database;

// Fills an existing database with generated contacts (all four sheets, some
// documents) and interactions, for measuring the program at scale. Everything
// goes in one transaction through prepared statements; the same seed and the
// same day give the same data.
class Generator {
  public:
    struct Options {
        qint64 contacts = 0;
        qint64 interactions = 0;
        quint64 seed = 1;
        qint64 userCode = 1; // owner of the contacts (the administrator by default)
        QDate today;         // planned dates and "this month" birthdays are relative to it
    };

    struct Report {
        qint64 contacts = 0;
        qint64 trashed = 0;
        qint64 documents = 0;
        qint64 interactions = 0;
        qint64 planned = 0;      // interactions with a next planned date
        qint64 plannedToday = 0; // ... planned for today
        qint64 plannedPast = 0;  // ... planned for a day already gone
        qint64 milliseconds = 0;
    };

    explicit Generator(Database& db) : db_(db) {}

    // False with error() set when the database lacks what is needed (the user,
    // the reference tables) or a write fails; nothing is kept then.
    bool run(const Options& options, Report* report);
    QString error() const { return error_; }

  private:
    Database& db_;
    QString error_;
};
