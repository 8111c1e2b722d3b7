// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real program the way a user does and checks what start-up
// promises: one copy per data directory, a crashed copy does not block the
// next, a missing settings file comes back with its defaults.
#include "support/TestHome.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <signal.h>

class TestProgram : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void secondCopyEndsAtOnceWithMinusOne();
    void crashedCopyDoesNotBlockTheNext();
    void copiesOnOtherDataDirectoriesRunSideBySide();
    void sameDirectoryByAnotherPathIsTheSame();
    void missingSettingsFileIsRecreated();

  private:
    void start(QProcess& process, const TestHome& home) { start(process, home.dir()); }
    void start(QProcess& process, const QString& dataDir);
    bool waitUntilRunning(QProcess& process, const QString& file);

    QString program_;
    QTemporaryDir runtime_;
};

void TestProgram::initTestCase() {
    program_ = qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor");
    QVERIFY2(QFile::exists(program_), qPrintable(program_));
    QVERIFY(runtime_.isValid());
}

void TestProgram::start(QProcess& process, const QString& dataDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MAVOR_HOME", dataDir);
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(program_, {});
    QVERIFY(process.waitForStarted(5000));
}

// The settings file appears once start-up has passed the guard and the database.
bool TestProgram::waitUntilRunning(QProcess& process, const QString& file) {
    for (int i = 0; i < 100; ++i) {
        if (QFile::exists(file) && process.state() == QProcess::Running) {
            QTest::qWait(300);
            return process.state() == QProcess::Running;
        }
        QTest::qWait(50);
    }
    return false;
}

void TestProgram::secondCopyEndsAtOnceWithMinusOne() {
    TestHome home;
    QProcess first;
    start(first, home);
    QVERIFY(waitUntilRunning(first, home.settingsPath()));

    QProcess second;
    start(second, home);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 255); // -1
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    QVERIFY(first.waitForFinished(5000));
}

void TestProgram::crashedCopyDoesNotBlockTheNext() {
    TestHome home;
    QProcess crashed;
    start(crashed, home);
    QVERIFY(waitUntilRunning(crashed, home.settingsPath()));
    ::kill(pid_t(crashed.processId()), SIGKILL);
    QVERIFY(crashed.waitForFinished(5000));

    QProcess next;
    start(next, home);
    QTest::qWait(1500);
    QCOMPARE(next.state(), QProcess::Running);
    next.kill();
    QVERIFY(next.waitForFinished(5000));
}

void TestProgram::copiesOnOtherDataDirectoriesRunSideBySide() {
    TestHome mine;
    TestHome theirs;
    QProcess first;
    start(first, mine);
    QVERIFY(waitUntilRunning(first, mine.settingsPath()));

    QProcess second;
    start(second, theirs);
    QVERIFY(waitUntilRunning(second, theirs.settingsPath()));
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    second.kill();
    QVERIFY(first.waitForFinished(5000));
    QVERIFY(second.waitForFinished(5000));
}

void TestProgram::sameDirectoryByAnotherPathIsTheSame() {
    TestHome home;
    QTemporaryDir links;
    const QString link = links.filePath("linked");
    QVERIFY(QFile::link(home.dir(), link));
    QProcess first;
    start(first, home);
    QVERIFY(waitUntilRunning(first, home.settingsPath()));

    QProcess second;
    start(second, link + "/../linked/");
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 255); // -1
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    QVERIFY(first.waitForFinished(5000));
}

void TestProgram::missingSettingsFileIsRecreated() {
    TestHome home;
    QFile::remove(home.settingsPath());
    QProcess process;
    start(process, home);
    QVERIFY(waitUntilRunning(process, home.settingsPath()));
    QFile ini(home.settingsPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(),
             QByteArray("[Settings]\r\nUserName=\r\nPassword=\r\nAutoLogin=0\r\nDay=60\r\n"));
    process.kill();
    QVERIFY(process.waitForFinished(5000));
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
