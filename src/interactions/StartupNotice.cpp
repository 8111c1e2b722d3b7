// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/StartupNotice.h"

#include "db/TextFormat.h"

const QString StartupNotice::kDaysToGo = QStringLiteral("离 %s 还有 %d 天");
const QString StartupNotice::kToday = QStringLiteral("今天是 %s !");
const QString StartupNotice::kPlannedToday = QStringLiteral("当天有事务需处理!");
const QString StartupNotice::kBirthdaysAhead = QStringLiteral("本月有人或其家属过生日!");

StartupNotice::StartupNotice(const QString& greeting, const Festival& festival, bool plannedToday,
                             bool birthdaysAhead) {
    lines_ << greeting;
    if (const QString line = festivalLine(festival); !line.isEmpty())
        lines_ << line;
    if (plannedToday)
        lines_ << kPlannedToday;
    if (birthdaysAhead)
        lines_ << kBirthdaysAhead;
}

QString StartupNotice::festivalLine(const Festival& festival) {
    if (!festival.found())
        return {};
    if (festival.isToday())
        return text::format(kToday, festival.name);
    return text::format(kDaysToGo, festival.name, festival.days);
}
