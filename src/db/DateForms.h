// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clock;

// The text forms of dates and times; queries compare them as text, so each
// form is produced in one place only.
namespace dateforms {

QString today(const Clock& clock);        // "%Y-%m-%d"
QString todaySlashed(const Clock& clock); // "%Y/%m/%d"
QString now(const Clock& clock);          // "%Y-%m-%d %H:%M:%S"

QString dashed(const QString& year, const QString& month, const QString& day);        // "%s-%s-%s"
QString slashed(const QString& year, const QString& month, const QString& day);       // "%s/%s/%s"
QString clockTime(const QString& hour, const QString& minute, const QString& second); // "%s:%s:%s"
QString listDate(const QString& year, const QString& month, const QString& day); // "%4s-%2s-%2s"
QString queryDate(int year, int month, int day);                                 // "%d/%2d/%2d"
QString shortTime(const QString& hour, const QString& minute);                   // "%s:%s"
QString hourOnly(const QString& hour);                                           // "%s:00"

} // namespace dateforms
