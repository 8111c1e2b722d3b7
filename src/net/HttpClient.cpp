// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/HttpClient.h"

#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

const QByteArray kAccept = QByteArrayLiteral(
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-excel, "
    "application/msword, application/vnd.ms-powerpoint, */*\r\n");
const QByteArray kFormType =
    QByteArrayLiteral("Content-Type: application/x-www-form-urlencoded\r\n");
constexpr int kBodyChunk = 511;

bool isHostChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Closes the socket on every way out.
class Socket {
  public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

// The time left for the whole request when a total limit is set.
class Budget {
  public:
    explicit Budget(int totalMs)
        : limited_(totalMs > 0), end_(Clock::now() + std::chrono::milliseconds(totalMs)) {}

    // perCallMs cut to what is left; 0 when nothing is left.
    int cap(int perCallMs) const {
        if (!limited_)
            return perCallMs;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
        return int(std::max<qint64>(0, std::min<qint64>(perCallMs, left)));
    }

  private:
    bool limited_;
    Clock::time_point end_;
};

bool setTimeout(int fd, int option, int ms) {
    timeval tv{};
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    return ::setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv) == 0;
}

// Keeps a socket time-out option at the per-call limit, or lower as the total
// limit runs out. False when no time is left.
class TimeoutOption {
  public:
    TimeoutOption(int fd, int option, int perCallMs, const Budget& budget)
        : fd_(fd), option_(option), perCallMs_(perCallMs), budget_(budget) {}

    bool arm() {
        const int ms = budget_.cap(perCallMs_);
        if (ms <= 0)
            return false;
        if (ms == current_)
            return true;
        current_ = ms;
        return setTimeout(fd_, option_, ms);
    }

  private:
    int fd_;
    int option_;
    int perCallMs_;
    const Budget& budget_;
    int current_ = -1;
};

bool setBlocking(int fd, bool blocking) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0)
        return false;
    return ::fcntl(fd, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK) == 0;
}

// A non-blocking connect with a wait for writability, then back to blocking.
bool connectWithin(int fd, const addrinfo& address, int waitMs) {
    if (!setBlocking(fd, false))
        return false;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS)
            return false;
        pollfd waiter{fd, POLLOUT, 0};
        int ready;
        do {
            ready = ::poll(&waiter, 1, waitMs);
        } while (ready < 0 && errno == EINTR);
        if (ready <= 0)
            return false;
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
            return false;
    }
    return setBlocking(fd, true);
}

