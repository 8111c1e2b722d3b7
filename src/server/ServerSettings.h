// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/ServerAddress.h"

#include <QString>

// The optional [Server] section of mavor.ini, which puts the program in team
// mode: its data on a PostgreSQL server instead of mavor.tdb.
//
//   [Server]
//   Host=db.example.org      a name, an address or the server's socket directory
//   Port=5432                optional
//   Database=mavor
//   Tls=1                    optional: encrypted, the server's certificate checked
//   Ca=/path/root.crt        optional with Tls: the root certificate to check it
//                            against (the system's store without it)
//   TlsInsecure=1            optional with Tls: the certificate not checked
//   User=...                 optional: the login of the administrator's own
//                            maintenance commands (mavor-admin ... --server)
//
// The section holds no password: each person signs in to the server as
// themselves in the login dialog (TeamRoles.h). A Password= line written by an
// earlier version (a sealed shared password) is still read by the
// administrator's commands until the team's roles are set up, and is removed
// by the program's next start.
//
// Without the section (or without Database in it) the program uses mavor.tdb
// exactly as before.
class ServerSettings {
  public:
    static inline const QString kSection = QStringLiteral("Server");

    enum class State { Absent, Ready, Invalid };

    struct Reading {
        State state = State::Absent;
        ServerAddress address; // password opened, when Ready
        QString error;         // why the section cannot be used, when Invalid
    };

    // keyPath: where SecretBox keeps its key.
    static Reading read(const QString& iniPath, const QString& keyPath);
    static Reading read(const QString& iniPath);

    // Writes the section, without a password; every other line of the file stays.
    static bool write(const QString& iniPath, const ServerAddress& address, QString* error);

    // Removes a stored server password (of an earlier version) from the section.
    static void forgetPassword(const QString& iniPath);

    // What start-up shows when the server cannot be reached.
    static QString unreachableMessage(const ServerAddress& address, const QString& serverText);
};
