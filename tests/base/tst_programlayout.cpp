// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's files and the user's data are, decided from what lies
// around the binary and from the environment, and the data directory an
// installed program makes for itself on its first start.
#include "base/ProgramLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr QFile::Permissions kAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
constexpr QFile::Permissions kMode0700 = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kMode0600 = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kMode0755 =
    kMode0700 | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// Unix permission bits only; QFile also reports "user" bits that mirror them.
QFile::Permissions modeOf(const QString& path) {
    return QFileInfo(path).permissions() & kAll;
}

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A database file whose bytes are easy to recognise (the layout only copies it).
const QByteArray kDelivered = QByteArray("SQLite format 3\0delivered", 25).repeated(5000);

} // namespace

class TestProgramLayout : public QObject {
    Q_OBJECT

  private slots:
    void decidedFromTheBinarysSurroundings_data();
    void decidedFromTheBinarysSurroundings();
    void firstStartMakesAPrivateDataDirectory();
    void existingDataIsNeverTouched();
    void missingDatabaseIsCopiedAgain();
    void failuresLeaveNothingBehind();
    void onlyAnInstalledDefaultIsPrepared_data();
    void onlyAnInstalledDefaultIsPrepared();

  private:
    // An installed tree under root: usr/bin without a database, the delivered
    // one in usr/share/mavor; the data would go to root/xdg/mavor.
    static ProgramLayout installedUnder(const QString& root) {
        if (!writeFile(root + "/usr/share/mavor/mavor.tdb", kDelivered))
            return {};
        QDir().mkpath(root + "/usr/bin");
        ProgramLayout::Environment env;
        env.binaryDir = root + "/usr/bin";
        env.xdgDataHome = root + "/xdg";
        env.home = root + "/home";
        return ProgramLayout::detect(env);
    }
};

// Paths in the rows are relative to a temporary root; "@" in an environment
// value stands for that root.
void TestProgramLayout::decidedFromTheBinarysSurroundings_data() {
    QTest::addColumn<QString>("binaryDir");
    QTest::addColumn<QStringList>("files"); // made before detection
    QTest::addColumn<QString>("mavorHome");
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("filesDir");
    QTest::addColumn<QString>("dataDir");

    const QStringList buildTree{"build/bin/mavor.tdb", "build/bin/help/index.html"};
    const QStringList installed{"usr/share/mavor/mavor.tdb", "usr/share/mavor/help/index.html"};

    QTest::newRow("build tree") << "build/bin" << buildTree << ""
                                << "@/xdg" << false << "build/bin"
                                << "build/bin";
    QTest::newRow("build tree, MAVOR_HOME") << "build/bin" << buildTree << "@/mine"
                                            << "@/xdg" << false << "build/bin"
                                            << "mine";
    QTest::newRow("installed") << "usr/bin" << installed << ""
                               << "@/xdg" << true << "usr/share/mavor"
                               << "xdg/mavor";
    QTest::newRow("installed, trailing separator") << "usr/bin" << installed << ""
                                                   << "@/xdg/" << true << "usr/share/mavor"
                                                   << "xdg/mavor";
    QTest::newRow("installed, XDG_DATA_HOME unset") << "usr/bin" << installed << ""
                                                    << "" << true << "usr/share/mavor"
                                                    << "home/.local/share/mavor";
    QTest::newRow("installed, XDG_DATA_HOME relative") << "usr/bin" << installed << ""
                                                       << "xdg" << true << "usr/share/mavor"
                                                       << "home/.local/share/mavor";
    QTest::newRow("installed, MAVOR_HOME") << "usr/bin" << installed << "@/mine"
                                           << "@/xdg" << true << "usr/share/mavor"
                                           << "mine";
    QTest::newRow("installed under /opt")
        << "opt/mavor/bin" << QStringList{"opt/mavor/share/mavor/mavor.tdb"} << ""
        << "@/xdg" << true << "opt/mavor/share/mavor"
        << "xdg/mavor";
    // A database beside the binary wins: a program directory made by hand.
    QTest::newRow("database beside an installed binary")
        << "usr/bin" << (installed + QStringList{"usr/bin/mavor.tdb"}) << ""
        << "@/xdg" << false << "usr/bin"
        << "usr/bin";
    // The build tree after its database was deleted is still the build tree.
    QTest::newRow("build tree without its database")
        << "build/bin" << QStringList{"build/bin/help/index.html"} << ""
        << "@/xdg" << false << "build/bin"
        << "build/bin";
    QTest::newRow("share/mavor without a delivered database")
        << "usr/bin" << QStringList{"usr/share/mavor/help/index.html"} << ""
        << "@/xdg" << false << "usr/bin"
        << "usr/bin";
    QTest::newRow("delivered database is a directory")
        << "usr/bin" << QStringList{"usr/share/mavor/mavor.tdb/x"} << ""
        << "@/xdg" << false << "usr/bin"
        << "usr/bin";
}

