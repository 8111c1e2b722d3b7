// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/LatestComm.h"

#include "db/Database.h"
#include "db/Statement.h"

namespace latestcomm {

namespace {

// The order the triggers use to find a contact's newest interaction.
const QString kNewestOf =
    QStringLiteral("(select n.comm_code from comm as n where n.comm_base_code = %1 "
                   "order by n.comm_date desc, n.comm_code desc limit 1)");

const QString kColumns = QStringLiteral(
    "c.comm_base_code, c.comm_code, c.comm_year, c.comm_month, c.comm_day, c.comm_next_year, "
    "c.comm_next_month, c.comm_next_day");

} // namespace

QString emptyText() {
    return QStringLiteral("delete from commlast");
}

QString fillText(bool server) {
    if (server)
        return QStringLiteral("insert into commlast select distinct on (c.comm_base_code) %1 "
                              "from comm as c where c.comm_base_code is not null "
                              "order by c.comm_base_code, c.comm_date desc, c.comm_code desc")
            .arg(kColumns);
    return QStringLiteral("insert into commlast select %1 from (select distinct comm_base_code "
                          "as code from comm where typeof(comm_base_code) = 'integer') as k, "
                          "comm as c where c.comm_code = %2")
        .arg(kColumns, kNewestOf.arg(QStringLiteral("k.code")));
}

QString staleCountText(bool server) {
    const QString same = server ? QStringLiteral(" is not distinct from ") : QStringLiteral(" is ");
    QStringList equal;
    for (const char* part : {"year", "month", "day", "next_year", "next_month", "next_day"}) {
        const QString name = QString::fromLatin1(part);
        equal << QStringLiteral("c.comm_%1%2l.commlast_%1").arg(name, same);
    }
    const QString kept = server ? QStringLiteral("comm_base_code is not null")
                                : QStringLiteral("typeof(comm_base_code) = 'integer'");
    return QStringLiteral(
               "select (select count(*) from commlast as l where not exists (select 1 from comm "
               "as c where c.comm_code = l.commlast_comm_code and c.comm_base_code = "
               "l.commlast_base_code and c.comm_code = %1 and %2)) + (select count(*) from "
               "(select distinct comm_base_code as code from comm where %3) as k where not "
               "exists (select 1 from commlast as m where m.commlast_base_code = k.code))")
        .arg(kNewestOf.arg(QStringLiteral("l.commlast_base_code")),
             equal.join(QStringLiteral(" and ")), kept);
}

bool refill(Database& db, QString* error) {
    const bool server = db.isServer();
    const bool done =
        server ? db.executeServerText(emptyText()) && db.executeServerText(fillText(true))
               : db.executeQuietly(sql::Statement(emptyText())) &&
                     db.executeQuietly(sql::Statement(fillText(false)));
    if (!done && error)
        *error = db.lastError();
    return done;
}

qint64 staleCount(Database& db) {
    return db.count(sql::Statement(staleCountText(db.isServer())));
}

} // namespace latestcomm
