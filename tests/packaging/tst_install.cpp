// SPDX-License-Identifier: GPL-3.0-or-later
// Installs the build into a temporary DESTDIR the way the package does
// (cmake --install, prefix /usr) and looks at the result as a desktop and a
// user would: the tree, the desktop entry and AppStream data through their
// validators, the icons, the manual page against the real commands, and the
// installed program keeping its data in the user's data directory.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

constexpr QFile::Permissions kAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QFile::Permissions modeOf(const QString& path) {
    return QFileInfo(path).permissions() & kAll;
}

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& args,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString tool(const char* name, const char* package) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty())
        qWarning("%s is missing: install the Debian package %s (make deps)", name, package);
    return path;
}

// Width and height from a PNG file's header chunk.
QSize pngSize(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR")
        return {};
    auto be32 = [&](int at) {
        return (quint32(quint8(head[at])) << 24) | (quint32(quint8(head[at + 1])) << 16) |
               (quint32(quint8(head[at + 2])) << 8) | quint32(quint8(head[at + 3]));
    };
    return QSize(int(be32(16)), int(be32(20)));
}

// The value of key in the [Desktop Entry] group of a desktop file.
QString desktopValue(const QString& content, const QString& key) {
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(QRegularExpression::escape(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(content).captured(1);
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void treeHoldsWhatAnInstallationNeeds_data();
    void treeHoldsWhatAnInstallationNeeds();
    void nothingElseIsInstalled();
    void binariesDoNotPointIntoTheBuildTree();
    void iconsHaveTheirSizes();
    void deliveredDatabaseIsFresh();
    void desktopEntryValidatesAndFindsItsIcon();
    void metainfoValidates();
    void manualPageDescribesEveryCommand();
    void adminExitCodesAreTheDocumentedOnes_data();
    void adminExitCodesAreTheDocumentedOnes();
    void installedProgramKeepsDataInTheUsersDirectory_data();
    void installedProgramKeepsDataInTheUsersDirectory();

  private:
    QString installed(const QString& relative) const { return root_.path() + "/usr/" + relative; }
    QString manPage(const QString& name);
    QStringList expectedFiles() const;

    QTemporaryDir root_;
    QString appId_;
    QString programDir_;
};

void TestInstall::initTestCase() {
    QVERIFY(root_.isValid());
    appId_ = qEnvironmentVariable("MAVOR_APP_ID");
    programDir_ = qEnvironmentVariable("MAVOR_BIN_DIR");
    QVERIFY(!appId_.isEmpty());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", root_.path());
    const Run install =
        run(qEnvironmentVariable("MAVOR_CMAKE"),
            {"--install", qEnvironmentVariable("MAVOR_BUILD_DIR"), "--prefix", "/usr"}, env);
    QVERIFY2(install.code == 0, install.err.constData());
}

// What an installation holds, by the Linux conventions: programs in bin, the
// program's own files in share/mavor, the desktop's files where desktops look.
QStringList TestInstall::expectedFiles() const {
    QStringList files{"bin/mavor",
                      "bin/mavor-admin",
                      "share/mavor/mavor.tdb",
                      "share/mavor/help/index.html",
                      "share/applications/" + appId_ + ".desktop",
                      "share/metainfo/" + appId_ + ".metainfo.xml",
                      "share/icons/hicolor/scalable/apps/" + appId_ + ".svg",
                      "share/man/man1/mavor.1.gz",
                      "share/man/man1/mavor-admin.1.gz",
                      "share/doc/mavor/copyright",
                      "share/doc/mavor/changelog.gz"};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId_);
    // Built by other parts of the project once they exist.
    if (QFileInfo::exists(programDir_ + "/moban.xlsx"))
        files << "share/mavor/moban.xlsx";
    if (QFileInfo::exists(programDir_ + "/mavor-smsd"))
        files << "bin/mavor-smsd"
              << "share/man/man1/mavor-smsd.1.gz";
    return files;
}

void TestInstall::treeHoldsWhatAnInstallationNeeds_data() {
    QTest::addColumn<QString>("file");
    for (const QString& file : expectedFiles())
        QTest::newRow(qPrintable(file)) << file;
}

void TestInstall::treeHoldsWhatAnInstallationNeeds() {
    QFETCH(QString, file);
    const QFileInfo info(installed(file));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    const bool program = file.startsWith("bin/");
    QCOMPARE(info.isExecutable(), program);
    QVERIFY(modeOf(info.filePath()) & QFile::ReadOther);
}

// Nothing of a user's data, of the tests or of the build's working files
// ends up in the installation.
void TestInstall::nothingElseIsInstalled() {
    const QStringList files = expectedFiles();
    const QSet<QString> expected(files.begin(), files.end());
    QStringList unexpected;
    QDirIterator it(root_.path(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root_.path() + "/usr").relativeFilePath(path);
        if (!expected.contains(relative) && !relative.startsWith("share/mavor/help/"))
            unexpected << relative;
    }
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
}

void TestInstall::binariesDoNotPointIntoTheBuildTree() {
    const QString readelf = tool("readelf", "binutils");
    QVERIFY(!readelf.isEmpty());
    for (const char* program : {"bin/mavor", "bin/mavor-admin"}) {
        const Run dynamic = run(readelf, {"-d", installed(QString::fromLatin1(program))});
        QCOMPARE(dynamic.code, 0);
        QVERIFY2(!dynamic.out.contains("RPATH") && !dynamic.out.contains("RUNPATH"),
                 dynamic.out.constData());
    }
}

void TestInstall::iconsHaveTheirSizes() {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = installed(
            QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId_));
        QCOMPARE(pngSize(icon), QSize(size, size));
    }
    QFile svg(installed("share/icons/hicolor/scalable/apps/" + appId_ + ".svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
}

// The database that ships is a new one: the administrator and no contacts,
// whatever the build tree's own database holds.
void TestInstall::deliveredDatabaseIsFresh() {
    // Read from a copy: even a read-only connection leaves journal files.
    QTemporaryDir copy;
    QVERIFY(QFile::copy(installed("share/mavor/mavor.tdb"), copy.filePath("mavor.tdb")));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "delivered");
        db.setDatabaseName(copy.filePath("mavor.tdb"));
        QVERIFY(db.open());
        QSqlQuery users("select user_name from userlogin", db);
        QStringList names;
        while (users.next())
            names << users.value(0).toString();
        QCOMPARE(names, QStringList{"admin"});
        QSqlQuery contacts("select count(*) from base", db);
        QVERIFY(contacts.next());
        QCOMPARE(contacts.value(0).toInt(), 0);
        db.close();
    }
    QSqlDatabase::removeDatabase("delivered");
    // Nothing beside it: no journal, no settings.
    QCOMPARE(QDir(installed("share/mavor")).entryList(QDir::Files | QDir::Hidden).filter("mavor."),
             QStringList{"mavor.tdb"});
}

