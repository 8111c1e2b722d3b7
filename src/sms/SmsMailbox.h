// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Database;
class Prompter;
class ReportModel;

// The outbox (smssend) or the inbox (smsrecv) as a list: its rows newest
// first, the count in the title, the delete walk on the ticked rows and the
// text of the row to show.
class SmsMailbox {
  public:
    enum class Box { Outbox, Inbox };

    SmsMailbox(Database& db, Prompter& prompter, Box box)
        : db_(db), prompter_(prompter), box_(box) {}

    Box box() const { return box_; }
    QString columns() const;
    QString caption() const;
    QString title(int count) const;
    // The column that holds the message text.
    int contentColumn() const;

    bool fetch(QList<QStringList>& rows);
    // After one confirmation deletes the ticked rows and removes them from the
    // list; the number deleted, -1 when nothing was ticked or the user declined.
    int deleteTicked(ReportModel& model);
    // 查看: the text of the first ticked row.
    std::optional<QString> tickedText(const ReportModel& model);
    // A double click: the text of the selected row (-1 when none).
    std::optional<QString> selectedText(const ReportModel& model, int selectedRow);

  private:
    Database& db_;
    Prompter& prompter_;
    Box box_;
};
