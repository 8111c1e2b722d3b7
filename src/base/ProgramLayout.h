// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program's own files are (the user guide, the spreadsheet template,
// the delivered database) and where the user's data lives (mavor.tdb,
// mavor.ini).
//
// Run from the build tree, the directory of the binary plays both roles.
// Installed, the binary sits in <prefix>/bin with no database beside it and
// the delivered database in <prefix>/share/mavor: the program's files are
// there and the data is in $XDG_DATA_HOME/mavor (~/.local/share/mavor when
// XDG_DATA_HOME is unset, empty or not absolute). MAVOR_HOME, when set, names
// the data directory in either case and is used as it stands.
class ProgramLayout {
  public:
    // What the layout is decided from; processEnvironment() reads it from
    // the running process, tests fill it in by hand.
    struct Environment {
        QString binaryDir;
        QString mavorHome;   // MAVOR_HOME
        QString xdgDataHome; // XDG_DATA_HOME
        QString home;        // HOME
    };

    static Environment processEnvironment();
    static ProgramLayout detect(const Environment& env);
    static ProgramLayout current() { return detect(processEnvironment()); }

    bool isInstalled() const { return installed_; }
    QString filesDir() const { return filesDir_; }
    QString dataDir() const { return dataDir_; }
    QString deliveredDatabase() const;
    QString databasePath() const;
    QString settingsPath() const;

    // True when start-up makes the data directory ready itself: an installed
    // program whose data directory was not named by MAVOR_HOME.
    bool preparesDataDir() const { return installed_ && !namedByUser_; }

    // Creates the data directory (and missing parents) for its owner only and
    // copies the delivered database into it when no database is there. An
    // existing database, directory or mode is never touched. Does nothing
    // unless preparesDataDir(). False, with a reason, when it could not.
    bool prepareDataDir(QString* error = nullptr) const;

  private:
    bool installed_ = false;
    bool namedByUser_ = false;
    QString filesDir_;
    QString dataDir_;
};
