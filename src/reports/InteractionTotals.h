// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The sums of an interaction list, kept in single precision as they were
// always kept, and their shown texts.
struct InteractionTotals {
    float time = 0;   // minutes
    float cost = 0;   // yuan spent
    float income = 0; // yuan received
    int count = 0;    // interactions
    int contacts = 0; // changes of contact from one row to the next
    qint64 lastContact = -1;

    // One row: its contact code and its three amounts as stored (text).
    void add(qint64 contact, const QString& spent, const QString& cost, const QString& income);

    // 0 when there are no interactions (or no contacts).
    float averageTime() const;
    float averageCost() const;

    // "%.2f" and "%d".
    QString timeText() const;
    QString costText() const;
    QString incomeText() const;
    QString countText() const;
    QString averageTimeText() const;
    QString averageCostText() const;

    // A stored amount as a number: its leading decimal number, 0 when it has none.
    static double amount(const QString& text);
    static QString twoPlaces(float value);
};
