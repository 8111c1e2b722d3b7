// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DateForms.h"

#include "base/Clock.h"
#include "db/TextFormat.h"

namespace dateforms {

QString today(const Clock& clock) {
    return clock.today().toString(QStringLiteral("yyyy-MM-dd"));
}

QString todaySlashed(const Clock& clock) {
    return clock.today().toString(QStringLiteral("yyyy/MM/dd"));
}

QString now(const Clock& clock) {
    return clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString dashed(const QString& year, const QString& month, const QString& day) {
    return text::format(QStringLiteral("%s-%s-%s"), year, month, day);
}

QString slashed(const QString& year, const QString& month, const QString& day) {
    return text::format(QStringLiteral("%s/%s/%s"), year, month, day);
}

QString clockTime(const QString& hour, const QString& minute, const QString& second) {
    return text::format(QStringLiteral("%s:%s:%s"), hour, minute, second);
}

QString listDate(const QString& year, const QString& month, const QString& day) {
    return text::format(QStringLiteral("%4s-%2s-%2s"), year, month, day);
}

QString queryDate(int year, int month, int day) {
    return text::format(QStringLiteral("%d/%2d/%2d"), year, month, day);
}

QString shortTime(const QString& hour, const QString& minute) {
    return text::format(QStringLiteral("%s:%s"), hour, minute);
}

QString hourOnly(const QString& hour) {
    return text::format(QStringLiteral("%s:00"), hour);
}

} // namespace dateforms
