// SPDX-License-Identifier: GPL-3.0-or-later
#include "DavServers.h"
#include "carddav/CardDavClient.h"

#include <QCryptographicHash>
#include <QTest>

using namespace carddav;

namespace {

QByteArray card(const QString& uid, const QString& name) {
    return QStringLiteral(
               "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%1\r\nFN:%2\r\nN:%2;;;;\r\nEND:VCARD\r\n")
        .arg(uid, name)
        .toUtf8();
}

} // namespace

class TestCardDavClient : public QObject {
    Q_OBJECT

  private slots:
    void everyRequestOfASync_data();
    void everyRequestOfASync();
    void wrongPasswordIsSaid();
    void certificates();
};

void TestCardDavClient::everyRequestOfASync_data() {
    QTest::addColumn<int>("server");
    QTest::newRow("radicale") << int(davtest::Radicale);
    QTest::newRow("xandikos") << int(davtest::Xandikos);
}

// Discovery, conditional writes, listing, multiget and sync-collection on one
// book, the way a sync uses them.
void TestCardDavClient::everyRequestOfASync() {
    QFETCH(int, server);
    const Connection c = davtest::connection(davtest::Server(server));
    const QUrl book = davtest::newBook(c);
    QVERIFY(book.isValid());
    CardDavClient client(c);
    QList<AddressBook> books;
    QVERIFY2(client.discover(&books), qPrintable(client.error()));
    const auto found = std::find_if(books.begin(), books.end(),
                                    [&](const AddressBook& b) { return b.url == book; });
    QVERIFY2(found != books.end(), qPrintable(book.toString()));
    QVERIFY(found->syncCollection);

    Changes start;
    bool invalid = true;
    QVERIFY2(client.changesSince(book, {}, &start, &invalid), qPrintable(client.error()));
    QVERIFY(start.changed.isEmpty());
    QVERIFY(!start.token.isEmpty());

    const QString href = book.path() + "a1.vcf";
    QString etag;
    QVERIFY2(client.put(href, card("a1", "张三"), {}, &etag), qPrintable(client.error()));
    // A second create at the same address is refused, not overwritten.
    QVERIFY(!client.put(href, card("a1", "李四"), {}, nullptr));
    QVERIFY(client.conflict());

    QList<RemoteCard> listed;
    QVERIFY2(client.list(book, &listed), qPrintable(client.error()));
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed.first().href, href);
    if (!etag.isEmpty())
        QCOMPARE(listed.first().etag, etag);
    etag = listed.first().etag;

    QList<RemoteCard> fetched;
    QVERIFY2(client.fetch(book, {href}, &fetched), qPrintable(client.error()));
    QCOMPARE(fetched.size(), 1);
    QVERIFY(QString::fromUtf8(fetched.first().data).contains(QStringLiteral("张三")));

    Changes since;
    QVERIFY2(client.changesSince(book, start.token, &since, &invalid), qPrintable(client.error()));
    QCOMPARE(since.changed.size(), 1);
    QCOMPARE(since.changed.first().href, href);

    // Updates and deletes go through only at the version last seen.
    QVERIFY(!client.put(href, card("a1", "王五"), "\"stale\"", nullptr));
    QVERIFY(client.conflict());
    QString newer;
    QVERIFY2(client.put(href, card("a1", "王五"), etag, &newer), qPrintable(client.error()));
    QVERIFY(!client.remove(href, etag));
    QVERIFY(client.conflict());
    QVERIFY(client.list(book, &listed));
    QVERIFY2(client.remove(href, listed.first().etag), qPrintable(client.error()));
    QVERIFY(client.remove(href, listed.first().etag)); // already gone

    Changes after;
    QVERIFY2(client.changesSince(book, since.token, &after, &invalid), qPrintable(client.error()));
    QCOMPARE(after.removed, QStringList{href});
    QVERIFY(!client.changesSince(book, "http://example.com/ns/sync/unknown", &after, &invalid));
    QVERIFY(invalid);
}

void TestCardDavClient::wrongPasswordIsSaid() {
    Connection c = davtest::connection(davtest::Radicale);
    c.password = "wrong";
    CardDavClient client(c);
    QList<AddressBook> books;
    QVERIFY(!client.discover(&books));
    QCOMPARE(client.error(), QStringLiteral("服务器拒绝了用户名或密码。"));
}

// HTTPS is verified: a certificate from an unknown authority is refused
// unless that authority, or that very certificate, was chosen.
void TestCardDavClient::certificates() {
    Connection c = davtest::connection(davtest::RadicaleTls);
    QList<AddressBook> books;
    {
        CardDavClient client(c);
        QVERIFY(!client.discover(&books));
        QVERIFY2(client.error().contains(QStringLiteral("无法验证服务器")),
                 qPrintable(client.error()));
        QVERIFY(!client.untrustedCertificate().isNull());
        c.trustedCertificate = QString::fromLatin1(
            client.untrustedCertificate().digest(QCryptographicHash::Sha256).toHex());
    }
    {
        CardDavClient client(c);
        QVERIFY2(client.discover(&books), qPrintable(client.error()));
    }
    c.trustedCertificate.clear();
    c.extraAuthorities = davtest::testAuthority();
    QCOMPARE(c.extraAuthorities.size(), 1);
    CardDavClient client(c);
    QVERIFY2(client.discover(&books), qPrintable(client.error()));
}

QTEST_GUILESS_MAIN(TestCardDavClient)
#include "tst_carddavclient.moc"
