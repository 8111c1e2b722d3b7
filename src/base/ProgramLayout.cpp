// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramLayout.h"

#include "base/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

// The path from the installed binary's directory to the program's files;
// the build writes it from its installation directories.
#ifndef MAVOR_FILES_FROM_BINDIR
#define MAVOR_FILES_FROM_BINDIR "../share/mavor"
#endif

namespace {

constexpr QFile::Permissions kOwnerOnlyDir = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString absoluteClean(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

void fail(QString* error, const QString& text) {
    if (error)
        *error = text;
}

// Creates every missing directory on the way to path, each for its owner only
// (what the base directory rules ask of a directory a program creates).
bool makeOwnerOnlyPath(const QString& path, QString* error) {
    QStringList missing;
    for (QString p = path; !QFileInfo::exists(p);) {
        missing.prepend(p);
        const QString parent = QFileInfo(p).path();
        if (parent == p)
            break;
        p = parent;
    }
    for (const QString& dir : missing) {
        if (!QDir().mkdir(dir, kOwnerOnlyDir) && !QFileInfo(dir).isDir()) {
            fail(error, QStringLiteral("无法建立数据目录 %1: %2").arg(dir, qt_error_string(errno)));
            return false;
        }
    }
    if (!QFileInfo(path).isDir()) {
        fail(error, QStringLiteral("数据目录 %1 不是目录").arg(path));
        return false;
    }
    return true;
}

// Copies source to target through a private temporary file that is linked
// into place: target appears whole or not at all and is never replaced.
bool copyWithoutReplacing(const QString& source, const QString& target, QString* error) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("无法读取初始数据库 %1: %2").arg(source, in.errorString()));
        return false;
    }
    QByteArray name = QFile::encodeName(target + QStringLiteral(".new-XXXXXX"));
    const int fd = mkstemp(name.data()); // created for its owner only
    if (fd < 0) {
        fail(error, QStringLiteral("无法写入 %1: %2").arg(target, qt_error_string(errno)));
        return false;
    }
    bool ok = true;
    {
        QFile out;
        ok = out.open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle);
        while (ok && !in.atEnd()) {
            const QByteArray chunk = in.read(1 << 20);
            ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
        }
        ok = ok && out.flush() && fsync(fd) == 0;
    }
    int linkError = 0;
    if (ok && link(name.constData(), QFile::encodeName(target).constData()) != 0)
        linkError = errno;
    unlink(name.constData());
    if (!ok) {
        fail(error, QStringLiteral("无法写入 %1").arg(target));
        return false;
    }
    // Another start that got there first made the same copy.
    if (linkError != 0 && linkError != EEXIST) {
        fail(error, QStringLiteral("无法写入 %1: %2").arg(target, qt_error_string(linkError)));
        return false;
    }
    return true;
}

} // namespace

ProgramLayout::Environment ProgramLayout::processEnvironment() {
    Environment env;
    env.binaryDir = QCoreApplication::applicationDirPath();
    env.mavorHome = qEnvironmentVariable("MAVOR_HOME");
    env.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    env.home = qEnvironmentVariable("HOME");
    if (env.home.isEmpty())
        env.home = QDir::homePath();
    return env;
}

ProgramLayout ProgramLayout::detect(const Environment& env) {
    ProgramLayout layout;
    const QDir binary(absoluteClean(env.binaryDir));
    const QString shared =
        QDir::cleanPath(binary.filePath(QStringLiteral(MAVOR_FILES_FROM_BINDIR)));
    // A database beside the binary means a build tree (or a hand-made
    // program directory), whatever else is around.
    layout.installed_ = !QFileInfo::exists(binary.filePath(app::kDatabaseFile)) &&
                        QFileInfo(QDir(shared).filePath(app::kDatabaseFile)).isFile();
    layout.filesDir_ = layout.installed_ ? shared : binary.path();

    layout.namedByUser_ = !env.mavorHome.isEmpty();
    if (layout.namedByUser_) {
        layout.dataDir_ = absoluteClean(env.mavorHome);
    } else if (!layout.installed_) {
        layout.dataDir_ = binary.path();
    } else {
        // A relative XDG_DATA_HOME is invalid and ignored, as is an empty one.
        const QString base = QDir::isAbsolutePath(env.xdgDataHome)
                                 ? env.xdgDataHome
                                 : QDir(env.home).filePath(QStringLiteral(".local/share"));
        layout.dataDir_ = QDir::cleanPath(base + QStringLiteral("/mavor"));
    }
    return layout;
}

QString ProgramLayout::deliveredDatabase() const {
    return QDir(filesDir_).filePath(app::kDatabaseFile);
}

QString ProgramLayout::databasePath() const {
    return QDir(dataDir_).filePath(app::kDatabaseFile);
}

QString ProgramLayout::settingsPath() const {
    return QDir(dataDir_).filePath(app::kSettingsFile);
}

bool ProgramLayout::prepareDataDir(QString* error) const {
    if (!preparesDataDir())
        return true;
    if (!makeOwnerOnlyPath(dataDir_, error))
        return false;
    const QString target = databasePath();
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return true;
    return copyWithoutReplacing(deliveredDatabase(), target, error);
}