// A connected socket with the send and receive time-outs set, or -1. Every
// address of the name is tried while the connect time lasts.
int openConnection(const HttpUrl& url, const HttpSettings& settings, const Budget& budget) {
    const int connectMs = budget.cap(settings.connectTimeoutMs);
    const Budget connectBudget(connectMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const QByteArray service = QByteArray::number(url.port);
    if (connectMs <= 0 ||
        ::getaddrinfo(url.host.constData(), service.constData(), &hints, &found) != 0)
        return -1;
    int connected = -1;
    for (const addrinfo* a = found; a && connected < 0; a = a->ai_next) {
        const int waitMs = connectBudget.cap(settings.connectTimeoutMs);
        if (waitMs <= 0)
            break;
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        if (setTimeout(fd, SO_SNDTIMEO, settings.sendTimeoutMs) &&
            setTimeout(fd, SO_RCVTIMEO, settings.receiveTimeoutMs) && connectWithin(fd, *a, waitMs))
            connected = fd;
        else
            ::close(fd);
    }
    ::freeaddrinfo(found);
    return connected;
}

bool sendAll(int fd, const QByteArray& bytes, TimeoutOption& timeout) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        if (!timeout.arm())
            return false;
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

// One recv: the byte count, 0 when the server closed, -1 on an error or time-out.
ssize_t receive(int fd, char* buffer, size_t size, TimeoutOption& timeout) {
    for (;;) {
        if (!timeout.arm())
            return -1;
        const ssize_t n = ::recv(fd, buffer, size, 0);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

std::optional<HttpUrl> HttpClient::splitUrl(const QString& url) {
    const QByteArray given = url.toUtf8();
    const QByteArray upper = given.toUpper(); // ASCII only, so positions match
    HttpUrl parts;
    qsizetype at = 0;
    const qsizetype colon = upper.indexOf(':');
    if (colon >= 0) {
        parts.scheme = upper.left(colon);
        at = colon + 1;
        for (int slash = 0; slash < 2 && at < upper.size() && upper[at] == '/'; ++slash)
            ++at;
    } else {
        parts.scheme = QByteArrayLiteral("HTTP");
    }
    if (parts.scheme != "HTTP")
        return std::nullopt;

    const qsizetype hostStart = at;
    while (at < upper.size() && isHostChar(upper[at]))
        ++at;
    parts.host = upper.mid(hostStart, at - hostStart);
    if (parts.host.isEmpty())
        return std::nullopt;

    if (at + 1 < upper.size() && upper[at] == ':' && isDigit(upper[at + 1])) {
        const qsizetype portStart = ++at;
        while (at < upper.size() && isDigit(upper[at]))
            ++at;
        bool ok = false;
        const uint port = upper.mid(portStart, at - portStart).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return std::nullopt;
        parts.port = quint16(port);
    }
    parts.path = given.mid(at);
    if (parts.path.isEmpty())
        parts.path = QByteArrayLiteral("/");
    return parts;
}

QByteArray HttpClient::requestHead(const HttpUrl& url, bool post, qsizetype bodyLength) {
    QByteArray head;
    head += post ? "POST " : "GET ";
    head += url.path;
    head += " HTTP/1.0\r\n";
    head += kAccept;
    head += "Accept-Language: en-us\r\n";
    head += "Accept-Encoding: gzip, deflate\r\n";
    head += "User-Agent: Mozilla/4.0\r\n";
    if (bodyLength > 0)
        head += "Content-Length: " + QByteArray::number(bodyLength) + "\r\n";
    head += "Host: " + url.host + "\r\n";
    if (post)
        head += kFormType;
    head += "\r\n";
    return head;
}

int HttpClient::statusCodeOf(const QByteArray& header) {
    static const QRegularExpression statusLine(QStringLiteral("^HTTP/\\d+\\.\\d+ +(\\d{3})\\b"));
    const auto match = statusLine.match(QString::fromLatin1(header.left(64)));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

HttpResponse HttpClient::request(const QString& url, bool post, const QByteArray& body) const {
    HttpResponse response;
    const auto parts = splitUrl(url);
    if (!parts)
        return response;
    QByteArray payload = body;
    if (post)
        payload.replace(' ', "%20");
    else
        payload.clear();
    response.request = requestHead(*parts, post, payload.size());

    const Budget budget(settings_.totalTimeoutMs);
    const Socket socket(openConnection(*parts, settings_, budget));
    if (socket.fd() < 0)
        return response;

    TimeoutOption sendTimeout(socket.fd(), SO_SNDTIMEO, settings_.sendTimeoutMs, budget);
    if (!sendAll(socket.fd(), response.request + payload, sendTimeout))
        return response;

    const qint64 cap = settings_.maxResponseBytes;
    TimeoutOption receiveTimeout(socket.fd(), SO_RCVTIMEO, settings_.receiveTimeoutMs, budget);
    // The header ends at a line feed with nothing but carriage returns since the last one.
    int sinceLineFeed = 0;
    for (;;) {
        char c;
        if (receive(socket.fd(), &c, 1, receiveTimeout) != 1)
            return response;
        response.header += c;
        if (cap > 0 && response.header.size() > cap)
            return response;
        if (c == '\n') {
            if (sinceLineFeed == 0)
                break;
            sinceLineFeed = 0;
        } else if (c != '\r') {
            ++sinceLineFeed;
        }
    }
    response.statusCode = statusCodeOf(response.header);

    char chunk[kBodyChunk];
    for (;;) {
        const ssize_t n = receive(socket.fd(), chunk, sizeof chunk, receiveTimeout);
        if (n < 0)
            return response;
        if (n == 0)
            break;
        response.body.append(chunk, n);
        if (cap > 0 && response.header.size() + response.body.size() > cap)
            return response;
    }
    response.ok = true;
    return response;
}
