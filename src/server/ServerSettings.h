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
//   User=mavor
//   Password=v1:...          sealed (SecretBox.h), never in clear; optional
//                            when the server needs none
//   Tls=1                    optional: the connection must be encrypted
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

    // Writes the section, the password sealed; every other line of the file stays.
    static bool write(const QString& iniPath, const ServerAddress& address, const QString& keyPath,
                      QString* error);

    // What start-up shows when the server cannot be reached.
    static QString unreachableMessage(const ServerAddress& address, const QString& serverText);
};
