// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/ServerAddress.h"

#include <QStringList>
#include <QUrl>

namespace {

const QString kScheme = QStringLiteral("postgresql://");
const QString kShortScheme = QStringLiteral("postgres://");

QString encoded(const QString& part) {
    return QString::fromLatin1(QUrl::toPercentEncoding(part));
}

QString decoded(const QString& part) {
    return QUrl::fromPercentEncoding(part.toUtf8());
}

} // namespace

QString ServerAddress::location() const {
    QString out = kScheme;
    if (!user.isEmpty())
        out += encoded(user) + u'@';
    out += encoded(host);
    if (port != kDefaultPort)
        out += u':' + QString::number(port);
    out += u'/' + encoded(database);
    if (tls && tlsInsecure)
        out += QStringLiteral("?sslmode=require");
    else if (tls)
        out += QStringLiteral("?sslmode=verify-full") +
               (caFile.isEmpty() ? QString() : QStringLiteral("&sslrootcert=") + encoded(caFile));
    return out;
}

QString ServerAddress::systemCaFile() {
    return QStringLiteral("/etc/ssl/certs/ca-certificates.crt");
}

QString ServerAddress::shown() const {
    QString out;
    if (!user.isEmpty())
        out += user + u'@';
    out += host.isEmpty() ? QStringLiteral("localhost") : host;
    out += u':' + QString::number(port) + u'/' + database;
    return out;
}

QString ServerAddress::described() const {
    ServerAddress anonymous = *this;
    anonymous.user.clear();
    const QString security = !tls          ? QStringLiteral("未加密")
                             : tlsInsecure ? QStringLiteral("已加密, 未验证服务器证书, 不安全")
                                           : QStringLiteral("已加密, 已验证服务器证书");
    return anonymous.shown() + QStringLiteral(" (") + security + u')';
}

bool ServerAddress::isLocation(const QString& text) {
    return text.startsWith(kScheme, Qt::CaseInsensitive) ||
           text.startsWith(kShortScheme, Qt::CaseInsensitive);
}

std::optional<ServerAddress> ServerAddress::fromLocation(const QString& text) {
    if (!isLocation(text))
        return std::nullopt;
    QString rest = text.mid(text.indexOf(u"//") + 2);
    ServerAddress address;
    QString query;
    if (const qsizetype mark = rest.indexOf(u'?'); mark >= 0) {
        query = rest.mid(mark + 1);
        rest.truncate(mark);
    }
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    address.database = decoded(rest.mid(slash + 1));
    QString authority = rest.left(slash);
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0) {
        const QString who = authority.left(at);
        // A password written into a location is not taken: it never travels this way.
        address.user = decoded(who.section(u':', 0, 0));
        authority = authority.mid(at + 1);
    }
    if (const qsizetype colon = authority.lastIndexOf(u':'); colon >= 0) {
        bool ok = false;
        const int port = authority.mid(colon + 1).toInt(&ok);
        if (!ok || port <= 0 || port > 65535)
            return std::nullopt;
        address.port = port;
        authority.truncate(colon);
    }
    address.host = decoded(authority);
    for (const QString& pair : query.split(u'&', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0);
        const QString value = decoded(pair.section(u'=', 1));
        if (key == u"sslmode") {
            address.tls = value != u"disable" && value != u"allow" && value != u"prefer";
            address.tlsInsecure = value == u"require";
        } else if (key == u"sslrootcert") {
            address.caFile = value;
        } else if (key == u"host")
            address.host = value;
        else if (key == u"port")
            address.port = value.toInt();
        else if (key == u"user")
            address.user = value;
    }
    if (!address.isValid() || address.port <= 0)
        return std::nullopt;
    return address;
}
