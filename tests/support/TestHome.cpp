#include "support/TestHome.h"

#include "db/DeliveredDatabase.h"

#include <QFile>
#include <QStandardPaths>
#include <QtGlobal>

namespace {

// The delivered database is written once per test process and copied for each home.
QString templateDatabase() {
    static QTemporaryDir holder;
    static QString path;
    if (path.isEmpty() && holder.isValid()) {
        const QString candidate = holder.path() + QStringLiteral("/template.tdb");
        QString error;
        if (delivered::create(candidate, &error))
            path = candidate;
        else
            qWarning("cannot write the template database: %s", qPrintable(error));
    }
    return path;
}

} // namespace

TestHome::TestHome() {
    const QString source = templateDatabase();
    valid_ = dir_.isValid() && !source.isEmpty() && QFile::copy(source, databasePath());
    if (valid_)
        QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
}
