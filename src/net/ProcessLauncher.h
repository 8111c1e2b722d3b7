// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Starts another program that outlives this one. Tests put in a recorder so
// that nothing real is started.
class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // True when the program was started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};
