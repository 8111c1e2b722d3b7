// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/InteractionTotals.h"

#include <cstdio>

void InteractionTotals::add(qint64 contact, const QString& spent, const QString& spentCost,
                            const QString& received) {
    // Each sum stays a float: the amount is added in double and stored back.
    time = float(double(time) + amount(spent));
    cost = float(double(cost) + amount(spentCost));
    income = float(double(income) + amount(received));
    ++count;
    if (contact != lastContact)
        ++contacts;
    lastContact = contact;
}

float InteractionTotals::averageTime() const {
    return count < 1 || contacts < 1 ? 0.0f : time / float(count);
}

float InteractionTotals::averageCost() const {
    return count < 1 || contacts < 1 ? 0.0f : cost / float(count);
}

double InteractionTotals::amount(const QString& text) {
    // The stored texts hold digits and "." only; as with atof, whatever
    // follows the leading number counts for nothing. Read in the C locale
    // whatever the user's locale says.
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    bool point = false;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == u'.' && !point)
            point = true;
        else if (c < u'0' || c > u'9')
            break;
        ++i;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toLatin1().toDouble(&ok);
    return ok ? value : 0.0;
}

QString InteractionTotals::twoPlaces(float value) {
    // printf's rounding; the decimal mark is always a point.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", double(value));
    QString out = QString::fromLatin1(buffer);
    for (QChar& c : out) {
        if (!c.isDigit() && c != u'-')
            c = u'.';
    }
    return out;
}

QString InteractionTotals::timeText() const {
    return twoPlaces(time);
}
QString InteractionTotals::costText() const {
    return twoPlaces(cost);
}
QString InteractionTotals::incomeText() const {
    return twoPlaces(income);
}
QString InteractionTotals::countText() const {
    return QString::number(count);
}
QString InteractionTotals::averageTimeText() const {
    return twoPlaces(averageTime());
}
QString InteractionTotals::averageCostText() const {
    return twoPlaces(averageCost());
}
