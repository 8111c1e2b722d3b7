// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class Clock;
class Database;
class Prompter;
class ReportModel;

// Queues a text to the ticked contacts of the contact list in smssend (status
// 0, waiting); the outside sender sends the rows and sets their status.
class SmsQueue {
  public:
    // Waiting, handed over, delivered, failed.
    enum Status { Waiting = 0, HandedOver = 1, Delivered = 2, Failed = 3 };

    SmsQueue(Database& db, Prompter& prompter, const Clock& clock)
        : db_(db), prompter_(prompter), clock_(clock) {}

    // The text of a status in the outbox; an unknown value shows as its number.
    static QString statusText(qint64 status);

    // The queue command over the contact list: checks for ticked rows, asks
    // compose for the text (nothing when cancelled), queues it and reports the
    // count. The number of rows queued, -1 when nothing was queued.
    int run(const ReportModel& contacts, const std::function<std::optional<QString>()>& compose);
    // Appends one row per ticked contact with a mobile number, from the top;
    // stops at the first failure (rows queued before it stay). The rows queued.
    int queue(const ReportModel& contacts, const QString& content, bool* ok = nullptr);

  private:
    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
};
