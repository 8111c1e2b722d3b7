// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/RelationFigures.h"

#include <QWidget>

class Clock;
class Database;
class QLabel;

// One line above a contact's interactions: how often, how much given and
// received, the last date and the average interval against the level's, with
// the last twelve months drawn small beside it.
class CContactLedgerStrip : public QWidget {
    Q_OBJECT
  public:
    CContactLedgerStrip(Database& db, const Clock& clock, QWidget* parent = nullptr);

    // Reads the contact's ledger again; a code below 1 empties the line.
    void showContact(qint64 code);
    QString text() const;
    const QList<qint64>& months() const { return months_; }

    // The line for a ledger (no interactions: a line that says so).
    static QString describe(const ContactLedger& ledger);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Database& db_;
    const Clock& clock_;
    QLabel* line_;
    QList<qint64> months_;
};
