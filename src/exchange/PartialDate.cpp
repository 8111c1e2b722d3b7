// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/PartialDate.h"

#include <QRegularExpression>

namespace exchange {

namespace {

bool allDigits(const QString& s) {
    for (const QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// One part in range, two digits; empty stays empty.
bool twoDigits(const QString& text, int highest, QString* out) {
    if (text.isEmpty()) {
        out->clear();
        return true;
    }
    if (text.size() > 2 || !allDigits(text))
        return false;
    const int value = text.toInt();
    if (value < 1 || value > highest)
        return false;
    *out = QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    return true;
}

} // namespace

std::optional<PartialDate> makeDate(const QString& year, const QString& month, const QString& day) {
    PartialDate d;
    if (!year.isEmpty() && (year.size() != 4 || !allDigits(year) || year == u"0000"))
        return std::nullopt;
    d.year = year;
    if (!twoDigits(month, 12, &d.month) || !twoDigits(day, 31, &d.day))
        return std::nullopt;
    return d;
}

std::optional<PartialDate> parseVCardDate(const QString& input) {
    QString t = input.trimmed();
    const qsizetype timeAt = t.indexOf(u'T');
    if (timeAt >= 0)
        t.truncate(timeAt);
    if (t.isEmpty())
        return PartialDate{};
    static const QRegularExpression forms[] = {
        QRegularExpression(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$")),
        QRegularExpression(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$")),
        QRegularExpression(QStringLiteral("^(\\d{4})-(\\d{2})()$")),
        QRegularExpression(QStringLiteral("^(\\d{4})()()$")),
        QRegularExpression(QStringLiteral("^--()(\\d{2})(\\d{2})$")),
        QRegularExpression(QStringLiteral("^--()(\\d{1,2})-(\\d{1,2})$")),
        QRegularExpression(QStringLiteral("^--()(\\d{2})()$")),
        QRegularExpression(QStringLiteral("^---()()(\\d{2})$")),
    };
    for (const auto& form : forms) {
        const auto m = form.match(t);
        if (!m.hasMatch())
            continue;
        QString year = m.captured(1);
        if (year == u"1604")
            year.clear();
        return makeDate(year, m.captured(2), m.captured(3));
    }
    return std::nullopt;
}

std::optional<QString> vcardDate(const PartialDate& d) {
    const bool y = !d.year.isEmpty(), m = !d.month.isEmpty(), dd = !d.day.isEmpty();
    if (y && m && dd)
        return d.year + d.month + d.day;
    if (y && m)
        return d.year + u'-' + d.month;
    if (y && !dd)
        return d.year;
    if (m && dd)
        return QStringLiteral("--") + d.month + d.day;
    if (m)
        return QStringLiteral("--") + d.month;
    if (dd && !y)
        return QStringLiteral("---") + d.day;
    if (!y)
        return QString();
    return std::nullopt; // a year and a day without a month
}

std::optional<PartialDate> parseLooseDate(const QString& input) {
    const QString t = input.trimmed();
    if (t.isEmpty())
        return PartialDate{};
    // This program's own form first: exactly two dashes, digits or nothing between.
    static const QRegularExpression own(QStringLiteral("^(\\d{4})?-(\\d{1,2})?-(\\d{1,2})?$"));
    if (const auto m = own.match(t); m.hasMatch()) {
        if (auto d = makeDate(m.captured(1), m.captured(2), m.captured(3)))
            return d;
    }
    if (auto d = parseVCardDate(t))
        return d;
    static const QRegularExpression separated(QStringLiteral(
        "^(\\d{4})\\s*[/.年]\\s*(\\d{1,2})\\s*(?:[/.月]\\s*(?:(\\d{1,2})\\s*日?)?)?$"));
    if (const auto m = separated.match(t); m.hasMatch())
        return makeDate(m.captured(1), m.captured(2), m.captured(3));
    static const QRegularExpression chineseYear(QStringLiteral("^(\\d{4})\\s*年$"));
    if (const auto m = chineseYear.match(t); m.hasMatch())
        return makeDate(m.captured(1), {}, {});
    static const QRegularExpression monthDay(
        QStringLiteral("^(\\d{1,2})\\s*[/月]\\s*(\\d{1,2})\\s*日?$"));
    if (const auto m = monthDay.match(t); m.hasMatch())
        return makeDate({}, m.captured(1), m.captured(2));
    // Mail programs write month/day/year or day/month/year, as the machine was
    // set, and "0/0/00" for no date. Only the reading that has one answer is
    // taken: "5/20/1970" and "20/5/1970"; "4/12/1985" stays unreadable.
    static const QRegularExpression slashed(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
    if (const auto m = slashed.match(t); m.hasMatch()) {
        const int first = m.captured(1).toInt(), second = m.captured(2).toInt();
        if (first == 0 && second == 0 && m.captured(3).toInt() == 0)
            return PartialDate{};
        if (m.captured(3).size() != 4)
            return std::nullopt;
        if (first <= 12 && second > 12)
            return makeDate(m.captured(3), m.captured(1), m.captured(2));
        if (first > 12 && second <= 12)
            return makeDate(m.captured(3), m.captured(2), m.captured(1));
        if (first == second)
            return makeDate(m.captured(3), m.captured(1), m.captured(2));
    }
    return std::nullopt;
}

QString sheetDate(const PartialDate& d) {
    if (d.isEmpty())
        return {};
    return d.year + u'-' + d.month + u'-' + d.day;
}

} // namespace exchange
