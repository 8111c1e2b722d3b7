// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AboutText.h"

#include "base/AppInfo.h"
#include "base/Homepage.h"

namespace app {

QString aboutText() {
    return QStringLiteral(
               "%1\r\n版本 %2\r\n\r\n个人人脉管理系统: 联系人资料、往来记录、提醒与关怀、"
               "人脉等级分。\r\n\r\n许可证: GNU General Public License, version 3 or "
               "later (GPL-3.0-or-later)\r\n主页: %3\r\n\r\n按 F1 打开使用帮助。")
        .arg(kTitle, kVersion, QString::fromUtf8(kHomepage));
}

} // namespace app