void TestProgramLayout::decidedFromTheBinarysSurroundings() {
    QFETCH(QString, binaryDir);
    QFETCH(QStringList, files);
    QFETCH(QString, mavorHome);
    QFETCH(QString, xdgDataHome);
    QFETCH(bool, installed);
    QFETCH(QString, filesDir);
    QFETCH(QString, dataDir);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString r = root.path();
    QVERIFY(QDir().mkpath(r + '/' + binaryDir));
    for (const QString& file : files)
        QVERIFY(writeFile(r + '/' + file, "x"));

    ProgramLayout::Environment env;
    env.binaryDir = r + '/' + binaryDir;
    env.mavorHome = mavorHome.replace('@', r);
    env.xdgDataHome = xdgDataHome.replace('@', r);
    env.home = r + "/home";
    const ProgramLayout layout = ProgramLayout::detect(env);

    QCOMPARE(layout.isInstalled(), installed);
    QCOMPARE(layout.filesDir(), r + '/' + filesDir);
    QCOMPARE(layout.dataDir(), r + '/' + dataDir);
    QCOMPARE(layout.databasePath(), r + '/' + dataDir + "/mavor.tdb");
    QCOMPARE(layout.settingsPath(), r + '/' + dataDir + "/mavor.ini");
    QCOMPARE(layout.deliveredDatabase(), r + '/' + filesDir + "/mavor.tdb");
}

void TestProgramLayout::firstStartMakesAPrivateDataDirectory() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const ProgramLayout layout = installedUnder(root.path());
    QVERIFY(layout.isInstalled());
    QVERIFY(!QFileInfo::exists(root.path() + "/xdg"));

    QString error;
    QVERIFY2(layout.prepareDataDir(&error), qPrintable(error));

    // Both the missing base directory and the data directory are private.
    QCOMPARE(modeOf(root.path() + "/xdg"), kMode0700);
    QCOMPARE(modeOf(root.path() + "/xdg/mavor"), kMode0700);
    const QString db = root.path() + "/xdg/mavor/mavor.tdb";
    QCOMPARE(readFile(db), kDelivered);
    QCOMPARE(modeOf(db), kMode0600);
    // Nothing else is left in the directory (no half-written copies).
    QCOMPARE(QDir(root.path() + "/xdg/mavor")
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"mavor.tdb"});
}

void TestProgramLayout::existingDataIsNeverTouched() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const ProgramLayout layout = installedUnder(root.path());
    const QString dir = root.path() + "/xdg/mavor";
    QVERIFY(writeFile(dir + "/mavor.tdb", "my contacts"));
    QVERIFY(writeFile(dir + "/mavor.ini", "[Settings]\r\nDay=30\r\n"));
    QVERIFY(QFile::setPermissions(dir, kMode0755));
    QVERIFY(QFile::setPermissions(dir + "/mavor.tdb", kMode0755));

    QVERIFY(layout.prepareDataDir());
    QVERIFY(layout.prepareDataDir()); // and again: the second start is the same

    QCOMPARE(readFile(dir + "/mavor.tdb"), QByteArray("my contacts"));
    QCOMPARE(readFile(dir + "/mavor.ini"), QByteArray("[Settings]\r\nDay=30\r\n"));
    QCOMPARE(modeOf(dir), kMode0755);
    QCOMPARE(modeOf(dir + "/mavor.tdb"), kMode0755);
}

