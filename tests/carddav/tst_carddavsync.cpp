// SPDX-License-Identifier: GPL-3.0-or-later
#include "DavServers.h"
#include "carddav/CardDavClient.h"
#include "carddav/SyncEngine.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Row.h"
#include "featureapi/Session.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace carddav;

namespace {

// A TCP relay to the server that, after a number of requests, cuts the
// connection: the next request is lost, or it reaches the server and its
// answer is lost. A network that fails halfway through a sync.
class CuttingRelay : public QObject {
  public:
    explicit CuttingRelay(int target) : target_(target) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, &CuttingRelay::accept);
    }
    int port() const { return server_.serverPort(); }
    void cutAfter(int requests, bool delivered = true) {
        left_ = requests;
        delivered_ = delivered;
    }

  private:
    void accept() {
        while (QTcpSocket* in = server_.nextPendingConnection()) {
            auto* out = new QTcpSocket(in);
            out->connectToHost(QHostAddress::LocalHost, quint16(target_));
            auto doomed = std::make_shared<bool>(false);
            connect(in, &QTcpSocket::readyRead, this, [this, in, out, doomed] {
                const QByteArray bytes = in->readAll();
                left_ -= int(bytes.count("HTTP/1.1\r\n"));
                *doomed = *doomed || left_ < 0;
                if (*doomed && !delivered_) {
                    in->abort();
                    out->abort();
                    return;
                }
                out->write(bytes);
            });
            connect(out, &QTcpSocket::readyRead, this, [in, out, doomed] {
                if (*doomed) {
                    out->abort();
                    in->abort();
                    return;
                }
                in->write(out->readAll());
            });
            connect(out, &QTcpSocket::disconnected, in, &QTcpSocket::disconnectFromHost);
            connect(in, &QTcpSocket::disconnected, in, &QObject::deleteLater);
        }
    }
    QTcpServer server_;
    int target_;
    int left_ = 1 << 30;
    bool delivered_ = true;
};

// One data directory syncing with the book.
struct Side {
    TestHome home;
    ScriptedPrompter prompter;
    Database db{&prompter};
    FixedClock clock;
    Session session{1, 1};
    Connection connection;
    QUrl book;
    QList<ProposedMatch> proposed;

    Side(const Connection& c, const QUrl& b) : connection(c), book(b) {
        QVERIFY(db.open(home.databasePath()));
    }
    SyncReport sync() {
        CardDavClient client(connection);
        SyncEngine engine(db, prompter, session, clock, client, book, connection.user);
        return engine.run([this](const QList<ProposedMatch>& m) {
            proposed += m;
            return QList<bool>(m.size(), true);
        });
    }
    qint64 add(const QHash<QString, QString>& values) {
        ContactRecord r;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            r.setValue(it.key(), it.value());
        return ContactStore(db, prompter).insertNew(r, session, clock);
    }
    ContactRecord load(qint64 code, int flag = 1) {
        return ContactStore(db, prompter).load(code, flag).record;
    }
    qint64 codeOf(const QString& name) {
        qint64 code = -1;
        db.query(sql::format("select base_code from base where base_name='%s'", name),
                 [&](const Row& row) {
                     code = row.numberAt(0);
                     return false;
                 });
        return code;
    }
    // The names of the live contacts (1) or those in the trash (0), sorted.
    QStringList names(int flag = 1) {
        QStringList out;
        db.query(sql::format("select base_name from base where base_invalid_flag=%d", flag),
                 [&](const Row& row) {
                     out << row.textAt(0);
                     return true;
                 });
        out.sort();
        return out;
    }
};

