// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Days.h"

#include <limits>

namespace dates {

// Valid for any day count.
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

qint64 daysBetween(int year1, int month1, int day1, int year2, int month2, int day2) {
    return dayNumber(year1, month1, day1) - dayNumber(year2, month2, day2);
}

int leadingNumber(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return leadingNumber(bytes.constData(), bytes.size());
}

int leadingNumber(const char* text, qsizetype size) {
    qsizetype i = 0;
    while (i < size && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                        text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 value = 0;
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max())
            value = std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace dates
