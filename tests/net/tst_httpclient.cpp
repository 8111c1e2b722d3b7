// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"
#include "net/HttpClient.h"

#include <QTest>

namespace {

const QByteArray kHeadLines = QByteArrayLiteral(
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-excel, "
    "application/msword, application/vnd.ms-powerpoint, */*\r\n"
    "Accept-Language: en-us\r\n"
    "Accept-Encoding: gzip, deflate\r\n"
    "User-Agent: Mozilla/4.0\r\n");

QByteArray longBody(int size) {
    QByteArray body;
    for (int i = 0; i < size; ++i)
        body += char('a' + i % 26);
    return body;
}

HttpSettings shortWaits() {
    HttpSettings settings;
    settings.connectTimeoutMs = 300;
    settings.sendTimeoutMs = 300;
    settings.receiveTimeoutMs = 300;
    return settings;
}

} // namespace

class TestHttpClient : public QObject {
    Q_OBJECT

  private slots:
    void splitUrl_data();
    void splitUrl();
    void requestBytes_data();
    void requestBytes();
    void portInTheUrlIsTheOneConnected();
    void answer_data();
    void answer();
    void silentServerFailsAfterTheReceiveTimeout();
    void refusedConnectionFails();
    void answerAboveTheSizeCapFails();
    void totalTimeoutEndsATricklingAnswer();
};

void TestHttpClient::splitUrl_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QByteArray>("path");

    QTest::newRow("plain") << "http://updates.example.com/mavor" << true
                           << QByteArray("UPDATES.EXAMPLE.COM") << 80 << QByteArray("/mavor");
    QTest::newRow("port, blank and case in the path")
        << "HTTP://Example.com:8080/Some Dir/v.TXT" << true << QByteArray("EXAMPLE.COM") << 8080
        << QByteArray("/Some Dir/v.TXT");
    QTest::newRow("no scheme") << "example.com/a" << true << QByteArray("EXAMPLE.COM") << 80
                               << QByteArray("/a");
    QTest::newRow("one slash") << "http:/host/a" << true << QByteArray("HOST") << 80
                               << QByteArray("/a");
    QTest::newRow("no path") << "http://host" << true << QByteArray("HOST") << 80
                             << QByteArray("/");
    QTest::newRow("query without path")
        << "http://host:81?q=1" << true << QByteArray("HOST") << 81 << QByteArray("?q=1");
    QTest::newRow("host name characters")
        << "http://my_host-1.example/x" << true << QByteArray("MY_HOST-1.EXAMPLE") << 80
        << QByteArray("/x");
    QTest::newRow("non-ASCII path kept")
        << QString::fromUtf8("http://h/人脉") << true << QByteArray("H") << 80
        << QString::fromUtf8("/人脉").toUtf8();
    QTest::newRow("ftp") << "ftp://host/a" << false << QByteArray() << 0 << QByteArray();
    QTest::newRow("https") << "https://host/a" << false << QByteArray() << 0 << QByteArray();
    QTest::newRow("empty host") << "http:///a" << false << QByteArray() << 0 << QByteArray();
    QTest::newRow("port 0") << "http://host:0/" << false << QByteArray() << 0 << QByteArray();
    QTest::newRow("port too big") << "http://host:70000/" << false << QByteArray() << 0
                                  << QByteArray();
}

void TestHttpClient::splitUrl() {
    QFETCH(QString, url);
    QFETCH(bool, valid);
    const auto parts = HttpClient::splitUrl(url);
    QCOMPARE(parts.has_value(), valid);
    if (!valid)
        return;
    QFETCH(QByteArray, host);
    QFETCH(int, port);
    QFETCH(QByteArray, path);
    QCOMPARE(parts->scheme, QByteArray("HTTP"));
    QCOMPARE(parts->host, host);
    QCOMPARE(int(parts->port), port);
    QCOMPARE(parts->path, path);
}

void TestHttpClient::requestBytes_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("post");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expectedHead");
    QTest::addColumn<QByteArray>("expectedBody");

    QTest::newRow("GET with a blank in the path")
        << "127.0.0.1"
        << "/ver info.txt" << false << QByteArray()
        << "GET /ver info.txt HTTP/1.0\r\n" + kHeadLines + "Host: 127.0.0.1\r\n\r\n"
        << QByteArray();
    QTest::newRow("GET ignores a body")
        << "127.0.0.1"
        << "/a" << false << QByteArray("x=1")
        << "GET /a HTTP/1.0\r\n" + kHeadLines + "Host: 127.0.0.1\r\n\r\n"
        << QByteArray();
    QTest::newRow("host upper-cased, port left out")
        << "localhost"
        << "/mavor" << false << QByteArray()
        << "GET /mavor HTTP/1.0\r\n" + kHeadLines + "Host: LOCALHOST\r\n\r\n"
        << QByteArray();
    QTest::newRow("POST turns blanks into %20")
        << "127.0.0.1"
        << "/post" << true << QByteArray("name=a b&c= d ")
        << "POST /post HTTP/1.0\r\n" + kHeadLines +
               "Content-Length: 20\r\nHost: 127.0.0.1\r\n"
               "Content-Type: application/x-www-form-urlencoded\r\n\r\n"
        << QByteArray("name=a%20b&c=%20d%20");
    QTest::newRow("POST without a body has no length")
        << "127.0.0.1"
        << "/" << true << QByteArray()
        << "POST / HTTP/1.0\r\n" + kHeadLines +
               "Host: 127.0.0.1\r\n"
               "Content-Type: application/x-www-form-urlencoded\r\n\r\n"
        << QByteArray();
}