// The cards of the book by their FN.
QHash<QString, RemoteCard> remoteCards(const Connection& c, const QUrl& book) {
    CardDavClient client(c);
    QList<RemoteCard> listed, fetched;
    QHash<QString, RemoteCard> out;
    if (!client.list(book, &listed))
        return out;
    QStringList hrefs;
    for (const RemoteCard& r : listed)
        hrefs << r.href;
    client.fetch(book, hrefs, &fetched);
    for (const RemoteCard& r : fetched) {
        for (const QString& line : QString::fromUtf8(r.data).split(u'\n')) {
            if (line.startsWith(QStringLiteral("FN:")))
                out.insert(line.mid(3).trimmed(), r);
        }
    }
    return out;
}

QStringList sortedKeys(const QHash<QString, RemoteCard>& cards) {
    QStringList keys = cards.keys();
    keys.sort();
    return keys;
}

// A card as a phone writes it.
QByteArray phoneCard(const QString& uid, const QString& name, const QString& tel,
                     const QString& email = {}) {
    QString text = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%1\r\nFN:%2\r\nN:%2;;;;\r\n"
                                  "TEL;TYPE=CELL:%3\r\n")
                       .arg(uid, name, tel);
    if (!email.isEmpty())
        text += QStringLiteral("EMAIL:%1\r\n").arg(email);
    return (text + QStringLiteral("END:VCARD\r\n")).toUtf8();
}

bool putRemote(const Connection& c, const QUrl& book, const QByteArray& card, const QString& uid,
               const QString& etag = {}) {
    CardDavClient client(c);
    const bool ok = client.put(book.path() + uid + ".vcf", card, etag, nullptr);
    if (!ok)
        qWarning("put: %s", qPrintable(client.error()));
    return ok;
}

} // namespace

class TestCardDavSync : public QObject {
    Q_OBJECT

  private slots:
    void bothWaysThenEachSideThenBoth_data();
    void bothWaysThenEachSideThenBoth();
    void deletesGoThroughTheTrash();
    void ownFieldsSurviveAPhone();
    void manyChineseNamesReachASecondDirectory();
    void aCutSyncIsFinishedByTheNext_data();
    void aCutSyncIsFinishedByTheNext();
    void theCommandLineKeepsThePasswordSealed();
};

void TestCardDavSync::bothWaysThenEachSideThenBoth_data() {
    QTest::addColumn<int>("server");
    QTest::newRow("radicale") << int(davtest::Radicale);
    QTest::newRow("xandikos") << int(davtest::Xandikos);
}

