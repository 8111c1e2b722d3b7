#pragma once

#include <QString>

class Database;

// Which database a run of the program works on: the team's server when
// mavor.ini has a [Server] section, mavor.tdb beside it otherwise. A server
// that cannot be reached is never replaced by the local file.
namespace datasource {

enum class Outcome { File, Server, FileFailed, ServerFailed };

struct Opened {
    Outcome outcome = Outcome::FileFailed;
    // For ServerFailed: what to show, the server's own words included.
    QString message;
};

// Whether the settings file has a [Server] section naming a database.
bool namesServer(const QString& settingsPath);

// keyPath: where the key of the sealed server password lives.
Opened open(Database& db, const QString& settingsPath, const QString& filePath,
            const QString& keyPath);
Opened open(Database& db, const QString& settingsPath, const QString& filePath);

} // namespace datasource