void TestInstall::desktopEntryValidatesAndFindsItsIcon() {
    const QString validator = tool("desktop-file-validate", "desktop-file-utils");
    QVERIFY(!validator.isEmpty());
    const QString path = installed("share/applications/" + appId_ + ".desktop");
    const Run check = run(validator, {path});
    QVERIFY2(check.code == 0 && check.out.isEmpty() && check.err.isEmpty(),
             (check.out + check.err).constData());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(file.readAll());
    QCOMPARE(desktopValue(entry, "Type"), QStringLiteral("Application"));
    QCOMPARE(desktopValue(entry, "Name[zh_CN]"), QStringLiteral("Halvora人脉"));
    QVERIFY(!desktopValue(entry, "Name").isEmpty());
    const QStringList categories = desktopValue(entry, "Categories").split(';');
    QVERIFY(categories.contains("Office"));
    QVERIFY(categories.contains("ContactManagement"));
    // The command and the icon name something that was installed.
    QVERIFY(QFileInfo(installed("bin/" + desktopValue(entry, "Exec"))).isExecutable());
    const QString icon = desktopValue(entry, "Icon");
    QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/48x48/apps/" + icon + ".png")));
    QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/scalable/apps/" + icon + ".svg")));
}

void TestInstall::metainfoValidates() {
    const QString appstream = tool("appstreamcli", "appstream");
    QVERIFY(!appstream.isEmpty());
    const QString path = installed("share/metainfo/" + appId_ + ".metainfo.xml");
    const Run check = run(appstream, {"validate", "--no-net", path});
    QVERIFY2(check.code == 0, (check.out + check.err).constData());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    QVERIFY(xml.contains("<id>" + appId_ + "</id>"));
    QVERIFY(xml.contains("<launchable type=\"desktop-id\">" + appId_ + ".desktop</launchable>"));
    QVERIFY(xml.contains(QRegularExpression("<screenshot[^>]*>\\s*<caption>[^<]+</caption>")));
    QVERIFY(xml.contains(QRegularExpression("<image>https?://[^<]+\\.png</image>")));
    // Every installed program is named, so that software centres find it.
    for (const QString& program : QDir(installed("bin")).entryList(QDir::Files))
        QVERIFY2(xml.contains("<binary>" + program + "</binary>"), qPrintable(program));
}

