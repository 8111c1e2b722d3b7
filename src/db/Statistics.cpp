// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Statistics.h"

#include "db/Database.h"
#include "db/SchemaVersion.h"

#include <QFile>

static void initResources() {
    Q_INIT_RESOURCE(db);
}

namespace statistics {

bool gather(Database& db, QString* error) {
    initResources();
    QFile file(QStringLiteral(":/db/statistics.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("程序中缺少统计脚本");
        return false;
    }
    return schema::runStatements(db, QString::fromUtf8(file.readAll()), error);
}

bool refresh(Database& db, QString* error) {
    const bool own = !db.inTransaction();
    if (own && !db.executeQuietly(db.beginStatement())) {
        if (error)
            *error = db.lastError();
        return false;
    }
    if (!gather(db, error)) {
        if (own)
            db.executeQuietly(sql::Statement(QStringLiteral("ROLLBACK")));
        return false;
    }
    if (own && !db.executeQuietly(sql::Statement(QStringLiteral("COMMIT")))) {
        if (error)
            *error = db.lastError();
        db.executeQuietly(sql::Statement(QStringLiteral("ROLLBACK")));
        return false;
    }
    return true;
}

} // namespace statistics
