// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Database;

// What the reminders keep between rebuilds: the log of changed contacts
// (remindlog, written by triggers), each live contact's due and overdue days
// (reminddue) and each user's last rebuild (remindstate). None of it is data
// of its own: a copy of the database leaves it behind and forgets it on the
// other side, and the next rebuild makes every row anew.
namespace remindlog {

inline const QStringList kTables{QStringLiteral("remindlog"), QStringLiteral("reminddue"),
                                 QStringLiteral("remindstate")};

bool isKept(const QString& table);
// Empties the three tables; the caller holds the transaction.
bool forget(Database& db, QString* error);

} // namespace remindlog