void TestCardDavSync::bothWaysThenEachSideThenBoth() {
    QFETCH(int, server);
    const Connection c = davtest::connection(davtest::Server(server));
    const QUrl book = davtest::newBook(c);
    QVERIFY(book.isValid());
    Side side(c, book);
    QVERIFY(side.add({{"base_name", "甲一"}, {"base_mobil", "13900000001"}}) > 0);
    const qint64 same = side.add({{"base_name", "乙二"}, {"base_mobil", "13900000002"}});
    QVERIFY(putRemote(c, book, phoneCard("p-1", "丙三", "13900000003"), "p-1"));
    QVERIFY(
        putRemote(c, book, phoneCard("p-2", "乙二", "+86 139-0000-0002", "yi@example.com"), "p-2"));

    // First sync: the same mobile number proposes 乙二 once; the rest crosses.
    SyncReport r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(side.proposed.size(), 1);
    QCOMPARE(side.proposed.first().code, same);
    QCOMPARE(r.uploaded, 1);
    QCOMPARE(r.downloaded, 1);
    QCOMPARE(r.matched, 1);
    QCOMPARE(side.names(), QStringList({"丙三", "乙二", "甲一"}));
    QCOMPARE(side.load(same).value("base_email"), QStringLiteral("yi@example.com"));
    auto cards = remoteCards(c, book);
    QCOMPARE(sortedKeys(cards), side.names());
    QVERIFY(cards.value("乙二").data.contains("13900000002"));

    // Nothing changed: nothing is sent either way.
    r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.summary(), QStringLiteral("两边已经一致"));

    // A change on each side crosses; a change on both sides keeps both.
    const qint64 first = side.codeOf("甲一");
    ContactRecord changed = side.load(first);
    changed.setValue("base_mobil", "13911111111");
    QVERIFY(ContactStore(side.db, side.prompter).writeChanges(first, changed));
    cards = remoteCards(c, book);
    QVERIFY(putRemote(c, book, phoneCard("p-1", "丙三", "13933333333"), "p-1",
                      cards.value("丙三").etag));
    ContactRecord both = side.load(same);
    both.setValue("base_email", "here@example.com");
    QVERIFY(ContactStore(side.db, side.prompter).writeChanges(same, both));
    QVERIFY(putRemote(c, book, phoneCard("p-2", "乙二", "13900000002", "there@example.com"), "p-2",
                      cards.value("乙二").etag));
    r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.updatedRemote, 1);
    QCOMPARE(r.updatedLocal, 1);
    QCOMPARE(r.conflicts, 1);
    cards = remoteCards(c, book);
    QVERIFY(cards.value("甲一").data.contains("13911111111"));
    QCOMPARE(side.load(side.codeOf("丙三")).value("base_mobil"), QStringLiteral("13933333333"));
    QCOMPARE(side.load(same).value("base_email"), QStringLiteral("here@example.com"));
    QVERIFY(cards.value("乙二").data.contains("there@example.com"));

    // The merge window gets the server's version; what it keeps goes back.
    CardDavClient client(c);
    SyncEngine engine(side.db, side.prompter, side.session, side.clock, client, book, c.user);
    const QList<SyncConflict> conflicts = engine.conflicts();
    QCOMPARE(conflicts.size(), 1);
    QCOMPARE(conflicts.first().code, same);
    QCOMPARE(conflicts.first().remote.value("base_email"), QStringLiteral("there@example.com"));
    ContactRecord merged = conflicts.first().local;
    merged.setValue("base_phone", "010-12345678");
    QVERIFY(engine.resolve(same, merged));
    r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.conflicts, 0);
    QCOMPARE(r.updatedRemote, 1);
    cards = remoteCards(c, book);
    QVERIFY(cards.value("乙二").data.contains("here@example.com"));
    QVERIFY(cards.value("乙二").data.contains("010-12345678"));

    // A list entry renamed changes the cards of the contacts that show it,
    // though none of their rows changed.
    ContactRecord titled = side.load(first);
    titled.setValue("work_duty_code", "总经理");
    QVERIFY(ContactStore(side.db, side.prompter).writeChanges(first, titled));
    QCOMPARE(side.sync().updatedRemote, 1);
    QVERIFY(side.db.execute(sql::Statement("update duty set duty_name='首席执行官' "
                                           "where duty_name='总经理'")));
    r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.updatedRemote, 1);
    QVERIFY(remoteCards(c, book).value("甲一").data.contains("TITLE:首席执行官"));
}

void TestCardDavSync::deletesGoThroughTheTrash() {
    const Connection c = davtest::connection(davtest::Radicale);
    const QUrl book = davtest::newBook(c);
    QVERIFY(book.isValid());
    Side side(c, book);
    for (const char* name : {"甲", "乙", "丙"})
        QVERIFY(side.add({{"base_name", QString::fromUtf8(name)}}) > 0);
    QCOMPARE(side.sync().uploaded, 3);
    const qint64 first = side.codeOf("甲");
    auto setFlag = [&](qint64 code, int flag) {
        return side.db.execute(
            sql::format("update base set base_invalid_flag=%d where base_code=%ld", flag, code));
    };

    // In the trash and back: nothing happens there.
    QVERIFY(setFlag(first, 0));
    SyncReport r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.deletedRemote, 0);
    QVERIFY(setFlag(first, 1));
    QCOMPARE(side.sync().summary(), QStringLiteral("两边已经一致"));
    QCOMPARE(remoteCards(c, book).size(), 3);

    // Emptied from the trash: deleted there.
    QVERIFY(setFlag(first, 0));
    for (const char* table : {"extend", "home", "society", "base"})
        QVERIFY(side.db.execute(
            sql::format(QStringLiteral("delete from %1 where %1_base_code=%ld")
                            .arg(QString::fromLatin1(table))
                            .replace(QStringLiteral("base_base_code"), QStringLiteral("base_code")),
                        first)));
    // Deleted there: into the trash here, from where it can come back.
    CardDavClient client(c);
    const RemoteCard second = remoteCards(c, book).value("乙");
    QVERIFY(client.remove(second.href, second.etag));
    r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.deletedRemote, 1);
    QCOMPARE(r.trashedLocal, 1);
    QCOMPARE(side.names(1), QStringList{"丙"});
    QCOMPARE(side.names(0), QStringList{"乙"});
    QCOMPARE(sortedKeys(remoteCards(c, book)), QStringList{"丙"});
    QVERIFY(setFlag(side.codeOf("乙"), 1));
    QCOMPARE(side.sync().uploaded, 1);
    QCOMPARE(sortedKeys(remoteCards(c, book)), QStringList({"丙", "乙"}));
}

