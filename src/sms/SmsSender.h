// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class Clock;
class Database;
class SmsGateway;

// One round of the SMS sender on the shared database: every waiting row of
// smssend is claimed (status 0 to 1 in one conditional update, so that of any
// number of senders only one gets it), handed to the gateway, then marked
// delivered (2) or failed (3); the messages the gateway received go into
// smsrecv, named after the contact with that mobile number. A row left at 1 by
// a sender that was killed is marked failed (3) by the next round that finds
// no other sender at work: it may or may not have gone out, and it is never
// sent twice.
class SmsSender {
  public:
    struct Report {
        int sent = 0;
        int failed = 0;
        int received = 0;
        bool ok = true; // false when the database or the receive command failed
    };
    // One line per event, for the sender's log.
    using Log = std::function<void(const QString&)>;

    SmsSender(Database& db, SmsGateway& gateway, const Clock& clock, Log log = {})
        : db_(db), gateway_(gateway), clock_(clock), log_(std::move(log)) {}

    Report runOnce();
    void sendQueued(Report& report);
    void storeReceived(Report& report);

  private:
    qint64 moveStatus(qint64 code, int from, int to);
    bool recoverLeftClaimed();
    void note(const QString& line) const;

    Database& db_;
    SmsGateway& gateway_;
    const Clock& clock_;
    Log log_;
};
