// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DesktopFileOpener.h"

#include "featureapi/DesktopTools.h"

bool DesktopFileOpener::open(const QString& path) {
    // The opener's answer comes later; a failure is told then.
    desktop::openFile(path, prompter_);
    return true;
}
