// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Whose contacts a figure covers: the user's own, the user's department's, or
// every user's (as the query forms can choose any department or user).
enum class StatsScope { Mine = 0, Department = 1, Everyone = 2 };

struct StatsRequest {
    QDate from; // first day of the period
    QDate to;   // last day, today or before
    StatsScope scope = StatsScope::Mine;
    qint64 userCode = -1;
    qint64 departmentCode = -1;
};

struct MonthFigures {
    QDate month; // its first day
    qint64 count = 0;
    double given = 0;    // 支出, comm_cost
    double received = 0; // 收入, comm_tran
};

struct TypeShare {
    QString type; // the interaction type's name, empty for none
    qint64 count = 0;
};

struct ContactFigures {
    qint64 code = -1;
    QString name;
    qint64 count = 0;
    double given = 0;
    double received = 0;
    QString lastDate; // ISO
    // Positive: more given than received.
    double balance() const { return given - received; }
};

// Live contacts overdue on a day (the reminders' rule over the contacts in
// scope), one count per level and per point of the period.
struct OverdueSeries {
    QString level; // the level's name, empty for contacts without one
    QList<qint64> counts;
};

struct RelationFigures {
    QList<MonthFigures> months; // every month of the period, empty ones too
    QList<TypeShare> types;     // most interactions first
    QList<ContactFigures> mostInteractions;
    QList<ContactFigures> largestImbalance; // by |given - received|
    QList<QDate> overduePoints;             // month ends (the last: the period's end)
    QList<OverdueSeries> overdue;           // levels by their value, highest first
    qint64 interactions = 0;
    double given = 0;
    double received = 0;
    qint64 unreadableMoney = 0; // rows whose 收入 or 支出 text could not be read
};

// One contact's account over all its interactions.
struct ContactLedger {
    qint64 count = 0;
    double given = 0;
    double received = 0;
    QDate first;
    QDate last;
    qint64 unreadableMoney = 0;
    QString level;
    qint64 levelInterval = 0;       // days, the level's 往来时间间隔
    QList<qint64> lastTwelveMonths; // oldest first, the current month last
    double balance() const { return given - received; }
    // Days between interactions on average; negative with fewer than two.
    double averageInterval() const {
        return count < 2 ? -1.0 : double(first.daysTo(last)) / double(count - 1);
    }
};
