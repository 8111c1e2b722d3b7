// SPDX-License-Identifier: GPL-3.0-or-later
// Times the sync with a CardDAV address book on Radicale and on xandikos, each
// figure beside what the server itself takes for the same requests (sent bare,
// one after another, or for the upload the time the sync waited for answers),
// and the processor time the sync spent here.
//
//   bench_carddav PATH [--contacts N] [--large L] [--changes C]
//                 [--server radicale|xandikos]
//       PATH: a database as delivered (mavor-admin initdb), copied for each run.
//       Starts both servers on 127.0.0.1 in a directory of their own and runs
//       the steps on each (or on the one named):
//       1. first sync up: N generated contacts into an empty book;
//          floor: the time the sync waited for the server's answers (the
//          same N PUTs sent again would double the run: each costs both
//          servers a scan of the book);
//       2. first sync down: the N cards into a second, empty database;
//          floor: sync-collection from no token, the whole book by a query;
//       3. first sync down of L cards laid into the server's storage (sent
//          one by one, each a commit on xandikos, they take the server itself
//          most of an hour); floor: the same listing;
//       4. incremental: the L contacts in step, then C/2 changed here and C/2
//          on the server; floor: sync-collection since the last token,
//          multiget of the changed cards and the PUTs of the local changes
//          over the same cards.
#include "BenchTiming.h"
#include "QuietPrompter.h"
#include "base/Clock.h"
#include "carddav/CardDavClient.h"
#include "carddav/SyncEngine.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Row.h"
#include "featureapi/Session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <ctime>

using namespace carddav;

