#pragma once

#include <QString>
#include <optional>

// Where a team's shared database lives: a database on a PostgreSQL server.
// Written as a location the rest of the program passes around like a file
// path, "postgresql://user@host:port/database", with "?sslmode=require" when
// the connection must be encrypted. The password is never part of the
// location: it travels beside it, in memory only.
struct ServerAddress {
    static constexpr int kDefaultPort = 5432;

    QString host; // a name, an address, or the directory of the server's socket
    int port = kDefaultPort;
    QString database;
    QString user;
    QString password;
    bool tls = false;

    bool isValid() const { return !database.isEmpty(); }

    QString location() const;
    // "user@host:port/database", for messages.
    QString shown() const;

    // Whether text names a server rather than a file.
    static bool isLocation(const QString& text);
    // nullopt when text is no location or names no database.
    static std::optional<ServerAddress> fromLocation(const QString& text);
};
