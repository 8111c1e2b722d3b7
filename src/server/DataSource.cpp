// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/DataSource.h"

#include "db/ErrorMessages.h"
#include "server/ServerSettings.h"

namespace datasource {

bool namesServer(const QString& settingsPath) {
    return choose(settingsPath).outcome != Outcome::File;
}

Choice choose(const QString& settingsPath) {
    // No key path: the window never uses a stored password.
    const ServerSettings::Reading reading = ServerSettings::read(settingsPath, QString());
    Choice choice;
    switch (reading.state) {
    case ServerSettings::State::Absent:
        break;
    case ServerSettings::State::Invalid:
        choice.outcome = Outcome::ServerFailed;
        choice.message =
            errors::message(errors::DatabaseOpen) + QStringLiteral("\r\n\r\n") + reading.error;
        break;
    case ServerSettings::State::Ready:
        choice.outcome = Outcome::Server;
        choice.server = reading.address;
        choice.server.user.clear();
        choice.server.password.clear();
        break;
    }
    return choice;
}

} // namespace datasource
