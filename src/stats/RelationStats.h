// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "stats/RelationFigures.h"

#include <optional>

class Database;
struct ScopeContacts;

// The figures of the relationship view (往来统计) and of one contact's ledger,
// over the interactions of live contacts: money is read with amount()
// (db/Amount.h), so a text that cannot be read counts as 0 and is counted
// among the unreadable rows. The period's interactions are read once and
// summed here; the contacts in scope come with what their earlier history
// leaves (a few small statements more). Failures are reported through the
// database's Prompter and give nothing.
class RelationStats {
  public:
    explicit RelationStats(Database& db) : db_(db) {}

    std::optional<RelationFigures> figures(const StatsRequest& request);
    std::optional<ContactLedger> ledger(qint64 contactCode, const QDate& today);
    // The day of the oldest interaction of a live contact in scope; today when none.
    QDate firstDay(const StatsRequest& request, const QDate& today);

    // The days the overdue counts are taken on: the end of each month of the
    // period (the period's last day for its last month), every few months
    // when the period is long, at most kMaxPoints.
    static QList<QDate> overduePoints(const QDate& from, const QDate& to);
    // The condition on base (as b) a scope gives.
    static sql::Statement scopeCondition(const StatsRequest& request);

    static constexpr int kTop = 20;
    static constexpr int kMaxPoints = 24;

  private:
    bool rankContacts(const ScopeContacts& contacts, RelationFigures& figures);
    bool countOverdue(ScopeContacts& contacts, RelationFigures& figures);

    Database& db_;
};
