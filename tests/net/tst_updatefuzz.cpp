// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ProcessLauncher.h"
#include "net/UpdateCheck.h"
#include "support/ScriptedPrompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// The update server is outside our control: whatever it answers, or however
// it fails to, the check ends within its time cap, never takes the program
// down, starts the updater only when the answer really names a newer
// version (with one argument it cannot take for an option), and otherwise
// lets the user in, also when the updater is not installed.
class TestUpdateFuzz : public QObject {
    Q_OBJECT

  private slots:
    void anyAnswerLetsTheUserIn();
};

namespace {

constexpr int kAnswers = 10000;
constexpr int kCapMs = 400;
// Time for the system besides the cap: a loaded machine schedules late.
constexpr int kSlackMs = 1500;
constexpr int kTrickleMs = 100;

class RecordingLauncher : public ProcessLauncher {
  public:
    bool startDetached(const QString&, const QStringList& arguments) override {
        ++launches;
        this->arguments = arguments;
        return true;
    }
    int launches = 0;
    QStringList arguments;
};

// How the server treats one connection.
enum class Manner { Answer, CloseAtOnce, AnswerAndHold, Trickle };

struct Turn {
    QByteArray answer;
    Manner manner = Manner::Answer;
};

// One listening socket on 127.0.0.1 serving the turns in order, one
// connection each; every wait is bounded.
class FuzzServer {
  public:
    FuzzServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::listen(fd_, 8) != 0) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        port_ = ntohs(address.sin_port);
    }
    ~FuzzServer() {
        if (thread_.joinable())
            thread_.join();
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isReady() const { return fd_ >= 0; }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/mavor").arg(port_); }

    // Serves one turn in the background; the previous one must be over.
    void serve(const Turn& turn) {
        if (thread_.joinable())
            thread_.join();
        thread_ = std::thread([this, turn] { serveOne(turn); });
    }
    void finish() {
        if (thread_.joinable())
            thread_.join();
    }

  private:
    static bool readable(int fd, int ms) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }
    void serveOne(const Turn& turn) {
        if (!readable(fd_, 5000))
            return;
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        // The request: up to its empty line.
        QByteArray request;
        char buffer[4096];
        while (!request.contains("\r\n\r\n") && readable(client, 2000)) {
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            request.append(buffer, n);
        }
        if (turn.manner == Manner::Trickle) {
            // A byte now and then: each wait of the client is short, the whole is not.
            for (qsizetype i = 0; i < turn.answer.size(); ++i) {
                if (::send(client, turn.answer.constData() + i, 1, MSG_NOSIGNAL) != 1 ||
                    readable(client, kTrickleMs))
                    break;
            }
        } else if (turn.manner != Manner::CloseAtOnce) {
            qsizetype sent = 0;
            while (sent < turn.answer.size()) {
                const ssize_t n = ::send(client, turn.answer.constData() + sent,
                                         size_t(turn.answer.size() - sent), MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += n;
            }
        }
        // Holding on: the client must give up by itself.
        if (turn.manner == Manner::AnswerAndHold) {
            while (readable(client, 5000) && ::recv(client, buffer, sizeof buffer, 0) > 0) {
            }
        }
        ::close(client);
    }

    int fd_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
};

const QList<QByteArray> kSeeds = {
    "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n3.1#setup.zip /quiet$$$$",
    "HTTP/1.0 200 OK\r\n\r\n2.9#setup.zip$$$$",
    "HTTP/1.1 200 OK\r\nContent-Length: 17\r\n\r\n3.0#setup.zip$$$$",
    "HTTP/1.0 404 Not Found\r\n\r\n3.1#a$$$$",
    "HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/\r\n\r\n",
    "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n4.0#a$$$$\r\n0\r\n\r\n",
    "HTTP/1.0 200 OK\r\n\r\n<html><body>update</body></html>",
    "HTTP/1.0 200 OK\r\n\r\n10#\"my file.zip\" #2$$$$",
};

const QList<QByteArray> kPieces = {
    "$$$$",
    "#",
    "\r\n",
    "\r\n\r\n",
    "\n",
    "\0",
    "\xff\xfe",
    "\xe4\xb8\xad",
    "9999999999999999999",
    "1e309",
    "-1",
    "3.0000001",
    "NaN",
    "HTTP/1.0 ",
    "200",
    " ",
    "%00",
    "\"",
    "..",
    "3.",
};

