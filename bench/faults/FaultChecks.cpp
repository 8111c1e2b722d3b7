// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultChecks.h"

#include "db/BaseCounts.h"
#include "db/Database.h"
#include "db/LatestComm.h"
#include "interactions/Reminders.h"

namespace faults {

namespace {

struct Check {
    const char* what;
    const char* statement; // counts the rows that break the rule
};

const Check kChecks[] = {
    {"contacts without all of their sheets",
     "select count(*) from base b where not exists (select 1 from home where "
     "home_base_code=b.base_code) or not exists (select 1 from society where "
     "society_base_code=b.base_code) or not exists (select 1 from extend where "
     "extend_base_code=b.base_code)"},
    {"family sheets without their contact",
     "select count(*) from home where home_base_code not in (select base_code from base)"},
    {"social sheets without their contact",
     "select count(*) from society where society_base_code not in (select base_code from base)"},
    {"extended sheets without their contact",
     "select count(*) from extend where extend_base_code not in (select base_code from base)"},
    {"interactions without their contact",
     "select count(*) from comm where comm_base_code not in (select base_code from base)"},
    {"associations without their contact",
     "select count(*) from asso where asso_base_code not in (select base_code from base)"},
    {"documents without their contact",
     "select count(*) from doc where doc_base_code not in (select base_code from base)"},
};

} // namespace

qint64 number(Database& db, const QString& statement) {
    qint64 value = -1;
    if (!db.queryQuietly(sql::Statement(statement), [&](const Row& row) {
            value = row.numberAt(0, -1);
            return false;
        }))
        return -1;
    return value;
}

QStringList findings(Database& db) {
    QStringList out;
    QStringList integrity;
    const bool read =
        db.queryQuietly(sql::Statement("PRAGMA integrity_check"), [&](const Row& row) {
            integrity << row.textAt(0);
            return true;
        });
    if (!read)
        return {QStringLiteral("integrity check failed: %1").arg(db.lastError())};
    if (integrity != QStringList{QStringLiteral("ok")})
        out << QStringLiteral("integrity: %1").arg(integrity.join(QStringLiteral("; ")));
    for (const Check& check : kChecks) {
        const qint64 n = number(db, QString::fromLatin1(check.statement));
        if (n != 0)
            out << QStringLiteral("%1: %2").arg(QString::fromLatin1(check.what)).arg(n);
    }
    if (const qint64 n = number(db, latestcomm::staleCountText(false)); n != 0)
        out << QStringLiteral("contacts whose kept newest interaction is not their newest: %1")
                   .arg(n);
    if (const qint64 n = number(db, basecount::staleCountText()); n != 0)
        out << QStringLiteral("kept counts of contacts that are not what base says: %1").arg(n);
    if (const qint64 n = Reminders::staleUsers(db); n != 0)
        out << QStringLiteral("users whose kept reminders, brought up to date, are not those "
                              "made anew: %1")
                   .arg(n);
    return out;
}

} // namespace faults
