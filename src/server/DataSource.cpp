#include "server/DataSource.h"

#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "server/SecretBox.h"
#include "server/ServerSettings.h"

namespace datasource {

bool namesServer(const QString& settingsPath) {
    // The key is not needed to know that much: a missing one is reported by open().
    return ServerSettings::read(settingsPath, QString()).state != ServerSettings::State::Absent;
}

Opened open(Database& db, const QString& settingsPath, const QString& filePath) {
    return open(db, settingsPath, filePath, SecretBox::defaultKeyPath());
}

Opened open(Database& db, const QString& settingsPath, const QString& filePath,
            const QString& keyPath) {
    const ServerSettings::Reading reading = ServerSettings::read(settingsPath, keyPath);
    switch (reading.state) {
    case ServerSettings::State::Absent:
        return {db.open(filePath) ? Outcome::File : Outcome::FileFailed, {}};
    case ServerSettings::State::Invalid:
        return {Outcome::ServerFailed,
                errors::message(errors::DatabaseOpen) + QStringLiteral("\r\n\r\n") + reading.error};
    case ServerSettings::State::Ready:
        break;
    }
    if (db.openServer(reading.address))
        return {Outcome::Server, {}};
    return {Outcome::ServerFailed,
            ServerSettings::unreachableMessage(reading.address, db.lastError())};
}

} // namespace datasource
