// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/DateRange.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Validators.h"

#include <QDate>

bool DateFields::anyChosen() const {
    return !startYear.isEmpty() || !startMonth.isEmpty() || !startDay.isEmpty() ||
           !endYear.isEmpty() || !endMonth.isEmpty() || !endDay.isEmpty();
}

namespace daterange {

namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The last day of a month by the same calendar as the day lists' check.
int lastDay(const QString& year, const QString& month) {
    for (int day = 31; day > 28; --day) {
        if (validate::isValidDay(year, month, QString::number(day)))
            return day;
    }
    return 28;
}

} // namespace

std::optional<sql::Statement> condition(const DateFields& f, const Clock& clock,
                                        Prompter& prompter) {
    const QDate today = clock.today();
    auto refuse = [&prompter](const QString& text) {
        prompter.inform(text);
        return std::nullopt;
    };

    const QString startYear = f.startYear.isEmpty() ? QStringLiteral("1990") : f.startYear;
    if (!f.startMonth.isEmpty() && f.startYear.isEmpty())
        return refuse(kNoStartYear);
    const QString startMonth = f.startMonth.isEmpty() ? QStringLiteral("01") : f.startMonth;
    if (!f.startDay.isEmpty() && f.startMonth.isEmpty())
        return refuse(kNoStartMonth);
    const QString startDay = f.startDay.isEmpty() ? QStringLiteral("01") : f.startDay;
    if (!f.startYear.isEmpty() && !f.startMonth.isEmpty() && !f.startDay.isEmpty() &&
        !validate::isValidDay(f.startYear, f.startMonth, f.startDay))
        return refuse(kBadDate);

    const QString endYear = f.endYear.isEmpty() ? QString::number(today.year()) : f.endYear;
    if (!f.endMonth.isEmpty() && f.endYear.isEmpty())
        return refuse(kNoEndYear);
    const QString endMonth = f.endMonth.isEmpty() ? twoDigits(today.month()) : f.endMonth;
    if (!f.endDay.isEmpty() && f.endMonth.isEmpty())
        return refuse(kNoEndMonth);
    QString endDay = f.endDay;
    if (endDay.isEmpty()) {
        // Today's day may not exist in the month chosen (the 31st in April, the
        // 29th of February in another year): the month's last day stands for it.
        endDay = twoDigits(std::min(today.day(), lastDay(endYear, endMonth)));
    }
    if (!f.endYear.isEmpty() && !f.endMonth.isEmpty() && !f.endDay.isEmpty() &&
        !validate::isValidDay(f.endYear, f.endMonth, f.endDay))
        return refuse(kBadDate);

    if (!f.anyChosen())
        return sql::Statement();
    return sql::format(kCondition, startYear, startMonth, startDay, endYear, endMonth, endDay);
}

QStringList years(const Clock& clock) {
    QStringList out;
    const int year = clock.today().year();
    for (int y = year; y > year - 10; --y)
        out.append(QString::number(y));
    return out;
}

QStringList months() {
    QStringList out;
    for (int m = 1; m <= 12; ++m)
        out.append(twoDigits(m));
    return out;
}

QStringList days() {
    QStringList out;
    for (int d = 1; d <= 31; ++d)
        out.append(twoDigits(d));
    return out;
}

} // namespace daterange