void TestHttpClient::requestBytes() {
    QFETCH(QString, host);
    QFETCH(QString, path);
    QFETCH(bool, post);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expectedHead);
    QFETCH(QByteArray, expectedBody);

    LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n");
    QVERIFY(server.isReady());
    const QString url = QStringLiteral("http://%1:%2%3").arg(host).arg(server.port()).arg(path);
    const HttpResponse response = HttpClient().request(url, post, body);
    QVERIFY(response.ok);
    QCOMPARE(response.request, expectedHead);
    QCOMPARE(server.received(), expectedHead + expectedBody);
}

void TestHttpClient::portInTheUrlIsTheOneConnected() {
    LoopbackServer server("HTTP/1.0 200 OK\r\n\r\nfound", LoopbackServer::Mode::Answer, 8080);
    if (!server.isReady())
        QSKIP("port 8080 of the loopback address is in use");
    const HttpResponse response = HttpClient().request("http://127.0.0.1:8080/a b");
    QVERIFY(response.ok);
    QCOMPARE(response.body, QByteArray("found"));
    QVERIFY(server.received().startsWith("GET /a b HTTP/1.0\r\n"));
}

void TestHttpClient::answer_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("header and body")
        << QByteArray("HTTP/1.0 200 OK\r\nServer: t\r\n\r\nhello") << true << 200
        << QByteArray("HTTP/1.0 200 OK\r\nServer: t\r\n\r\n") << QByteArray("hello");
    QTest::newRow("bare line feeds")
        << QByteArray("HTTP/1.1 404 Not Found\nA: b\n\nmissing") << true << 404
        << QByteArray("HTTP/1.1 404 Not Found\nA: b\n\n") << QByteArray("missing");
    QTest::newRow("an empty line inside the body stays there")
        << QByteArrayLiteral("HTTP/1.0 200 OK\r\n\r\none\r\n\r\ntwo\0three") << true << 200
        << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << QByteArrayLiteral("one\r\n\r\ntwo\0three");
    const QByteArray big = longBody(5000);
    QTest::newRow("body of many chunks") << "HTTP/1.0 200 OK\r\n\r\n" + big << true << 200
                                         << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << big;
    QTest::newRow("compressed body left as it is")
        << QByteArrayLiteral("HTTP/1.0 200 OK\r\nContent-Encoding: gzip\r\n\r\n\x1f\x8b\x08\x00")
        << true << 200 << QByteArray("HTTP/1.0 200 OK\r\nContent-Encoding: gzip\r\n\r\n")
        << QByteArrayLiteral("\x1f\x8b\x08\x00");
    QTest::newRow("no status line") << QByteArray("hello\r\n\r\nx") << true << -1
                                    << QByteArray("hello\r\n\r\n") << QByteArray("x");
    QTest::newRow("closed inside the header") << QByteArray("HTTP/1.0 200 OK\r\nServer: t\r\n")
                                              << false << 200 << QByteArray() << QByteArray();
    QTest::newRow("closed without a word")
        << QByteArray() << false << -1 << QByteArray() << QByteArray();
}

void TestHttpClient::answer() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    LoopbackServer server(reply);
    QVERIFY(server.isReady());
    const HttpResponse response = HttpClient().request(server.url("/v"));
    QCOMPARE(response.ok, ok);
    if (!ok)
        return;
    QFETCH(int, status);
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, body);
    QCOMPARE(response.statusCode, status);
    QCOMPARE(response.header, header);
    QCOMPARE(response.body.size(), body.size());
    QCOMPARE(response.body, body);
}

void TestHttpClient::silentServerFailsAfterTheReceiveTimeout() {
    LoopbackServer server({}, LoopbackServer::Mode::Silent);
    QVERIFY(server.isReady());
    const HttpResponse response = HttpClient(shortWaits()).request(server.url("/v"));
    QVERIFY(!response.ok);
    QVERIFY(response.header.isEmpty());
}

void TestHttpClient::refusedConnectionFails() {
    LoopbackServer server({}, LoopbackServer::Mode::Refuse);
    QVERIFY(server.isReady());
    QVERIFY(!HttpClient().request(server.url("/v")).ok);
}

void TestHttpClient::answerAboveTheSizeCapFails() {
    HttpSettings capped;
    capped.maxResponseBytes = 1000;
    const QByteArray head("HTTP/1.0 200 OK\r\n\r\n");
    {
        LoopbackServer server(head + longBody(1000 - head.size()));
        QVERIFY(HttpClient(capped).request(server.url()).ok);
    }
    LoopbackServer server(head + longBody(1001 - head.size()));
    QVERIFY(!HttpClient(capped).request(server.url()).ok);
}

void TestHttpClient::totalTimeoutEndsATricklingAnswer() {
    // Each byte comes well within the receive time-out; only the total limit stops it.
    LoopbackServer server("HTTP/1.0 200 OK\r\nServer: a slow one\r\n\r\nversion text",
                          LoopbackServer::Mode::Trickle);
    HttpSettings settings;
    settings.totalTimeoutMs = 300;
    QVERIFY(!HttpClient(settings).request(server.url()).ok);
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