QString TestInstall::manPage(const QString& name) {
    const Run unpacked = run(tool("gzip", "gzip"), {"-dc", installed("share/man/man1/" + name)});
    return unpacked.code == 0 ? QString::fromUtf8(unpacked.out) : QString();
}

// Every command that mavor-admin's own usage lists has its entry in the
// manual page, beside the sections a manual page of a command needs.
void TestInstall::manualPageDescribesEveryCommand() {
    const QString page = manPage("mavor-admin.1.gz");
    QVERIFY(!page.isEmpty());
    for (const char* section :
         {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "EXIT STATUS", "EXAMPLES"})
        QVERIFY2(page.contains(QStringLiteral("\n.SH %1\n").arg(section)), section);

    const Run usage = run(installed("bin/mavor-admin"), {});
    const QRegularExpression listed(QStringLiteral("^\\s*mavor-admin ([a-z][a-z-]*)"),
                                    QRegularExpression::MultilineOption);
    QStringList commands;
    for (auto it = listed.globalMatch(QString::fromUtf8(usage.err)); it.hasNext();)
        commands << it.next().captured(1);
    QVERIFY2(commands.size() >= 2, usage.err.constData());
    for (const QString& command : commands) {
        const QRegularExpression entry(
            QStringLiteral("^\\.TP\\n\\.BI? \"?%1\\b").arg(QRegularExpression::escape(command)),
            QRegularExpression::MultilineOption);
        QVERIFY2(page.contains(entry), qPrintable("no entry for " + command));
    }

    // man itself reads both pages without a warning.
    const QString man = QStandardPaths::findExecutable("man");
    if (man.isEmpty())
        return;
    for (const char* name : {"mavor-admin.1.gz", "mavor.1.gz", "mavor-smsd.1.gz"}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MANWIDTH", "80");
        const Run shown =
            run(man, {"--warnings", "-l", installed("share/man/man1/" + QString::fromLatin1(name))},
                env);
        QCOMPARE(shown.code, 0);
        QVERIFY2(shown.err.isEmpty(), shown.err.constData());
    }
}

// Each exit status the manual page documents, produced by the installed command.
void TestInstall::adminExitCodesAreTheDocumentedOnes_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("status");
    QTest::newRow("did its work") << QStringList{"initdb", "@"} << false << 0;
    QTest::newRow("refuses an existing file") << QStringList{"initdb", "@"} << true << 1;
    QTest::newRow("gen on a missing file")
        << QStringList{"gen", "--contacts", "1", "--interactions", "1", "@/none/x.tdb"} << false
        << 1;
    QTest::newRow("asked for help") << QStringList{"--help"} << false << 0;
    QTest::newRow("no command") << QStringList{} << false << 2;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << false << 2;
    QTest::newRow("missing path") << QStringList{"initdb"} << false << 2;
    QTest::newRow("malformed number")
        << QStringList{"gen", "--contacts", "many", "--interactions", "1", "@"} << false << 2;
}

