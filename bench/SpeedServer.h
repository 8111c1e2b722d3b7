// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The speed table's database moved onto a server: a database of its own
// there, named for the cached file, made by the program's own set-up and
// migration (so with the indexes and statistics a team's server has). Kept
// while the file and the program's version are the same.
class SpeedServer {
  public:
    // admin: a location on the server as its administrator (the database
    // named there is only used to create the others).
    explicit SpeedServer(QString admin) : admin_(std::move(admin)) {}

    // The server database holding the rows of file, made first when needed.
    // Empty with error() set on failure.
    QString ensure(const QString& file);
    // A new database copied from location, and its removal.
    QString copyOf(const QString& location, const QString& suffix);
    bool remove(const QString& location);
    QString error() const { return error_; }
    bool reused() const { return reused_; }

  private:
    QString withDatabase(const QString& name) const;
    bool run(const QString& statement);

    QString admin_;
    QString error_;
    bool reused_ = false;
};
