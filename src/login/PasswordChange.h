// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;
class Prompter;
class Settings;

// The rules behind "设置密码": check the old password, compare the two new
// ones, store the new encoded password, keep a remembered login valid.
class PasswordChange {
  public:
    enum class Field { None, Old, New };
    struct Outcome {
        bool close = false;
        Field focus = Field::None;
    };

    PasswordChange(Database& db, Settings& settings, Prompter& prompter, qint64 userCode)
        : db_(db), settings_(settings), prompter_(prompter), userCode_(userCode) {}

    Outcome submit(const QString& oldPassword, const QString& newPassword, const QString& again);

  private:
    Database& db_;
    Settings& settings_;
    Prompter& prompter_;
    qint64 userCode_;
};
