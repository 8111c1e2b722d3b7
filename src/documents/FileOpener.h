// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Prompter;

// Hands a document file to the desktop's default application for its type.
// Tests put one in that only records the paths.
class FileOpener {
  public:
    virtual ~FileOpener() = default;
    // False when no application could be started for the file.
    virtual bool open(const QString& path) = 0;

    // Opens a file known to exist and says so when the desktop cannot open it.
    bool openOrReport(const QString& path, Prompter& prompter);
};