// The fields only this program has travel as extensions: a second data
// directory gets them whole, lunar birthday included, and a phone that drops
// them while changing a number erases nothing here.
void TestCardDavSync::ownFieldsSurviveAPhone() {
    const Connection c = davtest::connection(davtest::Radicale);
    const QUrl book = davtest::newBook(c);
    QVERIFY(book.isValid());
    Side here(c, book);
    const qint64 code = here.add({{"base_name", "李四"},
                                  {"base_lunar", "2"},
                                  {"base_year", "2012"},
                                  {"base_month", "04"},
                                  {"base_day", "15"},
                                  {"base_sort_code", "B级-重要"},
                                  {"base_type_code", "同学"},
                                  {"extend_degree_code", "硕士"},
                                  {"base_mobil", "13800000000"}});
    QVERIFY(code > 0);
    const ContactRecord original = here.load(code);
    QCOMPARE(here.sync().uploaded, 1);

    Side there(c, book);
    QCOMPARE(there.sync().downloaded, 1);
    QCOMPARE(there.load(there.codeOf("李四")).values(), original.values());

    const RemoteCard card = remoteCards(c, book).value("李四");
    QVERIFY(card.data.contains("X-MAVOR-"));
    QByteArray phone;
    for (const QByteArray& line : card.data.split('\n')) {
        if (!line.startsWith("X-MAVOR-") && !line.startsWith(" "))
            phone += line.trimmed().replace("13800000000", "13911112222") + "\r\n";
    }
    QVERIFY(!phone.contains("X-MAVOR-"));
    CardDavClient client(c);
    QVERIFY2(client.put(card.href, phone, card.etag, nullptr), qPrintable(client.error()));
    const SyncReport r = here.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.updatedLocal, 1);
    ContactRecord expected = original;
    expected.setValue("base_mobil", "13911112222");
    QCOMPARE(here.load(code).values(), expected.values());
}

void TestCardDavSync::manyChineseNamesReachASecondDirectory() {
    const Connection c = davtest::connection(davtest::Radicale);
    const QUrl book = davtest::newBook(c);
    QVERIFY(book.isValid());
    Side here(c, book);
    const QString family = QStringLiteral("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗");
    const QString given = QStringLiteral("伟芳娜秀英敏静丽强磊");
    for (int i = 0; i < 200; ++i)
        QVERIFY(here.add({{"base_name",
                           QString(family.at(i % 20)) + given.at(i / 20) + given.at(i % 10)},
                          {"base_mobil", QString::number(13700000000LL + i)}}) > 0);
    QCOMPARE(here.sync().uploaded, 200);
    Side there(c, book);
    const SyncReport r = there.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.downloaded, 200);
    QCOMPARE(there.names(), here.names());
    QCOMPARE(sortedKeys(remoteCards(c, book)), here.names());
}