QByteArray mutated(QRandomGenerator& random) {
    QByteArray a = kSeeds.at(int(random.bounded(kSeeds.size())));
    const int steps = 1 + int(random.bounded(6));
    for (int s = 0; s < steps; ++s) {
        const qsizetype at = a.isEmpty() ? 0 : qsizetype(random.bounded(int(a.size()) + 1));
        switch (random.bounded(7)) {
        case 0: // a byte flipped
            if (!a.isEmpty())
                a[qMin(at, a.size() - 1)] = char(random.bounded(256));
            break;
        case 1: // a piece cut out
            a.remove(at, qsizetype(random.bounded(16)));
            break;
        case 2: // cut short
            a.truncate(at);
            break;
        case 3: // a telling piece put in
            a.insert(at, kPieces.at(int(random.bounded(kPieces.size()))));
            break;
        case 4: { // random bytes put in
            QByteArray noise(qsizetype(random.bounded(32)), '\0');
            for (char& c : noise)
                c = char(random.bounded(256));
            a.insert(at, noise);
            break;
        }
        case 5: // a part repeated
            a.insert(at, a.mid(qsizetype(random.bounded(int(a.size()) + 1)), 40));
            break;
        case 6: // rarely, far more than an answer should hold
            if (random.bounded(200) == 0)
                a.insert(at, QByteArray(qsizetype(70 * 1024 + random.bounded(200 * 1024)), 'a'));
            break;
        }
    }
    return a;
}

// Whether the bytes hold, anywhere, a plain decimal above 3.0 followed by "#"
// and later "$$$$", after a status line of 200: without that no answer may
// start the updater.
bool namesANewerVersion(const QByteArray& answer) {
    // Only an answer of status 200 counts.
    if (!answer.left(answer.indexOf('\n')).contains(" 200"))
        return false;
    static const QRegularExpression announce(QStringLiteral("(\\d+(?:\\.\\d+)?)\\s*#"));
    const QString text = QString::fromLatin1(answer);
    auto it = announce.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        if (match.captured(1).toDouble() > 3.0 &&
            text.indexOf(QStringLiteral("$$$$"), match.capturedEnd()) >= 0)
            return true;
    }
    return false;
}

} // namespace

void TestUpdateFuzz::anyAnswerLetsTheUserIn() {
    FuzzServer server;
    QVERIFY(server.isReady());
    QTemporaryDir dir, withoutUpdater;
    {
        QFile updater(dir.filePath(QStringLiteral("download")));
        QVERIFY(updater.open(QIODevice::WriteOnly));
    }
    HttpSettings http = UpdateCheck::defaultHttpSettings();
    http.connectTimeoutMs = kCapMs;
    http.sendTimeoutMs = kCapMs;
    http.receiveTimeoutMs = kCapMs;
    http.totalTimeoutMs = kCapMs;

    QRandomGenerator random(14);
    int updates = 0;
    int missing = 0;
    qint64 longest = 0;
    for (int i = 0; i < kAnswers; ++i) {
        Turn turn;
        turn.answer = mutated(random);
        const quint32 manner = random.bounded(1000);
        turn.manner = manner < 1    ? Manner::AnswerAndHold
                      : manner < 2  ? Manner::Trickle
                      : manner < 30 ? Manner::CloseAtOnce
                                    : Manner::Answer;
        server.serve(turn);

        // Every fourth answer goes to an installation without the updater.
        const bool installed = i % 4 != 0;
        ScriptedPrompter prompter;
        RecordingLauncher launcher;
        UpdateCheck check(prompter, installed ? dir.path() : withoutUpdater.path(), server.url(),
                          launcher, http);
        QElapsedTimer timer;
        timer.start();
        const UpdateOutcome outcome = check.run();
        longest = qMax(longest, timer.elapsed());
        server.finish();

        const QByteArray shown = turn.answer.left(200).toPercentEncoding(" #$./:");
        QVERIFY2(timer.elapsed() <= kCapMs + kSlackMs, shown.constData());
        // Whatever the answer, the user gets in, unless a real updater takes over.
        if (outcome == UpdateOutcome::ExitForUpdate) {
            QVERIFY2(installed && turn.manner != Manner::CloseAtOnce &&
                         namesANewerVersion(turn.answer),
                     shown.constData());
            QCOMPARE(launcher.launches, 1);
            QCOMPARE(launcher.arguments.size(), 1);
            QVERIFY2(!launcher.arguments[0].trimmed().startsWith(u'-'), shown.constData());
            QCOMPARE(prompter.texts(), QStringList{QStringLiteral("发现新版本!")});
            ++updates;
        } else if (!prompter.messages.isEmpty()) {
            // A newer version without the updater: said, and the user gets in.
            QVERIFY2(!installed && namesANewerVersion(turn.answer), shown.constData());
            QCOMPARE(launcher.launches, 0);
            QCOMPARE(prompter.texts(), (QStringList{QStringLiteral("发现新版本!"),
                                                    QStringLiteral("文件缺失!不能自动下载!")}));
            ++missing;
        } else {
            QCOMPARE(launcher.launches, 0);
        }
    }
    // The mutations left enough answers whole to reach the updater now and then.
    QVERIFY(updates > 0);
    QVERIFY(missing > 0);
    qInfo("%d answers, %d started the updater, %d found it missing, longest check %lld ms",
          kAnswers, updates, missing, longest);
}

QTEST_GUILESS_MAIN(TestUpdateFuzz)
#include "tst_updatefuzz.moc"
