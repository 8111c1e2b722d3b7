// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramDirectory.h"

#include "base/ProgramLayout.h"

#include <QDir>

QString programDirectory() {
    return ProgramLayout::current().dataDir();
}

QString programFile(const QString& name) {
    return programDirectory() + u'/' + name;
}

QString installedFile(const QString& relativePath) {
    return QDir::cleanPath(QDir(ProgramLayout::current().filesDir()).filePath(relativePath));
}
