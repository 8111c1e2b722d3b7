// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// The database the speed table is measured on: a new file of the current
// version filled by the generator for one day, with its statistics gathered
// as "mavor-admin gen" leaves them. Built once and kept in a cache directory;
// a file of an older program version is built again.
class SpeedDatabase {
  public:
    struct Shape {
        qint64 contacts = 100000;
        qint64 interactions = 1000000;
        QDate today;
        QString cacheDir;
    };

    // The cached file's path, built first when it is not there. Empty with
    // error() set on failure; progress lines go to stderr.
    QString ensure(const Shape& shape);
    QString error() const { return error_; }
    // Whether ensure() found the file in the cache.
    bool reused() const { return reused_; }

    // A copy beside the cached file for work that changes it; the copy's path.
    static QString copyOf(const QString& path, const QString& suffix);
    static void remove(const QString& path);

  private:
    QString error_;
    bool reused_ = false;
};
