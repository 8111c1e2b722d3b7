// SPDX-License-Identifier: GPL-3.0-or-later
// Times the sync with a CardDAV address book, each figure beside what the
// server itself takes for the same requests sent bare, one after another.
//
//   bench_carddav PATH [--contacts N] [--large L] [--changes C] [--xandikos]
//       PATH: a database as delivered (mavor-admin initdb), copied for each run.
//       Starts Radicale (or xandikos) on 127.0.0.1 in a directory of its own.
//       1. first sync up: N generated contacts into an empty book;
//          floor: the same N cards PUT into another empty book;
//       2. first sync down: the N cards into a second, empty database;
//          floor: sync-collection from no token and multiget of the N cards;
//       3. incremental: L contacts in step, then C/2 changed here and C/2 on
//          the server; floor: sync-collection since the last token, multiget
//          of the changed cards and the PUTs of the local changes.
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

SyncReport sync(Home& home, const Connection& c, const QUrl& book, double* ms) {
    CardDavClient client(c);
    SyncEngine engine(home.db, home.prompter, home.session, home.clock, client, book, c.user);
    QElapsedTimer timer;
    timer.start();
    const SyncReport r =
        engine.run([](const QList<ProposedMatch>& m) { return QList<bool>(m.size(), true); });
    *ms = double(timer.nsecsElapsed()) / 1e6;
    return r;
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

void line(const char* what, double ms, const SyncReport& r, double floor, int floorRequests) {
    out << QStringLiteral("%1: %2 ms (%3 requests, %4) | server alone: %5 ms (%6 requests)\n")
               .arg(QString::fromUtf8(what))
               .arg(ms, 0, 'f', 0)
               .arg(r.requests)
               .arg(r.error.isEmpty() ? r.summary() : r.error)
               .arg(floor, 0, 'f', 0)
               .arg(floorRequests);
    out.flush();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int contacts = 2000, large = 10000, changes = 10;
    bool xandikos = false;
    QString path;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--contacts" && i + 1 < args.size())
            contacts = args[++i].toInt();
        else if (args[i] == u"--large" && i + 1 < args.size())
            large = args[++i].toInt();
        else if (args[i] == u"--changes" && i + 1 < args.size())
            changes = args[++i].toInt();
        else if (args[i] == u"--xandikos")
            xandikos = true;
        else
            path = args[i];
    }
    if (path.isEmpty()) {
        QTextStream(stderr) << "usage: bench_carddav PATH [--contacts N] [--large L] "
                               "[--changes C] [--xandikos]\n";
        return 2;
    }
    QTemporaryDir dir;
    const int port = 30000 + int(QCoreApplication::applicationPid() % 3000) * 3;
    const QString servers = dir.filePath("servers");
    if (QProcess::execute(
            "sh", {QStringLiteral(DAV_SERVERS), "start", servers, QString::number(port)}) != 0)
        return 1;
    Connection c;
    c.server = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port + (xandikos ? 2 : 0)));
    c.user = "tester";
    c.password = "secret";
    c.timeoutMs = 600000;
    out << "server: " << (xandikos ? "xandikos" : "Radicale") << ", " << contacts
        << " contacts first, " << large << " for the incremental sync\n";

    // 1. First sync up, and the same PUTs bare.
    Home up;
    if (!makeHome(path, dir.filePath("up.tdb"), contacts, up))
        return 1;
    const QUrl book = newBook(c), bare = newBook(c);
    double ms = 0;
    SyncReport r = sync(up, c, book, &ms);
    QList<QByteArray> cards;
    for (const auto& [code, record] : liveRecords(up))
        cards << SyncEngine::cardOf(record, QUuid::createUuid().toString(QUuid::WithoutBraces));
    CardDavClient client(c);
    QElapsedTimer timer;
    timer.start();
    int n = 0;
    for (const QByteArray& card : cards)
        client.put(bare.path() + QString::number(n++) + ".vcf", card, {}, nullptr);
    line("first sync, up", ms, r, double(timer.nsecsElapsed()) / 1e6, int(cards.size()));

    // 2. First sync down into an empty database, and the listing and multiget bare.
    Home down;
    if (!makeHome(path, dir.filePath("down.tdb"), 0, down))
        return 1;
    r = sync(down, c, book, &ms);
    timer.restart();
    const int before = client.requests();
    Changes all;
    bool invalid = false;
    client.changesSince(book, {}, &all, &invalid);
    QStringList hrefs;
    for (const RemoteCard& card : all.changed)
        hrefs << card.href;
    QList<RemoteCard> fetched;
    client.fetch(book, hrefs, &fetched);
    line("first sync, down", ms, r, double(timer.nsecsElapsed()) / 1e6, client.requests() - before);

    // 3. Incremental: L in step, C changes split between the sides. Sending L
    // cards one by one takes Radicale minutes, so they are laid into its
    // storage as files, and the large database gets them by a first sync down.
    Home big;
    if (!makeHome(path, dir.filePath("big.tdb"), 0, big))
        return 1;
    const QUrl bigBook = newBook(c);
    {
        Home source;
        if (!makeHome(path, dir.filePath("source.tdb"), large, source))
            return 1;
        const QString folder = servers + "/collections/collection-root" + bigBook.path();
        for (const auto& [code, record] : liveRecords(source)) {
            const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            QFile file(folder + uid + ".vcf");
            if (xandikos || !file.open(QIODevice::WriteOnly))
                break;
            file.write(SyncEngine::cardOf(record, uid));
        }
    }
    // The server reads the files laid there once, before anything is timed.
    QList<RemoteCard> warm;
    client.list(bigBook, &warm);
    r = sync(big, c, bigBook, &ms);
    timer.restart();
    const int listed0 = client.requests();
    client.changesSince(bigBook, {}, &all, &invalid);
    hrefs.clear();
    for (const RemoteCard& card : all.changed)
        hrefs << card.href;
    client.fetch(bigBook, hrefs, &fetched);
    line("first sync down of the large book", ms, r, double(timer.nsecsElapsed()) / 1e6,
         client.requests() - listed0);
    QString token;
    client.changesSince(bigBook, {}, &all, &invalid);
    token = all.token;
    const auto records = liveRecords(big);
    ContactStore store(big.db, big.prompter);
    for (int i = 0; i < changes / 2; ++i) {
        ContactRecord changed = records[i * 97].second;
        changed.setValue("base_email", QStringLiteral("changed%1@example.cn").arg(i));
        store.writeChanges(records[i * 97].first, changed);
    }
    QList<RemoteCard> listed;
    client.list(bigBook, &listed);
    QStringList remoteHrefs;
    for (int i = 0; i < changes - changes / 2; ++i)
        remoteHrefs << listed[i * 89 + 13].href;
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
    r = sync(big, c, bigBook, &ms);
    // The same requests bare: the changes since the token, the changed cards, the local PUTs.
    timer.restart();
    const int start = client.requests();
    client.changesSince(bigBook, nextToken, &since, &invalid);
    client.fetch(bigBook, remoteHrefs, &remote);
    for (int i = 0; i < changes / 2; ++i)
        client.put(bare.path() + QStringLiteral("again%1.vcf").arg(i), cards.value(i), {}, nullptr);
    line("incremental sync", ms, r, double(timer.nsecsElapsed()) / 1e6, client.requests() - start);

    QProcess::execute("sh", {QStringLiteral(DAV_SERVERS), "stop", servers});
    return 0;
}
