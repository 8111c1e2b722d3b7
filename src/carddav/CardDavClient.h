// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace carddav {

// Where and as whom the address books are reached.
struct Connection {
    QUrl server; // what the person typed: the server, or an address book itself
    QString user;
    QString password;
    // The SHA-256 of a certificate the person chose to trust although no
    // authority vouches for it (a self-signed home server), as hex; empty: verify.
    QString trustedCertificate;
    // Authorities trusted beside the system's (a company's own CA).
    QList<QSslCertificate> extraAuthorities;
    int timeoutMs = 30000;
};

struct AddressBook {
    QUrl url;
    QString name;
    bool syncCollection = false; // the server offers RFC 6578 on it
};

// One card on the server: its address (a path), its version tag and, when fetched, its text.
struct RemoteCard {
    QString href;
    QString etag;
    QByteArray data;
};

// What changed on a collection since a token.
struct Changes {
    QList<RemoteCard> changed; // href and etag
    QStringList removed;       // hrefs
    QString token;
};

// A small CardDAV client (RFC 6352, RFC 6578 over WebDAV) on Qt Network.
// Every call waits for its answer; false (or empty) means failure, error()
// then says why in words a person can act on. A network error, a refused
// password and an unverifiable certificate each read differently.
class CardDavClient {
  public:
    explicit CardDavClient(Connection connection);
    ~CardDavClient();

    // The address books of the user: .well-known/carddav, the principal, its
    // address book home; a server address that is itself an address book is
    // the only one found.
    bool discover(QList<AddressBook>* books);
    // Where discover() found the user's address books (new ones go there too).
    QUrl home() const { return home_; }
    // Every card of a book by href with its etag (PROPFIND, depth 1).
    bool list(const QUrl& book, QList<RemoteCard>* cards);
    // The texts of cards (addressbook-multiget), fetched in batches.
    bool fetch(const QUrl& book, const QStringList& hrefs, QList<RemoteCard>* cards);
    // The changes since token (empty: all cards). tokenInvalid is set when the
    // server no longer knows the token: the caller falls back to list().
    bool changesSince(const QUrl& book, const QString& token, Changes* changes, bool* tokenInvalid);
    // Every card of a book with its text in one answer (addressbook-query
    // matching all): for a first sync, where a multiget per hundred cards
    // would follow. False when the book is beyond 32 MB or the server refuses.
    bool fetchAll(const QUrl& book, QList<RemoteCard>* cards);
    // The book's current token (empty when it has none).
    bool currentToken(const QUrl& book, QString* token);
    // Stores a card. etag empty: only when no card is at the address yet
    // (If-None-Match: *); otherwise only when its version is still etag.
    // The new etag, empty when the server gave none. conflict() is set
    // when the precondition failed.
    bool put(const QString& href, const QByteArray& card, const QString& etag, QString* newEtag);
    // Deletes a card still at version etag; a card already gone counts as deleted.
    bool remove(const QString& href, const QString& etag);
    // A new address book at url (extended MKCOL).
    bool createBook(const QUrl& url, const QString& name);

    QString error() const { return error_; }
    int lastStatus() const { return status_; }
    bool conflict() const { return status_ == 412; }
    // Number of requests sent (for measurements).
    int requests() const { return requests_; }
    // Time spent waiting for answers, in milliseconds (for measurements).
    double waitedMs() const { return double(waitedNs_) / 1e6; }
    // The certificate the server showed when it could not be verified, for the
    // person to look at and, knowingly, trust.
    QSslCertificate untrustedCertificate() const { return untrusted_; }

    QUrl resolve(const QString& href) const;

  private:
    QByteArray send(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                    const QList<QPair<QByteArray, QByteArray>>& headers, int depth = -1);
    bool propfind(const QUrl& url, int depth, const QByteArray& body, QByteArray* answer);
    // A REPORT on book whose answer holds cards with their texts: appends them
    // to cards; refused is the error when the server does not answer 207.
    bool reportCards(const QUrl& book, const QByteArray& body, const QString& refused,
                     QList<RemoteCard>* cards);
    bool fail(const QString& what);

    Connection c_;
    std::unique_ptr<QNetworkAccessManager> nam_;
    QString error_;
    int status_ = 0;
    int requests_ = 0;
    qint64 waitedNs_ = 0;
    QUrl lastUrl_;
    QHash<QByteArray, QByteArray> lastHeaders_;
    QSslCertificate untrusted_;
    QUrl home_;
    qint64 cap_; // most bytes read of the next answer
};

} // namespace carddav
