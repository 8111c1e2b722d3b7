// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

class Database;

// The post and level names the contact list shows, read once per load instead
// of one lookup per row and column. A code the tables do not hold, or a NULL
// name, gives the lookup sentinel, exactly as the row-by-row lookups would.
class PostLevelNames {
  public:
    // Reads the duty and sort tables; false when either read failed (the
    // failure has been reported and the missing names give the sentinel).
    bool load(Database& db);

    QString post(qint64 dutyCode) const;
    QString level(qint64 sortCode) const;

  private:
    QHash<qint64, QString> posts_;
    QHash<qint64, QString> levels_;
};
