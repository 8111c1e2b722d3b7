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
    return onlyOf(text, QStringLiteral("."));
}

bool isPhone(const QString& text) {
    return onlyOf(text, QStringLiteral(" #()*-/\\_"));
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

namespace dates {

namespace {

// Day number of a civil date (days since 1970-01-01), valid for any day count.
qint64 dayNumber(qint64 y, qint64 m, qint64 d) {
    // Normalise the month first so that a month outside 1..12 carries into the year.
    y += (m - 1) >= 0 ? (m - 1) / 12 : -((12 - m) / 12);
    m = ((m - 1) % 12 + 12) % 12 + 1;
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (d - 1);
}

} // namespace

qint64 daysBetween(int year1, int month1, int day1, int year2, int month2, int day2) {
    return dayNumber(year1, month1, day1) - dayNumber(year2, month2, day2);
}

} // namespace dates
