// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clock;
class Database;
class TreeSink;

// The reminder ("事务提醒 ") and care ("日常关怀 ") nodes of the navigation tree.
// The tree builder calls both on its own thread with its own connection; the
// main window calls rebuildReminders on its thread after interactions change.
// An implementation therefore keeps no state between calls.
class ReminderNodes {
  public:
    explicit ReminderNodes(const Clock& clock) : clock_(clock) {}
    virtual ~ReminderNodes() = default;

    static inline const QString kReminderNode = QStringLiteral("事务提醒 ");
    static inline const QString kCareNode = QStringLiteral("日常关怀 ");
    static inline const QString kPlanned = QStringLiteral("预先安排 <%d>");
    static inline const QString kDueToday = QStringLiteral("当天事务 <%d>");
    static inline const QString kOverdue = QStringLiteral("逾期事务 <%d>");
    static inline const QString kBirthdays = QStringLiteral("生日关怀 (%d)");
    static inline const QString kFamily = QStringLiteral("家庭关怀 (%d)");

    // Writes the user's tmptrans rows for today and lists their counts under
    // the reminder node. False when the old rows could not be deleted (the
    // node then stays without children).
    virtual bool rebuildReminders(TreeSink& sink, Database& db, qint64 userCode);
    // The month's birthdays of contacts and of their families.
    virtual void buildCare(TreeSink& sink, Database& db, qint64 userCode);

  private:
    const Clock& clock_;
};
