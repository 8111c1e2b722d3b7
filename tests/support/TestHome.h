// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A program directory of the test's own: a fresh copy of the delivered
// database and, on request, a settings file.
//
// When MAVOR_TEST_SERVER names a server database made by "mavor-admin initdb"
// (the test suite's own throwaway cluster, tests/server), the home's database
// is instead a new database on that server, copied from it, and
// databasePath() is its location: the same tests then run against the server,
// signed in as a member of the team (MAVOR_TEST_ROLE=admin: as its
// administrator; =postgres: as the server's superuser).
class TestHome {
  public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    bool isValid() const { return valid_; }
    QString dir() const { return dir_.path(); }
    // The database file, or the location of the home's server database.
    QString databasePath() const { return database_; }
    QString settingsPath() const { return dir_.path() + QStringLiteral("/mavor.ini"); }
    QString file(const QString& name) const { return dir_.path() + u'/' + name; }

    // Whether the tests of this run use a server (MAVOR_TEST_SERVER is set).
    static bool onServer();
    // The template database on the server, when onServer().
    static QString serverTemplate();

  private:
    QTemporaryDir dir_;
    QString database_;
    QString serverDatabase_;
    bool valid_ = false;
};

// Leaves a test out when the tests run on a server: for what only a database
// file has (its bytes, its companion files, the engine's own handle).
#define SKIP_ON_SERVER(reason)                                                                     \
    do {                                                                                           \
        if (TestHome::onServer())                                                                  \
            QSKIP(reason);                                                                         \
    } while (false)
