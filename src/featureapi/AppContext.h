// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AutoResetEvent;
class Clock;
class Database;
class Prompter;
class Settings;

// What start-up hands to the main window: the shared connection, the settings
// file, the message channel, the time and the tree builder's two events.
struct AppContext {
    Database& db;
    Settings& settings;
    Prompter& prompter;
    const Clock& clock;
    AutoResetEvent& stopEvent;
    AutoResetEvent& doneEvent;
    QString programDir;
};
