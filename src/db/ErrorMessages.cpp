// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/ErrorMessages.h"

#include "base/AppInfo.h"
#include "base/Prompter.h"

#include <QHash>

namespace errors {

QString message(int code) {
    static const QHash<int, QString> table{
        {1, QStringLiteral("数据库打开失败,请检查系统设置")},
        {2, QStringLiteral("省份数据表关联失败,请检查系统设置")},
        {4, QStringLiteral("省份表操作失败,请检查系统设置")},
        {5, QStringLiteral("职务表操作失败,请检查系统设置")},
        {6, QStringLiteral("职务表操作失败,请检查系统设置")},
        {7, QStringLiteral("级别表操作失败,请检查系统设置")},
        {8, QStringLiteral("省份表插入记录失败,请检查系统设置")},
        {9, QStringLiteral("系统初始化失败,请检查系统设置")},
        {10, QStringLiteral("系统数据库初始化失败,请检查系统设置")},
        {11, QStringLiteral("区域表操作失败,请检查系统设置")},
        {12, QStringLiteral("行业表操作失败,请检查系统设置")},
        {13, QStringLiteral("学历表操作失败,请检查系统设置")},
        {14, QStringLiteral("常用资料表操作失败,请检查系统设置")},
        {15, QStringLiteral("社会关系表操作失败,请检查系统设置")},
        {16, QStringLiteral("密码更新失败")},
    };
    return table.value(code);
}

void show(Prompter& prompter, int code) {
    const QString text = message(code);
    if (!text.isEmpty())
        prompter.notice(app::kTitle, text, PromptIcon::Warning);
}

} // namespace errors
