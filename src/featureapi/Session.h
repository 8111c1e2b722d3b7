// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Who is logged in: set once by the login, held by the main window for the run.
struct Session {
    qint64 userCode = -1;
    qint64 departmentCode = -1;
    bool loggedIn() const { return userCode >= 0; }
};
