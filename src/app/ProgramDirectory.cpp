#include "app/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

QString programDirectory() {
    const QString home = qEnvironmentVariable("MAVOR_HOME");
    QString dir = home.isEmpty() ? QCoreApplication::applicationDirPath() : home;
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    return dir;
}

QString programFile(const QString& name) {
    return programDirectory() + u'/' + name;
}
