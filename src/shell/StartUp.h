// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Takes the program from launch to its running main window and returns the
// exit code: -1 when another copy runs, 1 when the database cannot be opened.
class StartUp {
  public:
    int run();
};
