// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "phones/PhoneEntry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;
class Prompter;
class ReportModel;

// The common phone directory: the list of one category, one entry read for the
// page, and the add, save and delete steps with their checks and messages.
class PhoneDirectory {
  public:
    static inline const QString kColumns =
        QStringLiteral("选,25;ID,0;名称,170;联系人,80;电话,100;手机,110;地址,190;价格,140");

    // What a check or a write came to; the page focuses the field concerned.
    enum class Outcome {
        Saved,
        NoTitle,
        NoCategory,
        BadMobile,
        BadPhone,
        BadFax,
        BadPrice,
        DutyLookup,
        CategoryLookup,
        DatabaseError
    };

    PhoneDirectory(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The condition of a navigation category: "societysitesort_code=%ld".
    static sql::Statement categoryCondition(qint64 categoryCode);
    // The list statement, with the condition when one is given.
    static sql::Statement listStatement(const sql::Statement& condition);
    // The list rows (empty, code, title, contact, phone, mobile, address, price).
    bool fetch(const sql::Statement& condition, QList<QStringList>& rows);
    // The entry for the page; nothing when the query fails or finds no row.
    std::optional<PhoneEntry> load(qint64 code);

    // Checks the entry in the order of the add form and appends it for the user.
    Outcome add(const PhoneEntry& entry, qint64 userCode);
    // Checks the page and writes it over the entry with this code.
    Outcome save(qint64 code, const PhoneEntry& entry);

    // Deletes the ticked rows after one confirmation and removes them from the
    // list; the number deleted, or -1 when nothing was ticked or the user declined.
    int deleteTicked(ReportModel& model);

    // The add loop: opens the form until it is cancelled or the user wants no
    // more ("继续增加吗?"); the number of entries the form saved.
    static int addLoop(Prompter& prompter, const std::function<bool()>& openForm);

    // The entries of the page's two drop-down lists.
    QStringList categoryNames();
    QStringList dutyNames();

  private:
    // The two codes of an entry; false after the numbered message was shown.
    bool codesOf(const PhoneEntry& entry, qint64* duty, qint64* category, Outcome* outcome);
    // Mobile, phone and fax must be phone numbers and the price an amount.
    Outcome checkNumbers(const PhoneEntry& entry);

    Database& db_;
    Prompter& prompter_;
};
