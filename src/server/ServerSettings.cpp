// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/ServerSettings.h"

#include "base/Settings.h"
#include "db/ErrorMessages.h"
#include "server/SecretBox.h"

#include <QFileInfo>

ServerSettings::Reading ServerSettings::read(const QString& iniPath) {
    return read(iniPath, SecretBox::defaultKeyPath());
}

ServerSettings::Reading ServerSettings::read(const QString& iniPath, const QString& keyPath) {
    Reading reading;
    if (!QFileInfo(iniPath).isFile())
        return reading;
    const Settings section(iniPath, kSection);
    ServerAddress& address = reading.address;
    address.database = section.value(QStringLiteral("Database"));
    if (address.database.isEmpty())
        return reading;
    reading.state = State::Invalid;
    address.host = section.value(QStringLiteral("Host"));
    address.user = section.value(QStringLiteral("User"));
    const QString port = section.value(QStringLiteral("Port"));
    if (!port.isEmpty()) {
        bool ok = false;
        address.port = port.toInt(&ok);
        if (!ok || address.port <= 0 || address.port > 65535) {
            reading.error =
                QStringLiteral("%1 的 [Server] 中 Port=%2 不是端口号").arg(iniPath, port);
            return reading;
        }
    }
    const QString tls = section.value(QStringLiteral("Tls"), QStringLiteral("0"));
    auto yes = [](const QString& text) {
        return text == u"1" || text.compare(u"yes", Qt::CaseInsensitive) == 0 ||
               text.compare(u"true", Qt::CaseInsensitive) == 0;
    };
    address.tls = yes(tls);
    address.tlsInsecure = address.tls && yes(section.value(QStringLiteral("TlsInsecure")));
    address.caFile = section.value(QStringLiteral("Ca"));
    const QString password = section.value(QStringLiteral("Password"));
    // Without a key path the caller wants no password (the window signs each
    // person in with their own).
    if (!password.isEmpty() && !keyPath.isEmpty()) {
        if (!SecretBox::isSealed(password)) {
            reading.error = QStringLiteral("%1 的 [Server] 中的密码没有加密保存: 请用 "
                                           "mavor-admin server 输入服务器密码")
                                .arg(iniPath);
            return reading;
        }
        QString why;
        const auto opened = SecretBox(keyPath).open(password, &why);
        if (!opened) {
            reading.error = why;
            return reading;
        }
        address.password = *opened;
    }
    reading.state = State::Ready;
    return reading;
}

bool ServerSettings::write(const QString& iniPath, const ServerAddress& address, QString* error) {
    // The settings file is created as the program would create it, for its owner only.
    Settings(iniPath).ensureExists();
    Settings section(iniPath, kSection);
    const bool ok =
        section.setValue(QStringLiteral("Host"), address.host) &&
        section.setValue(QStringLiteral("Port"), QString::number(address.port)) &&
        section.setValue(QStringLiteral("Database"), address.database) &&
        section.setValue(QStringLiteral("User"), address.user) &&
        // No password: each person signs in as themselves.
        section.setValue(QStringLiteral("Password"), QString()) &&
        section.setValue(QStringLiteral("Tls"),
                         address.tls ? QStringLiteral("1") : QStringLiteral("0")) &&
        section.setValue(QStringLiteral("Ca"), address.tls ? address.caFile : QString()) &&
        section.setValue(QStringLiteral("TlsInsecure"),
                         address.tls && address.tlsInsecure ? QStringLiteral("1") : QString());
    if (!ok && error)
        *error = QStringLiteral("无法写入 %1").arg(iniPath);
    return ok;
}

void ServerSettings::forgetPassword(const QString& iniPath) {
    Settings section(iniPath, kSection);
    if (!section.value(QStringLiteral("Password")).isEmpty())
        section.setValue(QStringLiteral("Password"), QString());
}

QString ServerSettings::unreachableMessage(const ServerAddress& address,
                                           const QString& serverText) {
    return errors::message(errors::DatabaseOpen) +
           QStringLiteral("\r\n\r\n无法连接数据库服务器 %1:\r\n%2")
               .arg(address.shown(), serverText.trimmed());
}
