// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <optional>

class Database;
namespace sql {
class Statement;
}

// Whom to see: the user's work list in tmptrans (type 1 planned for today,
// 2 due today, 3 overdue) and the month's birthdays.
//
// Due and overdue follow the newest interaction of each live contact (by
// comm_date, the later-entered one first on the same date) and the interval
// F of the contact's level: without a planned next date, exactly F days since
// the interaction is due and more is overdue; with one, a planned day already
// gone is overdue. A live contact without interactions counts from its
// creation date: due until F days have passed, overdue after. The rows are
// computed by the engine, a statement for the planned and one for the due and
// overdue, so a network of any size takes a handful of statements, all in one
// transaction; the day distances are those of dates::daysBetween over the
// parts' leading numbers.
class Reminders {
  public:
    struct Counts {
        bool cleared = false;          // the user's old rows were deleted
        std::optional<qint64> planned; // empty when its statement failed
        std::optional<qint64> due;     // empty when a due/overdue statement failed
        std::optional<qint64> overdue;
    };

    struct Care {
        // Contacts whose birthday is this month (trash included): born this
        // month, or with a lunar birthday that falls in it this year.
        std::optional<qint64> birthdays;
        std::optional<qint64> family; // contacts whose spouse's or child's birthday is
    };

    Reminders(Database& db, const QDate& today) : db_(db), today_(today) {}

    // Deletes the user's tmptrans rows and writes them anew. Failures are
    // reported through the database's Prompter, except a failed delete, whose
    // message is the caller's ("临时表清空失败,请检查系统设置!").
    Counts rebuild(qint64 userCode);

    // The users whose rows, brought up to date on the day they were last
    // made, are not those made anew from the interactions (-1 when that
    // cannot be told). Nothing is changed.
    static qint64 staleUsers(Database& db);
    Care care();

    // Some interaction (of any contact, trash included) plans today.
    bool hasPlannedToday();
    // A contact, spouse or child has a birthday from today to the month's end.
    bool hasBirthdaysAhead();

    static inline const QString kClearFailed = QStringLiteral("临时表清空失败,请检查系统设置!");

  private:
    struct Kept {
        qint64 day = 0;                  // day number of the rows
        qint64 seq = 0;                  // the last change of remindlog they include
        qint64 byType[4] = {0, 0, 0, 0}; // rows of each type (1 to 3)
    };
    std::optional<Kept> keptOf(qint64 userCode);
    bool followsLog(const std::optional<Kept>& kept, qint64 last);
    bool refreshDueDays(qint64 last, qint64 today);
    bool part(const sql::Statement& statement, bool quietly = false);
    bool countTypes(const sql::Statement& statement, qint64 byType[4], int sign);

    QString year() const;
    QString month() const;
    QString day() const;

    Database& db_;
    QDate today_;
};
