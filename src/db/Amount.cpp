// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Amount.h"

#include <QByteArray>

namespace amount {

std::optional<double> parse(const char* bytes, qsizetype size) {
    if (!bytes)
        return 0.0;
    qsizetype begin = 0;
    qsizetype end = size;
    while (begin < end && bytes[begin] == ' ')
        ++begin;
    while (end > begin && bytes[end - 1] == ' ')
        --end;
    if (begin == end)
        return 0.0;
    int digits = 0;
    int points = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char c = bytes[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    // The C locale's reading, whatever the program's locale says of points.
    bool ok = false;
    const double value = QByteArray::fromRawData(bytes + begin, end - begin).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> parse(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return parse(utf8.constData(), utf8.size());
}

} // namespace amount
