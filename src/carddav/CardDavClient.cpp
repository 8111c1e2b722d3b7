// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/CardDavClient.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QSslError>
#include <QXmlStreamReader>

namespace carddav {

namespace {

constexpr auto kDav = QLatin1String("DAV:");
constexpr auto kCard = QLatin1String("urn:ietf:params:xml:ns:carddav");
constexpr int kBatch = 100; // cards per multiget: big enough to be quick, small enough to resume
// Most bytes kept of one answer: a batch of cards at the vCard reader's cap of
// a card each, and then some. A server that sends more is not followed.
constexpr qint64 kMaxAnswer = 160 << 20;
// Most bytes of a whole book's cards in one answer (fetchAll): beyond, the
// cards are fetched a batch at a time, so memory stays small.
constexpr qint64 kMaxListing = 32 << 20;

// One <response> of a multistatus, with the properties its 200 propstats gave.
struct DavResponse {
    QString href;
    int status = 200; // of the response itself (sync-collection: 404 for a removed card)
    QString etag;
    QByteArray addressData;
    QString displayName;
    QString principal;   // current-user-principal/href
    QString home;        // addressbook-home-set/href
    bool isBook = false; // resourcetype has addressbook
    bool syncReport = false;
};

int statusOf(const QString& line) {
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
    return parts.size() >= 2 ? parts.at(1).toInt() : 0;
}

// Reads the multistatus answers of PROPFIND and REPORT; *token gets a
// sync-collection's new token.
QList<DavResponse> parseMultistatus(const QByteArray& xml, QString* token = nullptr) {
    QList<DavResponse> out;
    QXmlStreamReader r(xml);
    DavResponse current;
    bool inResponse = false;
    bool inPropstat = false;
    int propstatStatus = 200;
    DavResponse props; // of the current propstat
    QStringList path;  // local names of the open elements
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            const QStringView ns = r.namespaceUri();
            const QString name = r.name().toString();
            path << name;
            if (ns == kDav && name == u"response") {
                current = DavResponse();
                inResponse = true;
            } else if (ns == kDav && name == u"propstat") {
                props = DavResponse();
                propstatStatus = 200;
                inPropstat = true;
            } else if (ns == kDav && name == u"href" && inResponse && !inPropstat) {
                current.href = r.readElementText().trimmed();
                path.removeLast();
            } else if (ns == kDav && name == u"status" && inResponse) {
                const int s = statusOf(r.readElementText());
                path.removeLast();
                if (inPropstat)
                    propstatStatus = s;
                else
                    current.status = s;
            } else if (ns == kDav && name == u"sync-token" && !inResponse && token) {
                *token = r.readElementText().trimmed();
                path.removeLast();
            } else if (inPropstat && ns == kDav && name == u"getetag") {
                props.etag = r.readElementText().trimmed();
                path.removeLast();
            } else if (inPropstat && ns == kDav && name == u"displayname") {
                props.displayName = r.readElementText().trimmed();
                path.removeLast();
            } else if (inPropstat && ns == kCard && name == u"address-data") {
                props.addressData = r.readElementText().toUtf8();
                path.removeLast();
            } else if (inPropstat && ns == kCard && name == u"addressbook" &&
                       path.contains(QStringLiteral("resourcetype"))) {
                props.isBook = true;
            } else if (inPropstat && ns == kDav && name == u"sync-collection") {
                props.syncReport = true;
            } else if (inPropstat && ns == kDav && name == u"href") {
                const QString href = r.readElementText().trimmed();
                path.removeLast();
                if (path.contains(QStringLiteral("current-user-principal")))
                    props.principal = href;
                else if (path.contains(QStringLiteral("addressbook-home-set")))
                    props.home = href;
            }
        } else if (t == QXmlStreamReader::EndElement) {
            if (!path.isEmpty())
                path.removeLast();
            const QStringView ns = r.namespaceUri();
            if (ns == kDav && r.name() == u"propstat") {
                inPropstat = false;
                if (propstatStatus == 200) {
                    auto take = [](QString& to, const QString& from) {
                        if (!from.isEmpty())
                            to = from;
                    };
                    take(current.etag, props.etag);
                    take(current.displayName, props.displayName);
                    take(current.principal, props.principal);
                    take(current.home, props.home);
                    if (!props.addressData.isEmpty())
                        current.addressData = props.addressData;
                    current.isBook = current.isBook || props.isBook;
                    current.syncReport = current.syncReport || props.syncReport;
                }
            } else if (ns == kDav && r.name() == u"response") {
                inResponse = false;
                out << current;
            }
        }
    }
    return out;
}

