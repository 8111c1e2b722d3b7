// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/ServerAddress.h"
#include "featureapi/Session.h"

#include <QString>
#include <optional>

class Database;
class Prompter;
class Settings;

// The rules behind the login dialog: what it shows on opening, the checks of
// "登录" in their order, the remembered login, and the session it yields.
class LoginCheck {
  public:
    enum class Field { None, UserName, Password };
    struct Fields {
        QString userName;
        QString password;
        bool remember = false;
    };
    struct Outcome {
        bool accepted = false;
        Field focus = Field::None;
    };

    LoginCheck(Database& db, Settings& settings, Prompter& prompter)
        : db_(db), settings_(settings), prompter_(prompter) {}
    // Team mode: "登录" signs the person in to this server as themselves, and
    // db is opened only then.
    LoginCheck(Database& db, Settings& settings, Prompter& prompter, const ServerAddress& server)
        : db_(db), settings_(settings), prompter_(prompter), server_(server) {}

    // The remembered user name and password (decoded when stored encoded).
    Fields initialFields() const;
    // The checks of "登录"; on acceptance the remembered login is written or emptied.
    Outcome submit(const QString& userName, const QString& password, bool remember);
    // The session of an accepted user name.
    Session sessionFor(const QString& userName);

    // True when the name and the password's encoded form match a user row.
    // A database failure is shown and counts as no match.
    static bool matches(Database& db, const QString& userName, const QString& encodedPassword);

  private:
    // The person's own connection to the server; false with the reason shown.
    bool signInToServer(const QString& userName, const QString& password);

    Database& db_;
    Settings& settings_;
    Prompter& prompter_;
    std::optional<ServerAddress> server_;
};
