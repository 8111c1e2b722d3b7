// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/QtTextsZh.h"

#include <cstring>

QString QtTextsZh::translate(const char* context, const char* sourceText,
                             const char* /*disambiguation*/, int /*n*/) const {
    struct Text {
        const char* context;
        const char* source;
        const char* chinese;
    };
    static const Text texts[] = {
        {"QAbstractFileIconProvider", "Folder", "文件夹"},
        {"QAbstractFileIconProvider", "File", "文件"},
        {"QAbstractFileIconProvider", "Drive", "驱动器"},
        {"QAbstractFileIconProvider", "Shortcut", "快捷方式"},
        {"QAbstractFileIconProvider", "Unknown", "未知"},
    };
    if (!context || !sourceText)
        return {};
    for (const Text& text : texts)
        if (std::strcmp(context, text.context) == 0 && std::strcmp(sourceText, text.source) == 0)
            return QString::fromUtf8(text.chinese);
    return {};
}