QByteArray escapeXml(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

const QByteArray kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

} // namespace

CardDavClient::CardDavClient(Connection connection)
    : c_(std::move(connection)), nam_(std::make_unique<QNetworkAccessManager>()), cap_(kMaxAnswer) {
}

CardDavClient::~CardDavClient() = default;

QUrl CardDavClient::resolve(const QString& href) const {
    const QUrl base = lastUrl_.isValid() ? lastUrl_ : c_.server;
    return base.resolved(QUrl::fromEncoded(href.toUtf8()));
}

bool CardDavClient::fail(const QString& what) {
    error_ = what;
    return false;
}

QByteArray CardDavClient::send(const QByteArray& verb, const QUrl& target, const QByteArray& body,
                               const QList<QPair<QByteArray, QByteArray>>& headers, int depth) {
    error_.clear();
    status_ = 0;
    untrusted_ = QSslCertificate();
    QUrl url = target;
    for (int hop = 0; hop < 6; ++hop) {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        request.setTransferTimeout(c_.timeoutMs);
        request.setRawHeader("User-Agent", "mavor/" MAVOR_VERSION);
        if (!c_.user.isEmpty())
            request.setRawHeader("Authorization",
                                 "Basic " + (c_.user + u':' + c_.password).toUtf8().toBase64());
        if (!body.isEmpty())
            request.setHeader(QNetworkRequest::ContentTypeHeader,
                              verb == "PUT" ? QByteArray("text/vcard; charset=utf-8")
                                            : QByteArray("application/xml; charset=utf-8"));
        if (depth >= 0)
            request.setRawHeader("Depth", QByteArray::number(depth));
        for (const auto& [name, value] : headers)
            request.setRawHeader(name, value);
        if (url.scheme() == u"https" && !c_.extraAuthorities.isEmpty()) {
            QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
            ssl.addCaCertificates(c_.extraAuthorities);
            request.setSslConfiguration(ssl);
        }
        ++requests_;
        QNetworkReply* reply = nam_->sendCustomRequest(request, verb, body);
        QObject::connect(
            reply, &QNetworkReply::sslErrors, reply, [this, reply](const QList<QSslError>&) {
                const QSslCertificate peer = reply->sslConfiguration().peerCertificate();
                const QString digest =
                    QString::fromLatin1(peer.digest(QCryptographicHash::Sha256).toHex());
                if (!c_.trustedCertificate.isEmpty() &&
                    digest.compare(c_.trustedCertificate, Qt::CaseInsensitive) == 0)
                    reply->ignoreSslErrors();
                else
                    untrusted_ = peer;
            });
        bool tooBig = false;
        const qint64 cap = cap_;
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                         [reply, &tooBig, cap](qint64 received, qint64) {
                             if (received > cap) {
                                 tooBig = true;
                                 reply->abort();
                             }
                         });
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QElapsedTimer waited;
        waited.start();
        if (!reply->isFinished())
            loop.exec();
        waitedNs_ += waited.nsecsElapsed();
        std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> hold(
            reply, [](QNetworkReply* r) { r->deleteLater(); });
        status_ = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        lastUrl_ = url;
        lastHeaders_.clear();
        for (const auto& pair : reply->rawHeaderPairs())
            lastHeaders_.insert(pair.first.toLower(), pair.second);
        const QByteArray answer = reply->readAll();
        if (status_ >= 300 && status_ < 400 && lastHeaders_.contains("location")) {
            url = url.resolved(QUrl::fromEncoded(lastHeaders_.value("location")));
            continue;
        }
        if (tooBig) {
            status_ = 0;
            error_ = QStringLiteral("服务器 %1 的回答超过 %2 MB, 没有读取。")
                         .arg(url.host())
                         .arg(cap_ >> 20);
        } else if (status_ == 0) {
            if (!untrusted_.isNull())
                error_ = QStringLiteral("无法验证服务器 %1 的证书(%2)。如确认这是您自己的服务器, "
                                        "可在账户设置中选择信任这张证书。")
                             .arg(url.host(), reply->errorString());
            else
                error_ =
                    QStringLiteral("无法连接服务器 %1: %2").arg(url.host(), reply->errorString());
        } else if (status_ == 401) {
            error_ = QStringLiteral("服务器拒绝了用户名或密码。");
        } else if (status_ == 403) {
            error_ = QStringLiteral("服务器不允许这项操作(%1)。").arg(url.path());
        } else if (status_ >= 400) {
            error_ =
                QStringLiteral("服务器回答 %1 %2(%3)")
                    .arg(status_)
                    .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
                         url.path());
        }
        return answer;
    }
    error_ = QStringLiteral("服务器的转向太多(%1)。").arg(target.toString());
    status_ = 0;
    return {};
}

