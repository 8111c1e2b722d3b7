// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QString>

class Clock;
class Database;

// The user's score (等级分): the level values of the user's live contacts plus
// the bonus points in user_grade, and the level text that goes with it.
class Score {
  public:
    explicit Score(Database& db) : db_(db) {}

    // Sum of the level values of the contacts a filter selects (NULL counts 0).
    qint64 networkScore(const sql::Statement& filter);
    // Network score of the user's live contacts plus the bonus points.
    qint64 userScore(qint64 userCode);
    // Adds (or with negative points subtracts) bonus points.
    bool add(qint64 userCode, qint64 points);
    // Applied once after each login: stamps the login time and rewards a daily
    // login or charges a long absence. Returns the greeting line of the notice.
    QString applyLoginRule(qint64 userCode, const Clock& clock);

    static QString scoreText(qint64 score);
    static QString levelText(qint64 score);
    // "等级分增加 %d 分!" / "等级分减少 %d 分!"
    static QString changeNotice(qint64 points);

  private:
    Database& db_;
};
