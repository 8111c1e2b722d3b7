// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/HttpClient.h"

#include <QString>

class ProcessLauncher;
class Prompter;

// What the login flow does after the update check.
enum class UpdateOutcome {
    Proceed,       // go on to the main window
    ExitForUpdate, // the updater was started: end the program at once with exit code 0
    // There is no third outcome: no answer of a server may keep anyone out.
};

// The update check that runs right after a successful login.
//
// It asks the update server (GET on the address) for the version-info text
// "<version>#<arguments>$$$$", for example "3.1#setup.zip$$$$". When the
// version is above this program's 3.0 it shows "发现新版本!" and starts the program
// `download` from the program directory with the text after "#" ("$$$$" included)
// as its one argument; the caller then ends the program with exit code 0. When
// `download` is missing or cannot be started it shows "文件缺失!不能自动下载!"
// and the program carries on: the answer travels over plain HTTP, so whoever
// can change it must not be able to keep a whole team out at every login.
//
// For the same reason the answer never chooses how the updater is called: its
// text is passed whole as a single argument, and a text whose first non-blank
// character is "-" (it could be read as an option) or that holds a control
// character is not a version-info text at all.
//
// An empty address means no check. An unreachable server, an answer other than
// 200 or a body that is not a version-info text (no "#", no "$$$$", no plain
// decimal version) all mean "no information": the check proceeds without a word.
class UpdateCheck {
  public:
    static constexpr double kRunningVersion = 3.0;

    UpdateCheck(Prompter& prompter, QString programDir, QString url, ProcessLauncher& launcher,
                HttpSettings http = defaultHttpSettings());

    UpdateOutcome run();

    // The text after "#" of the last version-info text received; empty when none.
    const QString& keptText() const { return keptText_; }

    // The client's usual time-outs, with a cap on the total time and the answer's
    // size so that no server can hold the login up for long.
    static HttpSettings defaultHttpSettings();

  private:
    Prompter& prompter_;
    QString programDir_;
    QString url_;
    ProcessLauncher& launcher_;
    HttpSettings http_;
    QString keptText_;
};

// The update server address of this installation: the environment variable
// MAVOR_UPDATE_URL when it is set (even to nothing, which turns the check off),
// otherwise the address built in (CMake cache variable MAVOR_UPDATE_URL).
// An address is a whole URL such as "http://updates.example.com/mavor".
QString configuredUpdateUrl();
