// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"
#include "net/ProcessLauncher.h"
#include "net/UpdateCheck.h"
#include "support/ScriptedPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Launch {
    QString program;
    QStringList arguments;
};

class RecordingLauncher : public ProcessLauncher {
  public:
    bool startDetached(const QString& program, const QStringList& arguments) override {
        launches.append({program, arguments});
        return succeeds;
    }
    bool succeeds = true;
    QList<Launch> launches;
};

QByteArray ok200(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

HttpSettings shortWaits() {
    HttpSettings settings = UpdateCheck::defaultHttpSettings();
    settings.connectTimeoutMs = 300;
    settings.sendTimeoutMs = 300;
    settings.receiveTimeoutMs = 300;
    return settings;
}

// A program directory, with or without the updater.
class ProgramDir {
  public:
    explicit ProgramDir(bool withUpdater) {
        if (withUpdater) {
            QFile updater(updaterPath());
            updater.open(QIODevice::WriteOnly);
        }
    }
    QString path() const { return dir_.path(); }
    QString updaterPath() const { return dir_.filePath(QStringLiteral("download")); }

  private:
    QTemporaryDir dir_;
};

const QString kNewVersion = QStringLiteral("发现新版本!");
const QString kUpdaterMissing = QStringLiteral("文件缺失!不能自动下载!");

} // namespace

Q_DECLARE_METATYPE(UpdateOutcome)

class TestUpdateCheck : public QObject {
    Q_OBJECT

  private slots:
    void answers_data();
    void answers();
    void newerVersionWithoutUpdaterProceeds_data();
    void newerVersionWithoutUpdaterProceeds();
    void unreachableServerProceeds_data();
    void unreachableServerProceeds();
    void noAddressNoCheck();
    void addressFromTheEnvironment();
    void builtInAddressIsTheConfiguredOne();
};

void TestUpdateCheck::answers_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<UpdateOutcome>("outcome");
    QTest::addColumn<QStringList>("arguments"); // of the updater, when started

    const auto proceed = UpdateOutcome::Proceed;
    const auto exit = UpdateOutcome::ExitForUpdate;
    QTest::newRow("same version") << ok200("3.0#setup.zip$$$$") << proceed << QStringList();
    QTest::newRow("within the tolerance")
        << ok200("3.0000001#setup.zip$$$$") << proceed << QStringList();
    QTest::newRow("older") << ok200("2.9#setup.zip$$$$") << proceed << QStringList();
    // The text after "#" reaches the updater whole, as one argument.
    QTest::newRow("newer") << ok200("3.01#setup.zip /quiet$$$$") << exit
                           << QStringList{"setup.zip /quiet$$$$"};
    QTest::newRow("newer, text after the marker ignored")
        << ok200("3.1#a$$$$\r\nnot for us") << exit << QStringList{"a$$$$"};
    QTest::newRow("newer, quotes and a second #") << ok200("4#\"my file.zip\" #2 --x$$$$") << exit
                                                  << QStringList{"\"my file.zip\" #2 --x$$$$"};
    QTest::newRow("newer, no arguments") << ok200("3.5#$$$$") << exit << QStringList{"$$$$"};

    // Anything else is no information.
    QTest::newRow("not found") << QByteArray("HTTP/1.0 404 Not Found\r\n\r\n3.1#a$$$$") << proceed
                               << QStringList();
    QTest::newRow("server error") << QByteArray("HTTP/1.1 500 Oops\r\n\r\n3.1#a$$$$") << proceed
                                  << QStringList();
    QTest::newRow("no status line")
        << QByteArray("3.1#a$$$$\r\n\r\n3.1#a$$$$") << proceed << QStringList();
    QTest::newRow("empty body") << ok200("") << proceed << QStringList();
    QTest::newRow("web page") << ok200("<html><body>3.1#a$$$$</body></html>") << proceed
                              << QStringList();
    QTest::newRow("no end marker") << ok200("3.1#a") << proceed << QStringList();
    QTest::newRow("no #") << ok200("3.1$$$$") << proceed << QStringList();
    QTest::newRow("# only after the marker") << ok200("3.1$$$$#a") << proceed << QStringList();
    QTest::newRow("no version") << ok200("#a$$$$") << proceed << QStringList();
    QTest::newRow("version with letters") << ok200("3.1beta#a$$$$") << proceed << QStringList();
    QTest::newRow("exponent") << ok200("1e9#a$$$$") << proceed << QStringList();
    QTest::newRow("not UTF-8") << ok200("3.1#\xff\xfe$$$$") << proceed << QStringList();
    QTest::newRow("answer too big")
        << ok200("3.1#" + QByteArray(100 * 1024, 'a') + "$$$$") << proceed << QStringList();
    // A text the updater could take for an option, or with a line break or
    // other control character in it, is no version-info text.
    QTest::newRow("option") << ok200("3.1#--run=/bin/sh$$$$") << proceed << QStringList();
    QTest::newRow("option after blanks") << ok200("3.1#  -x$$$$") << proceed << QStringList();
    QTest::newRow("line break") << ok200("3.1#a\nb$$$$") << proceed << QStringList();
    QTest::newRow("escape character") << ok200("3.1#a\x1b]0;x$$$$") << proceed << QStringList();
    QTest::newRow("closed inside the header")
        << QByteArray("HTTP/1.0 200 OK\r\n") << proceed << QStringList();
}

