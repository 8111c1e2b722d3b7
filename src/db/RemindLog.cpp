// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/RemindLog.h"

#include "db/Database.h"
#include "db/Statement.h"

namespace remindlog {

bool isKept(const QString& table) {
    return kTables.contains(table);
}

bool forget(Database& db, QString* error) {
    for (const QString& table : kTables) {
        if (!db.executeQuietly(sql::Statement(QStringLiteral("delete from ") + table))) {
            if (error)
                *error = db.lastError();
            return false;
        }
    }
    return true;
}

} // namespace remindlog
