// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The parts of a URL the client works with. Scheme and host are upper-cased;
// the path keeps its case and its blanks, exactly as it was written.
struct HttpUrl {
    QByteArray scheme;
    QByteArray host;
    quint16 port = 80;
    QByteArray path;
};

// Time limits in milliseconds (all positive) and optional caps (0: none).
struct HttpSettings {
    int connectTimeoutMs = 10000;
    int sendTimeoutMs = 10000;
    int receiveTimeoutMs = 10000;
    // The whole request must be over within this time; the per-call limits above
    // alone let a server that trickles bytes hold the caller for ever.
    int totalTimeoutMs = 0;
    // More answer bytes (header block and body together) than this fail the request.
    qint64 maxResponseBytes = 0;
};

// What one request produced. With ok false the other fields hold whatever was
// gathered before the failure and must not be trusted.
struct HttpResponse {
    bool ok = false;
    QByteArray request;  // everything written before the body
    QByteArray header;   // up to and including the empty line, CR and LF as received
    QByteArray body;     // as received, never decompressed
    int statusCode = -1; // from the status line; -1 when it has none
};

// A minimal HTTP/1.0 client on a plain blocking TCP socket: one request per
// connection, the answer read until the server closes it. Failures are silent:
// the response comes back with ok false, nothing is shown to anyone.
class HttpClient {
  public:
    explicit HttpClient(HttpSettings settings = {}) : settings_(settings) {}

    // A GET, or with post set a POST of body, whose blanks go out as "%20" under
    // the form content type. Fails on a scheme other than HTTP, a name that does not
    // resolve, a connection refused or not made in time, a send or receive error or
    // time-out, and a connection closed before the empty line ending the header.
    HttpResponse request(const QString& url, bool post = false, const QByteArray& body = {}) const;

    // Splits url; nothing for a scheme other than HTTP, an empty host or a bad port.
    static std::optional<HttpUrl> splitUrl(const QString& url);

    // The bytes sent before the body, in their fixed order.
    static QByteArray requestHead(const HttpUrl& url, bool post, qsizetype bodyLength);

    // The code of a header block's status line ("HTTP/1.0 200 OK"), or -1.
    static int statusCodeOf(const QByteArray& header);

  private:
    HttpSettings settings_;
};
