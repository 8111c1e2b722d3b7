// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/FileOpener.h"

#include "base/Prompter.h"
#include "db/TextFormat.h"

bool FileOpener::openOrReport(const QString& path, Prompter& prompter) {
    if (open(path))
        return true;
    prompter.inform(text::format(QStringLiteral("无法打开文件 [%s]!"), path));
    return false;
}