void TestUpdateCheck::answers() {
    QFETCH(QByteArray, reply);
    QFETCH(UpdateOutcome, outcome);
    QFETCH(QStringList, arguments);

    LoopbackServer server(reply);
    QVERIFY(server.isReady());
    const ProgramDir dir(true);
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    UpdateCheck check(prompter, dir.path(), server.url("/mavor"), launcher);
    QCOMPARE(check.run(), outcome);
    QVERIFY(server.received().startsWith("GET /mavor HTTP/1.0\r\n"));

    if (outcome == UpdateOutcome::Proceed) {
        QVERIFY(prompter.messages.isEmpty());
        QVERIFY(launcher.launches.isEmpty());
        return;
    }
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(prompter.messages[0].text, kNewVersion);
    QCOMPARE(prompter.messages[0].icon, PromptIcon::Question);
    QCOMPARE(launcher.launches.size(), 1);
    QCOMPARE(launcher.launches[0].program, dir.updaterPath());
    QCOMPARE(launcher.launches[0].arguments, arguments);
    QVERIFY(check.keptText().endsWith(QStringLiteral("$$$$")));
}

void TestUpdateCheck::newerVersionWithoutUpdaterProceeds_data() {
    QTest::addColumn<bool>("updaterPresent");
    QTest::addColumn<bool>("launchSucceeds");
    QTest::newRow("updater missing") << false << true;
    QTest::newRow("updater fails to start") << true << false;
}

// A newer version that cannot be fetched is said, and the user still gets in.
void TestUpdateCheck::newerVersionWithoutUpdaterProceeds() {
    QFETCH(bool, updaterPresent);
    QFETCH(bool, launchSucceeds);

    LoopbackServer server(ok200("3.2#setup.zip$$$$"));
    const ProgramDir dir(updaterPresent);
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    launcher.succeeds = launchSucceeds;
    UpdateCheck check(prompter, dir.path(), server.url("/mavor"), launcher);
    QCOMPARE(check.run(), UpdateOutcome::Proceed);
    QCOMPARE(prompter.texts(), (QStringList{kNewVersion, kUpdaterMissing}));
    QCOMPARE(prompter.messages[1].caption, QStringLiteral("提示"));
    QCOMPARE(launcher.launches.size(), updaterPresent ? 1 : 0);
}

void TestUpdateCheck::unreachableServerProceeds_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("refused") << int(LoopbackServer::Mode::Refuse);
    QTest::newRow("never answers") << int(LoopbackServer::Mode::Silent);
}

void TestUpdateCheck::unreachableServerProceeds() {
    QFETCH(int, mode);
    LoopbackServer server({}, LoopbackServer::Mode(mode));
    QVERIFY(server.isReady());
    const ProgramDir dir(true);
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    UpdateCheck check(prompter, dir.path(), server.url("/mavor"), launcher, shortWaits());
    QCOMPARE(check.run(), UpdateOutcome::Proceed);
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(launcher.launches.isEmpty());
}

void TestUpdateCheck::noAddressNoCheck() {
    const ProgramDir dir(true);
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    UpdateCheck check(prompter, dir.path(), QString(), launcher, shortWaits());
    QCOMPARE(check.run(), UpdateOutcome::Proceed);
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(launcher.launches.isEmpty());
}

void TestUpdateCheck::addressFromTheEnvironment() {
    const QByteArray saved = qgetenv("MAVOR_UPDATE_URL");
    const bool wasSet = qEnvironmentVariableIsSet("MAVOR_UPDATE_URL");

    qputenv("MAVOR_UPDATE_URL", " http://127.0.0.1:9/mavor ");
    QCOMPARE(configuredUpdateUrl(), QStringLiteral("http://127.0.0.1:9/mavor"));
    qputenv("MAVOR_UPDATE_URL", "");
    QCOMPARE(configuredUpdateUrl(), QString()); // set to nothing turns the check off

    if (wasSet)
        qputenv("MAVOR_UPDATE_URL", saved);
    else
        qunsetenv("MAVOR_UPDATE_URL");
}

// The address built in is the one the build was configured with, whatever
// characters it holds; CTest hands the configured text to the test as typed.
void TestUpdateCheck::builtInAddressIsTheConfiguredOne() {
    if (!qEnvironmentVariableIsSet("MAVOR_CONFIGURED_UPDATE_URL"))
        QSKIP("run through CTest, which passes the configured address");
    const QByteArray saved = qgetenv("MAVOR_UPDATE_URL");
    const bool wasSet = qEnvironmentVariableIsSet("MAVOR_UPDATE_URL");
    qunsetenv("MAVOR_UPDATE_URL");
    QCOMPARE(configuredUpdateUrl(), qEnvironmentVariable("MAVOR_CONFIGURED_UPDATE_URL").trimmed());
    if (wasSet)
        qputenv("MAVOR_UPDATE_URL", saved);
}

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