bool CardDavClient::propfind(const QUrl& url, int depth, const QByteArray& body,
                             QByteArray* answer) {
    *answer = send("PROPFIND", url, kXmlHead + body, {}, depth);
    return status_ == 207 || (status_ >= 200 && status_ < 300 && error_.isEmpty());
}

bool CardDavClient::discover(QList<AddressBook>* books) {
    books->clear();
    static const QByteArray kWho =
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:prop>"
        "<d:current-user-principal/><c:addressbook-home-set/><d:resourcetype/>"
        "</d:prop></d:propfind>";
    static const QByteArray kBooks =
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:prop>"
        "<d:resourcetype/><d:displayname/><d:supported-report-set/></d:prop></d:propfind>";
    QUrl start = c_.server;
    if (start.path().isEmpty() || start.path() == u"/")
        start.setPath(QStringLiteral("/.well-known/carddav"));
    QByteArray answer;
    if (!propfind(start, 0, kWho, &answer)) {
        // A server without the well-known address: ask its root.
        if (start == c_.server || status_ == 0 || status_ == 401)
            return false;
        start = c_.server;
        start.setPath(QStringLiteral("/"));
        if (!propfind(start, 0, kWho, &answer))
            return false;
    }
    QList<DavResponse> r = parseMultistatus(answer);
    QUrl home;
    if (!r.isEmpty() && r.first().isBook) {
        // The address is an address book itself.
        home = lastUrl_;
    } else {
        const QString principal = r.isEmpty() ? QString() : r.first().principal;
        QString homeHref = r.isEmpty() ? QString() : r.first().home;
        if (homeHref.isEmpty() && !principal.isEmpty()) {
            if (!propfind(resolve(principal), 0, kWho, &answer))
                return false;
            r = parseMultistatus(answer);
            homeHref = r.isEmpty() ? QString() : r.first().home;
        }
        if (homeHref.isEmpty())
            return fail(QStringLiteral("在 %1 没有找到通讯录(服务器没有给出通讯录所在的位置)。")
                            .arg(c_.server.toString()));
        home = resolve(homeHref);
    }
    home_ = home;
    if (!propfind(home, 1, kBooks, &answer))
        return false;
    for (const DavResponse& d : parseMultistatus(answer)) {
        if (!d.isBook)
            continue;
        AddressBook b;
        b.url = resolve(d.href);
        b.name = d.displayName.isEmpty() ? b.url.path().section(u'/', -2, -2) : d.displayName;
        b.syncCollection = d.syncReport;
        books->append(b);
    }
    return true;
}

bool CardDavClient::list(const QUrl& book, QList<RemoteCard>* cards) {
    cards->clear();
    static const QByteArray kList = "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/>"
                                    "<d:resourcetype/></d:prop></d:propfind>";
    QByteArray answer;
    if (!propfind(book, 1, kList, &answer))
        return false;
    const QString self = book.path();
    for (const DavResponse& d : parseMultistatus(answer)) {
        if (d.etag.isEmpty() || resolve(d.href).path() == self)
            continue;
        cards->append({d.href, d.etag, {}});
    }
    return true;
}

bool CardDavClient::fetch(const QUrl& book, const QStringList& hrefs, QList<RemoteCard>* cards) {
    cards->clear();
    for (qsizetype from = 0; from < hrefs.size(); from += kBatch) {
        QByteArray body = kXmlHead + "<c:addressbook-multiget xmlns:d=\"DAV:\" "
                                     "xmlns:c=\"urn:ietf:params:xml:ns:carddav\">"
                                     "<d:prop><d:getetag/><c:address-data/></d:prop>";
        for (const QString& href : hrefs.mid(from, kBatch))
            body += "<d:href>" + escapeXml(href) + "</d:href>";
        body += "</c:addressbook-multiget>";
        if (!reportCards(book, body, QStringLiteral("服务器不支持批量读取名片。"), cards))
            return false;
    }
    return true;
}

