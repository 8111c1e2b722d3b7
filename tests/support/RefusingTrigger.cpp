// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RefusingTrigger.h"

#include "db/Database.h"

#include <QStringList>

bool refuseWrites(Database& db, const QString& name, const QString& when, const QString& condition,
                  const QString& message) {
    // Definitions take no bound values: the parts are program text here.
    if (!db.isServer()) {
        const QString guard =
            condition.isEmpty() ? QString() : QStringLiteral(" when ") + condition;
        return db.execute(sql::Statement(QStringLiteral("create trigger %1 %2%3 begin select "
                                                        "raise(abort,'%4'); end")
                                             .arg(name, when, guard, message)));
    }
    // A server's trigger calls a function; "before delete on doc" becomes
    // "before delete on doc for each row".
    const QString test = condition.isEmpty() ? QStringLiteral("true") : condition;
    const QStringList parts = {
        QStringLiteral("create function %1_refuse() returns trigger language plpgsql as $$ "
                       "begin if %2 then raise exception '%3'; end if; "
                       "return case when tg_op = 'DELETE' then old else new end; end $$")
            .arg(name, test, message),
        QStringLiteral("create trigger %1 %2 for each row execute function %1_refuse()")
            .arg(name, when),
    };
    for (const QString& part : parts)
        if (!db.executeServerText(part))
            return false;
    return true;
}