void TestInstall::adminExitCodesAreTheDocumentedOnes() {
    QFETCH(QStringList, args);
    QFETCH(bool, existing);
    QFETCH(int, status);

    const QString page = manPage("mavor-admin.1.gz");
    const QString statusSection = page.section("\n.SH EXIT STATUS\n", 1).section("\n.SH ", 0, 0);
    QVERIFY2(statusSection.contains(QStringLiteral(".TP\n.B %1\n").arg(status)),
             "the manual page does not document this exit status");

    QTemporaryDir dir;
    const QString target = dir.filePath("mavor.tdb");
    if (existing)
        QVERIFY(QFile(target).open(QIODevice::WriteOnly));
    for (QString& arg : args)
        arg.replace("@", arg == "@" ? target : dir.path());
    const Run admin = run(installed("bin/mavor-admin"), args);
    QCOMPARE(admin.code, status);
    if (status != 0)
        QVERIFY(!admin.err.trimmed().isEmpty());
    if (existing)
        QCOMPARE(QFileInfo(target).size(), 0);
}

void TestInstall::installedProgramKeepsDataInTheUsersDirectory_data() {
    QTest::addColumn<bool>("xdgSet");
    QTest::addColumn<QString>("dataDir"); // relative to the test's home root
    QTest::newRow("XDG_DATA_HOME") << true << "xdg/mavor";
    QTest::newRow("default under HOME") << false << "home/.local/share/mavor";
}

// Started as a new user would start it: no MAVOR_HOME, nothing prepared.
void TestInstall::installedProgramKeepsDataInTheUsersDirectory() {
    QFETCH(bool, xdgSet);
    QFETCH(QString, dataDir);

    QTemporaryDir user;
    QVERIFY(user.isValid());
    QVERIFY(QDir().mkpath(user.path() + "/home"));
    QVERIFY(QDir().mkpath(user.path() + "/runtime"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("MAVOR_HOME");
    env.remove("XDG_DATA_HOME");
    env.insert("HOME", user.path() + "/home");
    env.insert("XDG_RUNTIME_DIR", user.path() + "/runtime");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (xdgSet)
        env.insert("XDG_DATA_HOME", user.path() + "/xdg");

    const QString data = user.path() + '/' + dataDir;
    auto startAndStop = [&](qint64* inode) {
        QProcess mavor;
        mavor.setProcessEnvironment(env);
        mavor.start(installed("bin/mavor"), {});
        QVERIFY(mavor.waitForStarted(5000));
        // The settings file comes after the database opened: start-up is through.
        QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(data + "/mavor.ini"); }, 15000));
        QTest::qWait(300);
        QCOMPARE(mavor.state(), QProcess::Running);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(data + "/mavor.tdb").constData(), &st), 0);
        *inode = qint64(st.st_ino);
        mavor.kill();
        QVERIFY(mavor.waitForFinished(5000));
    };

    qint64 first = 0;
    startAndStop(&first);
    QCOMPARE(modeOf(data), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(modeOf(data + "/mavor.tdb"), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(modeOf(data + "/mavor.ini"), QFile::ReadOwner | QFile::WriteOwner);
    // The installation itself got nothing.
    QCOMPARE(QDir(installed("share/mavor")).entryList(QDir::Files | QDir::Hidden).filter("mavor."),
             QStringList{"mavor.tdb"});
    QVERIFY(!QFileInfo::exists(installed("bin/mavor.ini")));

    // The next start works on the same file, not on a new copy.
    qint64 second = 0;
    startAndStop(&second);
    QCOMPARE(second, first);
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
