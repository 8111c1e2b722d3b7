// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Validators.h"

namespace validate {

namespace {

bool onlyOf(const QString& text, const QString& extra) {
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            continue;
        if (!extra.contains(c))
            return false;
    }
    return true;
}

} // namespace

bool isLegalName(const QString& text) {
    static const QString illegal = QStringLiteral("?><,/\\|+=*&^%!");
    for (const QChar c : text) {
        if (illegal.contains(c))
            return false;
    }
    return true;
}

bool isAmount(const QString& text) {
    return onlyOf(text, QStringLiteral(".")) && text.count(u'.') <= 1;
}

bool isPhone(const QString& text) {
    // An international number may start with "+".
    const QString rest = text.startsWith(u'+') ? text.mid(1) : text;
    if (rest.isEmpty() && !text.isEmpty())
        return false;
    return onlyOf(rest, QStringLiteral(" #()*-/\\_"));
}

bool isDigits(const QString& text) {
    return onlyOf(text, QString());
}

bool isValidDay(const QString& year, const QString& month, const QString& day) {
    const int y = year.trimmed().toInt();
    const int m = month.trimmed().toInt();
    const int d = day.trimmed().toInt();
    if (m == 2)
        return y % 4 == 0 ? d < 30 : d < 29;
    if (m == 4 || m == 6 || m == 9 || m == 11)
        return d != 31;
    return true;
}

} // namespace validate
