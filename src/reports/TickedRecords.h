// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;
class ReportModel;
class Row;

// The records of a list's ticked contacts, in the list's order, read a batch
// at a time: one statement per few thousand contacts instead of one per
// contact, which is what a list of tens of thousands spends its time on.
class TickedRecords {
  public:
    static constexpr int kBatch = 5000;

    // A contact's record as the texts of the cells it fills, in order.
    using Record = QStringList;
    // Records of the contacts with these codes, keyed by code; a code without
    // a record is left out. Nothing after a database error (shown).
    using Reader =
        std::function<std::optional<QHash<QString, Record>>(const sql::Statement& codeList)>;

    // A reader running batchTemplate ("… in (%s)", each row led by the
    // contact's code) and making each row's record with recordOf. Every full
    // batch runs the same statement: it is compiled once and only bound anew.
    static Reader reader(Database& db, const QString& batchTemplate,
                         const std::function<Record(const Row&)>& recordOf);

    // "?,?,…" with each code bound, for "in (%s)".
    static sql::Statement codeList(const QStringList& codes);

    // Calls write(record) for each ticked row in order and ends at the first
    // one without a record; advance(n) follows the rows walked. False after a
    // database error.
    static bool walk(const ReportModel& list, const Reader& read,
                     const std::function<void(const Record&)>& write,
                     const std::function<void(int)>& advance);
};
