// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Where a team's shared database lives: a database on a PostgreSQL server.
// Written as a location the rest of the program passes around like a file
// path, "postgresql://user@host:port/database", with "?sslmode=verify-full"
// (and "&sslrootcert=FILE") when the connection must be encrypted and the
// server proven by its certificate, "?sslmode=require" when the administrator
// chose encryption without that proof. The password is never part of the
// location: it travels beside it, in memory only.
struct ServerAddress {
    static constexpr int kDefaultPort = 5432;

    QString host; // a name, an address, or the directory of the server's socket
    int port = kDefaultPort;
    QString database;
    QString user;
    QString password;
    // Encrypted, with the server's certificate checked against caFile (the
    // system's store when empty) and its host name.
    bool tls = false;
    QString caFile;
    // Encrypted but the certificate not checked: an explicit choice, shown.
    bool tlsInsecure = false;

    // The system's store of root certificates, for a TLS check without --ca.
    static QString systemCaFile();

    bool isValid() const { return !database.isEmpty(); }

    QString location() const;
    // "user@host:port/database", for messages.
    QString shown() const;
    // "host:port/database (已加密, 已验证服务器证书)": where the window works,
    // and how safely; an unchecked certificate is called unsafe.
    QString described() const;

    // Whether text names a server rather than a file.
    static bool isLocation(const QString& text);
    // nullopt when text is no location or names no database.
    static std::optional<ServerAddress> fromLocation(const QString& text);
};
