// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Prompter;

// The numbered messages shown when a database step of start-up or of an editor fails.
namespace errors {

enum Code {
    DatabaseOpen = 1,
    ProvinceJoin = 2,
    Province = 4,
    DutyTable = 5,
    Duty = 6,
    Level = 7,
    ProvinceInsert = 8,
    SystemInit = 9,
    SystemDatabaseInit = 10,
    Region = 11,
    Industry = 12,
    Degree = 13,
    CommonData = 14,
    SocialRelation = 15,
    PasswordUpdate = 16,
};

// The text of a code; empty for 3 and for any code outside the table.
QString message(int code);

// Shows the entry with the program's title as caption and an OK button;
// shows nothing for a code without text.
void show(Prompter& prompter, int code);

} // namespace errors
