// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/CardDavClient.h"

#include <QFile>
#include <QTest>
#include <QUuid>

// The servers the fixture started (davservers.sh), and a new empty address
// book on one of them for each case, so that cases never see each other's cards.
namespace davtest {

enum Server { Radicale, RadicaleTls, Xandikos };

inline int port(Server s) {
    return qEnvironmentVariableIntValue("MAVOR_DAV_PORT") + int(s);
}

inline carddav::Connection connection(Server s) {
    carddav::Connection c;
    c.server.setScheme(s == RadicaleTls ? QStringLiteral("https") : QStringLiteral("http"));
    c.server.setHost(s == RadicaleTls ? QStringLiteral("localhost") : QStringLiteral("127.0.0.1"));
    c.server.setPort(port(s));
    c.server.setPath(QStringLiteral("/"));
    c.user = QStringLiteral("tester");
    c.password = QStringLiteral("secret");
    c.timeoutMs = 10000;
    return c;
}

inline QList<QSslCertificate> testAuthority() {
    return QSslCertificate::fromPath(qEnvironmentVariable("MAVOR_DAV_DIR") + "/ca.crt");
}

// A new address book on the server; its URL (invalid after a failure the test reports).
inline QUrl newBook(const carddav::Connection& c) {
    carddav::CardDavClient client(c);
    QList<carddav::AddressBook> books;
    if (!client.discover(&books) || !client.home().isValid()) {
        qWarning("discover: %s", qPrintable(client.error()));
        return {};
    }
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QUrl url = client.home().resolved(QUrl(id + u'/'));
    if (!client.createBook(url, QStringLiteral("测试 ") + id.left(8))) {
        qWarning("mkcol: %s", qPrintable(client.error()));
        return {};
    }
    return url;
}

} // namespace davtest