// A user who deleted the database gets a fresh one; the directory, made by
// the user, keeps its mode and the settings beside the database stay.
void TestProgramLayout::missingDatabaseIsCopiedAgain() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const ProgramLayout layout = installedUnder(root.path());
    const QString dir = root.path() + "/xdg/mavor";
    QVERIFY(writeFile(dir + "/mavor.ini", "[Settings]\r\nDay=30\r\n"));
    QVERIFY(QFile::setPermissions(dir, kMode0755));

    QVERIFY(layout.prepareDataDir());

    QCOMPARE(readFile(dir + "/mavor.tdb"), kDelivered);
    QCOMPARE(modeOf(dir + "/mavor.tdb"), kMode0600);
    QCOMPARE(readFile(dir + "/mavor.ini"), QByteArray("[Settings]\r\nDay=30\r\n"));
    QCOMPARE(modeOf(dir), kMode0755);
}

void TestProgramLayout::failuresLeaveNothingBehind() {
    {
        // The data directory's place is taken by a file.
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const ProgramLayout layout = installedUnder(root.path());
        QVERIFY(writeFile(root.path() + "/xdg/mavor", "not a directory"));
        QString error;
        QVERIFY(!layout.prepareDataDir(&error));
        QVERIFY(error.contains(root.path() + "/xdg/mavor"));
        QCOMPARE(readFile(root.path() + "/xdg/mavor"), QByteArray("not a directory"));
    }
    {
        // The delivered database went away after the program started.
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const ProgramLayout layout = installedUnder(root.path());
        QVERIFY(QFile::remove(layout.deliveredDatabase()));
        QString error;
        QVERIFY(!layout.prepareDataDir(&error));
        QVERIFY(error.contains(layout.deliveredDatabase()));
        QCOMPARE(QDir(root.path() + "/xdg/mavor")
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
    {
        // The directory exists but cannot be written (not for root, who may).
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const ProgramLayout layout = installedUnder(root.path());
        const QString dir = root.path() + "/xdg/mavor";
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        const bool writable = QFile(dir + "/probe").open(QIODevice::WriteOnly);
        QFile::remove(dir + "/probe");
        if (!writable) {
            QString error;
            QVERIFY(!layout.prepareDataDir(&error));
            QVERIFY(error.contains(dir));
            QVERIFY(!QFileInfo::exists(dir + "/mavor.tdb"));
        }
        QVERIFY(QFile::setPermissions(dir, kMode0700));
    }
}

// The build tree keeps its database beside the binary, and a directory named
// by MAVOR_HOME is used as it stands: neither is created nor filled.
void TestProgramLayout::onlyAnInstalledDefaultIsPrepared_data() {
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("namedByUser");
    QTest::addColumn<bool>("prepared");
    QTest::newRow("installed") << true << false << true;
    QTest::newRow("installed, MAVOR_HOME") << true << true << false;
    QTest::newRow("build tree") << false << false << false;
    QTest::newRow("build tree, MAVOR_HOME") << false << true << false;
}

void TestProgramLayout::onlyAnInstalledDefaultIsPrepared() {
    QFETCH(bool, installed);
    QFETCH(bool, namedByUser);
    QFETCH(bool, prepared);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString r = root.path();
    QVERIFY(QDir().mkpath(r + "/bin"));
    QVERIFY(writeFile(r + "/share/mavor/mavor.tdb", kDelivered));
    if (!installed)
        QVERIFY(QDir(r + "/share").removeRecursively());
    ProgramLayout::Environment env;
    env.binaryDir = r + "/bin";
    env.xdgDataHome = r + "/xdg";
    env.home = r + "/home";
    if (namedByUser)
        env.mavorHome = r + "/mine";
    const ProgramLayout layout = ProgramLayout::detect(env);
    QCOMPARE(layout.isInstalled(), installed);

    QVERIFY(layout.prepareDataDir());
    QCOMPARE(QFileInfo::exists(layout.databasePath()), prepared);
    QCOMPARE(QFileInfo::exists(r + "/mine"), false);
    QCOMPARE(QFileInfo::exists(r + "/bin/mavor.tdb"), false);
}

QTEST_GUILESS_MAIN(TestProgramLayout)
#include "tst_programlayout.moc"