namespace {

QTextStream out(stdout);

struct Home {
    QString path;
    QuietPrompter prompter;
    Database db{&prompter};
    SystemClock clock;
    Session session{1, 1};
};

bool makeHome(const QString& from, const QString& to, int contacts, Home& home) {
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    if (contacts > 0 && QProcess::execute(QStringLiteral(MAVOR_ADMIN),
                                          {"gen", "--contacts", QString::number(contacts),
                                           "--interactions", "0", "--seed", "7", to}) != 0)
        return false;
    home.path = to;
    return home.db.open(to);
}

QUrl newBook(const Connection& c) {
    CardDavClient client(c);
    const QUrl url = c.server.resolved(QUrl(
        QStringLiteral("/tester/%1/").arg(QUuid::createUuid().toString(QUuid::WithoutBraces))));
    return client.createBook(url, QStringLiteral("bench")) ? url : QUrl();
}

// One sync, timed on the wall clock and in this process's processor time.
struct Timed {
    SyncReport report;
    double ms = 0;
    double cpuMs = 0;
    double waitedMs = 0; // for the server's answers
};

Timed sync(Home& home, const Connection& c, const QUrl& book) {
    CardDavClient client(c);
    SyncEngine engine(home.db, home.prompter, home.session, home.clock, client, book, c.user);
    Timed t;
    QElapsedTimer timer;
    const std::clock_t started = std::clock();
    timer.start();
    t.report =
        engine.run([](const QList<ProposedMatch>& m) { return QList<bool>(m.size(), true); });
    t.ms = double(timer.nsecsElapsed()) / 1e6;
    t.waitedMs = client.waitedMs();
    t.cpuMs = double(std::clock() - started) * 1000.0 / CLOCKS_PER_SEC;
    return t;
}

QList<QPair<qint64, ContactRecord>> liveRecords(Home& home) {
    QList<qint64> codes;
    home.db.query(sql::Statement("select base_code from base where base_invalid_flag=1"),
                  [&](const Row& row) {
                      codes << row.numberAt(0);
                      return true;
                  });
    QList<QPair<qint64, ContactRecord>> out;
    ContactStore store(home.db, home.prompter);
    for (qint64 code : codes)
        out.append({code, store.load(code, 1).record});
    return out;
}

void line(const char* what, const Timed& t, double floor, int floorRequests) {
    const SyncReport& r = t.report;
    out << QStringLiteral("  %1: %2 ms, here %3 ms of processor, %4 ms waiting (%5 requests, %6) | "
                          "server alone: %7 ms (%8 requests) | %9x\n")
               .arg(QString::fromUtf8(what))
               .arg(t.ms, 0, 'f', 0)
               .arg(t.cpuMs, 0, 'f', 0)
               .arg(t.waitedMs, 0, 'f', 0)
               .arg(r.requests)
               .arg(r.error.isEmpty() ? r.summary() : r.error)
               .arg(floor, 0, 'f', 0)
               .arg(floorRequests)
               .arg(floor > 0 ? t.ms / floor : 0.0, 0, 'f', 1);
    out.flush();
}

struct Server {
    const char* name;
    int portOffset;
    // Where a book's cards lie in the server's storage, below the servers' directory.
    QString storage;
    // Whether the storage is a git repository the server reads its commits from.
    bool git;
};

// Lays the cards of L generated contacts into the book's storage: sending
// them one by one takes the servers minutes.
bool layCards(Home& source, const QString& folder, bool git) {
    for (const auto& [code, record] : liveRecords(source)) {
        const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        QFile file(folder + uid + ".vcf");
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(SyncEngine::cardOf(record, uid));
    }
    if (!git)
        return true;
    return QProcess::execute("git", {"-C", folder, "add", "-A"}) == 0 &&
           QProcess::execute("git", {"-C", folder, "-c", "user.name=bench", "-c",
                                     "user.email=bench@localhost", "commit", "-qm", "cards"}) == 0;
}

bool benchServer(const Server& server, const QString& servers, int port, const QString& path,
                 const QTemporaryDir& dir, int contacts, int large, int changes) {
    Connection c;
    c.server = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port + server.portOffset));
    c.user = "tester";
    c.password = "secret";
    c.timeoutMs = 600000;
    out << server.name << ": " << contacts << " contacts first, " << large
        << " for the incremental sync\n";
    const QString prefix = QString::fromLatin1(server.name) + u'-';

    // 1. First sync up.
    Home up;
    if (!makeHome(path, dir.filePath(prefix + "up.tdb"), contacts, up))
        return false;
    const QUrl book = newBook(c);
    Timed t = sync(up, c, book);
    line("first sync, up (server alone: the answers waited for)", t, t.waitedMs, t.report.requests);
    CardDavClient client(c);
    QElapsedTimer timer;

    // 2. First sync down into an empty database, and the listing and multiget bare.
    Home down;
    if (!makeHome(path, dir.filePath(prefix + "down.tdb"), 0, down))
        return false;
    // A server makes its record of changes at the first listing since no
    // token; made before anything is timed, it is paid by neither side.
    Changes all;
    bool invalid = false;
    client.changesSince(book, {}, &all, &invalid);
    t = sync(down, c, book);
    timer.restart();
    const int before = client.requests();
    client.changesSince(book, {}, &all, &invalid);
    QList<RemoteCard> fetched;
    client.fetchAll(book, &fetched);
    line("first sync, down", t, double(timer.nsecsElapsed()) / 1e6, client.requests() - before);

    // 3. The large book: its cards laid into the storage, the large database
    // gets them by a first sync down.
    Home big;
    if (!makeHome(path, dir.filePath(prefix + "big.tdb"), 0, big))
        return false;
    const QUrl bigBook = newBook(c);
    {
        Home source;
        if (!makeHome(path, dir.filePath(prefix + "source.tdb"), large, source) ||
            !layCards(source, servers + server.storage + bigBook.path(), server.git))
            return false;
    }
    // The server reads the cards laid there once, before anything is timed.
    client.changesSince(bigBook, {}, &all, &invalid);
    t = sync(big, c, bigBook);
    timer.restart();
    const int listed0 = client.requests();
    client.changesSince(bigBook, {}, &all, &invalid);
    client.fetchAll(bigBook, &fetched);
    line(server.git ? "first sync down of the large book (its cards laid in as files and one git "
                      "commit, not PUT one by one)"
                    : "first sync down of the large book (its cards laid in as files, not PUT "
                      "one by one)",
         t, double(timer.nsecsElapsed()) / 1e6, client.requests() - listed0);

    // 4. Incremental: C changes split between the sides.
    client.changesSince(bigBook, {}, &all, &invalid);
    const QString token = all.token;
    const auto records = liveRecords(big);
    ContactStore store(big.db, big.prompter);
    for (int i = 0; i < changes / 2; ++i) {
        ContactRecord changed = records[i * 97 % records.size()].second;
        changed.setValue("base_email", QStringLiteral("changed%1@example.cn").arg(i));
        store.writeChanges(records[i * 97 % records.size()].first, changed);
    }
    QList<RemoteCard> listed;
    client.list(bigBook, &listed);
    QStringList remoteHrefs;
    for (int i = 0; i < changes - changes / 2; ++i)
        remoteHrefs << listed[(i * 89 + 13) % listed.size()].href;
    QList<RemoteCard> remote;
    client.fetch(bigBook, remoteHrefs, &remote);
    for (const RemoteCard& card : remote) {
        QByteArray data = card.data;
        data.replace("END:VCARD", "NOTE:changed on the phone\r\nEND:VCARD");
        client.put(card.href, data, card.etag, nullptr);
    }
    Changes since;
    client.changesSince(bigBook, token, &since, &invalid);
    const QString nextToken = since.token;
    t = sync(big, c, bigBook);
    // The same requests bare: the changes since the token, the changed cards,
    // and the local changes PUT again over the cards the sync left.
    struct Sent {
        QString href, etag;
        QByteArray card;
    };
    QList<Sent> sent;
    for (int i = 0; i < changes / 2; ++i) {
        const qint64 code = records[i * 97 % records.size()].first;
        big.db.query(sql::format("select davcard_uid, davcard_href, davcard_etag from davcard "
                                 "where davcard_base_code=%ld",
                                 code),
                     [&](const Row& row) {
                         sent.append(
                             {row.textAt(1), row.textAt(2),
                              SyncEngine::cardOf(store.load(code, 1).record, row.textAt(0))});
                         return false;
                     });
    }
    timer.restart();
    const int start = client.requests();
    client.changesSince(bigBook, nextToken, &since, &invalid);
    client.fetch(bigBook, remoteHrefs, &remote);
    for (const Sent& s : sent)
        client.put(s.href, s.card, s.etag, nullptr);
    line("incremental sync", t, double(timer.nsecsElapsed()) / 1e6, client.requests() - start);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString value;
    const int contacts = bench::takeOption(args, "--contacts", &value) ? value.toInt() : 2000;
    const int large = bench::takeOption(args, "--large", &value) ? value.toInt() : 10000;
    const int changes = bench::takeOption(args, "--changes", &value) ? value.toInt() : 10;
    const QString only = bench::takeOption(args, "--server", &value) ? value : QString();
    if (args.size() != 1 || contacts <= 0 || large <= 0) {
        QTextStream(stderr) << "usage: bench_carddav PATH [--contacts N] [--large L] "
                               "[--changes C] [--server radicale|xandikos]\n";
        return 2;
    }
    const QString path = args.first();
    QTemporaryDir dir;
    const int port = 30000 + int(QCoreApplication::applicationPid() % 3000) * 3;
    const QString servers = dir.filePath("servers");
    if (QProcess::execute(
            "sh", {QStringLiteral(DAV_SERVERS), "start", servers, QString::number(port)}) != 0)
        return 1;
    const Server all[] = {{"radicale", 0, "/collections/collection-root", false},
                          {"xandikos", 2, "/xandikos", true}};
    bool ok = true;
    for (const Server& server : all) {
        if (only.isEmpty() || only == QLatin1String(server.name))
            ok = benchServer(server, servers, port, path, dir, contacts, large, changes) && ok;
    }
    QProcess::execute("sh", {QStringLiteral(DAV_SERVERS), "stop", servers});
    return ok ? 0 : 1;
}
