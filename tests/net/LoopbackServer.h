// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <thread>

// A server of one connection on 127.0.0.1 for the network tests.
//
// Answer: accepts one connection, reads one request (the header and as many body
// bytes as its Content-Length gives), sends the reply and closes.
// Trickle: the same, but sends the reply one byte every 20 ms.
// Silent: listens and never accepts; the system still completes the connection,
// so the client connects, sends, and waits for an answer that never comes.
// Refuse: holds the port without listening, so connecting is refused.
//
// Every wait is bounded, so a client that never comes cannot hang a test.
class LoopbackServer {
  public:
    enum class Mode { Answer, Trickle, Silent, Refuse };

    explicit LoopbackServer(QByteArray reply = {}, Mode mode = Mode::Answer, quint16 port = 0);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // False when the port could not be had (a fixed port already in use).
    bool isReady() const { return fd_ >= 0; }
    quint16 port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    QString url(const QString& path = QStringLiteral("/")) const;
    // The bytes the client sent; waits until the connection was served.
    QByteArray received();

  private:
    void serve();

    QByteArray reply_;
    Mode mode_;
    int fd_ = -1;
    quint16 port_ = 0;
    QByteArray received_;
    std::thread thread_;
};
