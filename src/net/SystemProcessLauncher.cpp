// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/SystemProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>

bool SystemProcessLauncher::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}
