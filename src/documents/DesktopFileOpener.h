#pragma once

#include "documents/FileOpener.h"

// Opens files with the desktop's default application (xdg-open and the like).
class DesktopFileOpener : public FileOpener {
  public:
    bool open(const QString& path) override;
};
