// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/ServerAddress.h"

#include <QString>

// Which database a run of the program works on: the team's server when
// mavor.ini has a [Server] section, mavor.tdb beside it otherwise. A server
// that cannot be used is never replaced by the local file. The server is
// reached only at the login, as the person who signs in (TeamRoles.h).
namespace datasource {

enum class Outcome { File, Server, ServerFailed };

struct Choice {
    Outcome outcome = Outcome::File;
    // For Server: where to sign in; no user and no password.
    ServerAddress server;
    // For ServerFailed: what to show.
    QString message;
};

// Whether the settings file has a [Server] section naming a database.
bool namesServer(const QString& settingsPath);

Choice choose(const QString& settingsPath);

} // namespace datasource
