// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/LunarBirthday.h"

#include "db/Days.h"
#include "db/LunarCalendar.h"

namespace lunarbirthday {

namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A part given as digits only ("08", "8"), else 0.
int number(const QString& part) {
    const QString text = part.trimmed();
    if (text.isEmpty())
        return 0;
    for (const QChar c : text)
        if (!c.isDigit())
            return 0;
    return dates::leadingNumber(text);
}

} // namespace

bool isLunar(const QString& flag) {
    return flag == kLunar || flag == kLeap;
}

int storedFlag(const QString& flag) {
    return flag == kLeap ? 2 : flag == kLunar ? 1 : 0;
}

QString flagOf(qint64 stored) {
    return stored == 2 ? kLeap : stored == 1 ? kLunar : QString();
}

QStringList monthEntries(int year) {
    const int leap = lunar::leapMonth(year);
    QStringList out;
    for (int m = 1; m <= 12; ++m) {
        out << lunar::monthName(m);
        if (m == leap)
            out << lunar::monthName(m, true);
    }
    return out;
}

QStringList dayEntries() {
    QStringList out;
    for (int d = 1; d <= 30; ++d)
        out << lunar::dayName(d);
    return out;
}

QString monthEntry(const QString& month, const QString& flag) {
    return lunar::monthName(number(month), flag == kLeap);
}

QString dayEntry(const QString& day) {
    return lunar::dayName(number(day));
}

Month monthOf(const QString& entry) {
    for (int m = 1; m <= 12; ++m) {
        if (entry == lunar::monthName(m))
            return {twoDigits(m), kLunar};
        if (entry == lunar::monthName(m, true))
            return {twoDigits(m), kLeap};
    }
    return {QString(), kLunar};
}

QString dayOf(const QString& entry) {
    for (int d = 1; d <= 30; ++d)
        if (entry == lunar::dayName(d))
            return twoDigits(d);
    return {};
}

bool isValid(const QString& year, const QString& month, const QString& day, const QString& flag) {
    const int y = number(year);
    const int m = number(month);
    const int d = number(day);
    if (m < 1 || m > 12 || d < 1 || d > 30)
        return false;
    if (y < lunar::kFirstYear || y > lunar::kLastYear)
        return true;
    return lunar::toSolar(y, m, flag == kLeap, d).isValid();
}

QString otherCalendar(const QString& year, const QString& month, const QString& day,
                      const QString& flag, const QDate& today) {
    const int y = number(year);
    const int m = number(month);
    const int d = number(day);
    if (m == 0 || d == 0)
        return {};
    if (!isLunar(flag)) {
        const QString text = lunar::text(QDate(y, m, d));
        return text.isEmpty() ? QString() : QStringLiteral("农历 ") + text;
    }
    if (y != 0) {
        const QDate date = lunar::toSolar(y, m, flag == kLeap, d);
        return date.isValid() ? QStringLiteral("公历 ") + date.toString(Qt::ISODate) : QString();
    }
    // This lunar year's: a birthday in 腊月 may fall in next January.
    const lunar::Date now = lunar::fromSolar(today);
    const QDate date =
        lunar::anniversary(now.isValid() ? now.year : today.year(), m, flag == kLeap, d);
    if (!date.isValid())
        return {};
    return QStringLiteral("今年公历 ") + date.toString(Qt::ISODate);
}

} // namespace lunarbirthday
