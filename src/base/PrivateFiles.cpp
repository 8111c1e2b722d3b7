// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/PrivateFiles.h"

#include <QFile>
#include <QFileDevice>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace privatefiles {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

void ownerOnlyFromNowOn() {
    ::umask(077);
}

bool createEmpty(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool restrict(QFileDevice& file) {
    return file.setPermissions(kOwnerOnly);
}

bool restrict(const QString& path) {
    return QFile::setPermissions(path, kOwnerOnly);
}

} // namespace privatefiles