void TestCardDavSync::aCutSyncIsFinishedByTheNext_data() {
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("delivered");
    // While listing, after the download, among the updates, among the uploads.
    for (int n : {0, 1, 2, 7, 30}) {
        QTest::addRow("answer to request %d lost", n + 1) << n << true;
        QTest::addRow("request %d lost", n + 1) << n << false;
    }
}

void TestCardDavSync::aCutSyncIsFinishedByTheNext() {
    QFETCH(int, requests);
    QFETCH(bool, delivered);
    const Connection direct = davtest::connection(davtest::Radicale);
    const QUrl directBook = davtest::newBook(direct);
    QVERIFY(directBook.isValid());
    CuttingRelay relay(davtest::port(davtest::Radicale));
    Connection c = direct;
    c.server.setPort(relay.port());
    QUrl book = directBook;
    book.setPort(relay.port());
    Side side(c, book);
    QStringList expected;
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("本地%1").arg(i);
        QVERIFY(side.add(
                    {{"base_name", name}, {"base_mobil", QString::number(13600000000LL + i)}}) > 0);
        expected << name;
    }
    for (int i = 0; i < 30; ++i) {
        // The first ten are the same people as ten of the contacts here.
        const QString uid = QStringLiteral("phone-%1").arg(i);
        const QString name =
            i < 10 ? QStringLiteral("本地%1").arg(i) : QStringLiteral("手机%1").arg(i);
        QVERIFY(putRemote(
            direct, directBook,
            phoneCard(uid, name, QString::number((i < 10 ? 13600000000LL : 13500000000LL) + i)),
            uid));
        if (i >= 10)
            expected << name;
    }
    expected.sort();
    relay.cutAfter(requests, delivered);
    QVERIFY(!side.sync().ok());
    relay.cutAfter(1 << 30);
    const SyncReport r = side.sync();
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(side.names(), expected);
    // Only the ten phone cards were ever taken for contacts here: none of our own.
    QCOMPARE(side.proposed.size(), 10);
    QCOMPARE(sortedKeys(remoteCards(direct, directBook)), expected);
    QCOMPARE(remoteCards(direct, directBook).size(), expected.size());
    QCOMPARE(side.sync().summary(), QStringLiteral("两边已经一致"));
}

void TestCardDavSync::theCommandLineKeepsThePasswordSealed() {
    SKIP_ON_SERVER("the account is read beside a database file");
    const Connection c = davtest::connection(davtest::Radicale);
    const QUrl book = davtest::newBook(c);
    QVERIFY(book.isValid());
    Side side(c, book);
    QVERIFY(side.add({{"base_name", "命令行"}}) > 0);
    QTemporaryDir config;
    auto run = [&](const QStringList& extra) {
        QProcess admin;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", config.path());
        env.insert("MAVOR_DAV_PASSWORD", c.password);
        admin.setProcessEnvironment(env);
        admin.start(qEnvironmentVariable("MAVOR_BIN_DIR") + "/mavor-admin",
                    QStringList{"sync", "--user", "admin"} + extra +
                        QStringList{side.home.databasePath()});
        admin.waitForFinished(60000);
        return QPair<int, QString>(admin.exitCode(), QString::fromUtf8(admin.readAll()));
    };
    auto [code, text] = run({"--book", book.toString(), "--login", c.user});
    QVERIFY2(code == 0 && text.contains(QStringLiteral("上传 1")), qPrintable(text));
    QFile ini(side.home.settingsPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray settings = ini.readAll();
    QVERIFY(settings.contains("Password=v1:"));
    QVERIFY(!settings.contains(c.password.toUtf8()));
    std::tie(code, text) = run({});
    QVERIFY2(code == 0 && text.contains(QStringLiteral("两边已经一致")), qPrintable(text));
    QCOMPARE(sortedKeys(remoteCards(c, book)), QStringList{"命令行"});
}

QTEST_GUILESS_MAIN(TestCardDavSync)
#include "tst_carddavsync.moc"
