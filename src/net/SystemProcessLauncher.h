// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/ProcessLauncher.h"

// Starts programs through QProcess, detached from this process.
class SystemProcessLauncher : public ProcessLauncher {
  public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};