bool CardDavClient::reportCards(const QUrl& book, const QByteArray& body, const QString& refused,
                                QList<RemoteCard>* cards) {
    const QByteArray answer = send("REPORT", book, body, {}, 1);
    if (status_ != 207)
        return error_.isEmpty() ? fail(refused) : false;
    for (const DavResponse& d : parseMultistatus(answer)) {
        if (d.status == 200 && !d.addressData.isEmpty())
            cards->append({d.href, d.etag, d.addressData});
    }
    return true;
}

bool CardDavClient::fetchAll(const QUrl& book, QList<RemoteCard>* cards) {
    cards->clear();
    static const QByteArray kQuery =
        kXmlHead + "<c:addressbook-query xmlns:d=\"DAV:\" "
                   "xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:prop><d:getetag/>"
                   "<c:address-data/></d:prop><c:filter/></c:addressbook-query>";
    cap_ = kMaxListing;
    const bool ok = reportCards(book, kQuery, QStringLiteral("服务器不支持查询名片。"), cards);
    cap_ = kMaxAnswer;
    return ok;
}

bool CardDavClient::changesSince(const QUrl& book, const QString& token, Changes* changes,
                                 bool* tokenInvalid) {
    *changes = Changes();
    *tokenInvalid = false;
    const QByteArray body = kXmlHead + "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
                            escapeXml(token) +
                            "</d:sync-token><d:sync-level>1</d:sync-level>"
                            "<d:prop><d:getetag/></d:prop></d:sync-collection>";
    const QByteArray answer = send("REPORT", book, body, {}, -1);
    if (status_ != 207) {
        // RFC 6578 refuses an unknown token with valid-sync-token; some servers
        // fail otherwise (xandikos: 500). Either way a full listing takes over,
        // and shows any real trouble itself.
        if (status_ >= 400 && status_ != 401 && status_ != 404 && !token.isEmpty()) {
            *tokenInvalid = true;
            error_.clear();
        }
        return false;
    }
    const QString self = book.path();
    for (const DavResponse& d : parseMultistatus(answer, &changes->token)) {
        if (resolve(d.href).path() == self)
            continue;
        if (d.status == 404)
            changes->removed << d.href;
        else if (!d.etag.isEmpty())
            changes->changed << RemoteCard{d.href, d.etag, {}};
    }
    return true;
}

bool CardDavClient::currentToken(const QUrl& book, QString* token) {
    static const QByteArray kToken =
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:sync-token/></d:prop></d:propfind>";
    QByteArray answer;
    if (!propfind(book, 0, kToken, &answer))
        return false;
    token->clear();
    QXmlStreamReader r(answer);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.namespaceUri() == kDav &&
            r.name() == u"sync-token")
            *token = r.readElementText().trimmed();
    }
    return true;
}

bool CardDavClient::put(const QString& href, const QByteArray& card, const QString& etag,
                        QString* newEtag) {
    const QByteArray condition = etag.isEmpty() ? QByteArray("If-None-Match") : "If-Match";
    send("PUT", resolve(href), card, {{condition, etag.isEmpty() ? "*" : etag.toUtf8()}});
    if (status_ < 200 || status_ >= 300) {
        if (status_ == 412)
            error_ = QStringLiteral("名片在服务器上已被修改(%1)。").arg(href);
        return false;
    }
    if (newEtag)
        *newEtag = QString::fromUtf8(lastHeaders_.value("etag"));
    return true;
}

bool CardDavClient::remove(const QString& href, const QString& etag) {
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!etag.isEmpty())
        headers.append({"If-Match", etag.toUtf8()});
    send("DELETE", resolve(href), {}, headers);
    if (status_ == 404 || status_ == 410) {
        error_.clear();
        return true;
    }
    if (status_ == 412)
        error_ = QStringLiteral("名片在服务器上已被修改(%1)。").arg(href);
    return status_ >= 200 && status_ < 300;
}

bool CardDavClient::createBook(const QUrl& url, const QString& name) {
    const QByteArray body = kXmlHead +
                            "<d:mkcol xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\">"
                            "<d:set><d:prop><d:resourcetype><d:collection/><c:addressbook/>"
                            "</d:resourcetype><d:displayname>" +
                            escapeXml(name) + "</d:displayname></d:prop></d:set></d:mkcol>";
    send("MKCOL", url, body, {});
    return status_ >= 200 && status_ < 300;
}

} // namespace carddav
