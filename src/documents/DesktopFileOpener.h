// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/FileOpener.h"

// Opens files with the desktop's default application (xdg-open); when the
// desktop has none for the file, says so through the prompter.
class DesktopFileOpener : public FileOpener {
  public:
    explicit DesktopFileOpener(Prompter& prompter) : prompter_(prompter) {}
    bool open(const QString& path) override;

  private:
    Prompter& prompter_;
};
