// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "reports/DateRange.h"

#include <QString>
#include <optional>

class Clock;
class Database;
class Prompter;

// What the interaction query form ("往来查询") holds; empty texts are fields
// left alone.
struct InteractionQueryForm {
    QString name;
    QString mobile;
    QString phone;
    QString workName;
    QString workAddress;
    QString workPhone;
    QString province;
    QString level;
    DateFields dates;
};

// The two conditions of an interaction query: on comm (the date range, may be
// empty) and on base (the user's live contacts matching the form).
struct InteractionConditions {
    sql::Statement comm;
    sql::Statement base;
};

class InteractionQuery {
  public:
    static inline const QString kTodayComm =
        QStringLiteral(" comm_date between cdate('%s') and cdate('%s') ");
    static inline const QString kTodayBase =
        QStringLiteral(" base_invalid_flag=1 and base_user_code=%ld ");

    InteractionQuery(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode);

    // Nothing when the date lists were refused (the message has been shown).
    std::optional<InteractionConditions> conditions(const InteractionQueryForm& form);
    // Today's interactions with the user's live contacts.
    InteractionConditions today() const;

  private:
    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
    qint64 userCode_;
};
