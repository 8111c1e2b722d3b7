// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/SyncAccount.h"

#include "base/Settings.h"
#include "server/SecretBox.h"

#include <QFileInfo>

carddav::Connection SyncAccount::connection() const {
    carddav::Connection c;
    c.server = book;
    c.user = user;
    c.password = password;
    c.trustedCertificate = trustedCertificate;
    return c;
}

bool SyncAccount::read(const QString& iniPath, const QString& keyPath, SyncAccount* account,
                       QString* error) {
    *account = SyncAccount();
    if (!QFileInfo(iniPath).isFile())
        return true;
    const Settings section(iniPath, kSection);
    account->book = QUrl(section.value(QStringLiteral("Book")));
    account->user = section.value(QStringLiteral("User"));
    account->trustedCertificate = section.value(QStringLiteral("Certificate"));
    account->everyMinutes = section.value(QStringLiteral("Every")).toInt();
    const QString sealed = section.value(QStringLiteral("Password"));
    if (sealed.isEmpty())
        return true;
    QString why;
    const auto opened = SecretBox(keyPath).open(sealed, &why);
    if (!opened) {
        *error = QStringLiteral("%1 中通讯录同步的密码无法解开 (%2): 请在“通讯录同步”中重新输入")
                     .arg(iniPath, why);
        return false;
    }
    account->password = *opened;
    return true;
}

bool SyncAccount::write(const QString& iniPath, const QString& keyPath, const SyncAccount& a,
                        QString* error) {
    QString sealed;
    if (!a.password.isEmpty()) {
        const auto s = SecretBox(keyPath).seal(a.password, error);
        if (!s)
            return false;
        sealed = *s;
    }
    Settings(iniPath).ensureExists();
    Settings section(iniPath, kSection);
    const bool ok = section.setValue(QStringLiteral("Book"), a.book.toString()) &&
                    section.setValue(QStringLiteral("User"), a.user) &&
                    section.setValue(QStringLiteral("Password"), sealed) &&
                    section.setValue(QStringLiteral("Certificate"), a.trustedCertificate) &&
                    section.setValue(QStringLiteral("Every"), QString::number(a.everyMinutes));
    if (!ok)
        *error = QStringLiteral("无法写入 %1").arg(iniPath);
    return ok;
}
