#include "app/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString programDirectory() {
    const QString home = qEnvironmentVariable("MAVOR_HOME");
    QString dir = home.isEmpty() ? QCoreApplication::applicationDirPath() : home;
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    return dir;
}

QString programFile(const QString& name) {
    return programDirectory() + u'/' + name;
}

QString installedFile(const QString& relativePath) {
    const QDir binary(QCoreApplication::applicationDirPath());
    const QStringList places{binary.filePath(relativePath),
                             binary.filePath(QStringLiteral("../share/mavor/") + relativePath)};
    for (const QString& place : places) {
        if (QFileInfo::exists(place))
            return QDir::cleanPath(place);
    }
    return QDir::cleanPath(places.first());
}
