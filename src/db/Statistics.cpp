#include "db/Statistics.h"

#include "db/Database.h"
#include "db/SchemaVersion.h"

#include <QFile>

static void initResources() {
    Q_INIT_RESOURCE(db);
}

namespace statistics {

bool refresh(Database& db, QString* error) {
    initResources();
    QFile file(QStringLiteral(":/db/statistics.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("程序中缺少统计脚本");
        return false;
    }
    const QString script = QString::fromUtf8(file.readAll());
    const bool own = !db.inTransaction();
    if (own && !db.executeQuietly(db.beginStatement())) {
        if (error)
            *error = db.lastError();
        return false;
    }
    if (!schema::runStatements(db, script, error)) {
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
