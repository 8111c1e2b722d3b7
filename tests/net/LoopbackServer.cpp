// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"

#include <QRegularExpression>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 10000;             // for a client that should come
constexpr qsizetype kMaxRequest = 1 << 20; // for a client that sends too much

qsizetype contentLength(const QByteArray& head) {
    static const QRegularExpression field(QStringLiteral("\\r\\nContent-Length: *(\\d+)\\r\\n"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto match = field.match(QString::fromLatin1(head));
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

} // namespace

LoopbackServer::LoopbackServer(QByteArray reply, Mode mode, quint16 port)
    : reply_(std::move(reply)), mode_(mode) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    // A fixed port left in TIME_WAIT by an earlier run may be bound again at once.
    const int reuse = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        (mode != Mode::Refuse && ::listen(fd, 4) != 0)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    port_ = ntohs(address.sin_port);
    if (mode == Mode::Answer || mode == Mode::Trickle)
        thread_ = std::thread(&LoopbackServer::serve, this);
}

LoopbackServer::~LoopbackServer() {
    if (thread_.joinable())
        thread_.join();
    if (fd_ >= 0)
        ::close(fd_);
}

QString LoopbackServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QByteArray LoopbackServer::received() {
    if (thread_.joinable())
        thread_.join();
    return received_;
}

void LoopbackServer::serve() {
    pollfd waiter{fd_, POLLIN, 0};
    if (::poll(&waiter, 1, kWaitMs) != 1)
        return;
    const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    timeval limit{kWaitMs / 1000, 0};
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);

    qsizetype expected = -1; // whole request size, known once the header is in
    char buffer[4096];
    while (received_.size() < kMaxRequest && (expected < 0 || received_.size() < expected)) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received_.append(buffer, n);
        const qsizetype headEnd = received_.indexOf("\r\n\r\n");
        if (expected < 0 && headEnd >= 0)
            expected = headEnd + 4 + contentLength(received_.left(headEnd + 2));
    }

    if (mode_ == Mode::Trickle) {
        for (const char c : std::as_const(reply_)) {
            if (::send(client, &c, 1, MSG_NOSIGNAL) != 1)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    } else {
        for (qsizetype sent = 0; sent < reply_.size();) {
            const ssize_t n = ::send(client, reply_.constData() + sent,
                                     size_t(reply_.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += n;
        }
    }
    ::shutdown(client, SHUT_WR);
    ::close(client);
}
