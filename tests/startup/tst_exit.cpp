// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AutoResetEvent.h"
#include "startup/PacedExit.h"
#include "startup/SingleInstanceGuard.h"
#include "support/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <thread>
#include <unistd.h>

class TestExit : public QObject {
    Q_OBJECT

  private slots:
    void noLeavesEverythingAsItWas();
    void yesStopsTheBuilderAndCountsSixSteps();
    void anAnsweringBuilderShortensTheFirstWait();
    void closingWorkTakesItsTimeFromTheWaits();
    void autoResetEventWakesOnceAndResets();
    void guardLivesInTheDataDirectory();
};

void TestExit::noLeavesEverythingAsItWas() {
    ScriptedPrompter prompter;
    prompter.answer(false);
    AutoResetEvent stop, done;
    PacedExit exit(prompter, stop, done);
    QVERIFY(!exit.confirm());
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("确认"));
    QCOMPARE(prompter.messages[0].text, QStringLiteral("确定要退出吗(?)"));
    QVERIFY(prompter.progressRuns.isEmpty());
    QVERIFY(!stop.wait(0));
}

void TestExit::yesStopsTheBuilderAndCountsSixSteps() {
    ScriptedPrompter prompter;
    AutoResetEvent stop, done;
    PacedExit exit(prompter, stop, done);
    QElapsedTimer timer;
    timer.start();
    exit.run(30);
    const qint64 elapsed = timer.elapsed();
    QVERIFY(stop.wait(0));
    QCOMPARE(prompter.progressRuns.size(), 1);
    const auto& run = *prompter.progressRuns[0];
    QCOMPARE(run.lower, 0);
    QCOMPARE(run.upper, 5);
    QCOMPARE(run.positions, (QList<int>{0, 1, 2, 3, 4, 5}));
    QVERIFY(run.finished);
    QVERIFY2(elapsed >= 6 * 30 - 10, qPrintable(QString::number(elapsed)));
}

void TestExit::anAnsweringBuilderShortensTheFirstWait() {
    ScriptedPrompter prompter;
    AutoResetEvent stop, done;
    std::thread builder([&] {
        if (stop.wait(5000))
            done.set();
    });
    PacedExit exit(prompter, stop, done);
    QElapsedTimer timer;
    timer.start();
    exit.run(1000);
    builder.join();
    // The first wait ends on the builder's answer, the five others run their course.
    QVERIFY2(timer.elapsed() < 5 * 1000 + 900, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(prompter.progressRuns[0]->positions.size(), 6);
}

void TestExit::closingWorkTakesItsTimeFromTheWaits() {
    // A counted clock: the builder answers after 100 ms, the closing work
    // (joining the builder, tidying the file) takes 1,700 ms.
    for (const qint64 closingMs : {qint64(1700), qint64(5000)}) {
        ScriptedPrompter prompter;
        AutoResetEvent stop, done;
        qint64 now = 0;
        QList<int> waits;
        PacedExit::Pace pace{[&now] { return now; },
                             [&](int ms) {
                                 waits << ms;
                                 now += waits.size() == 1 ? 100 : ms;
                             }};
        bool stoppedFirst = false;
        PacedExit(prompter, stop, done)
            .run(
                500,
                [&] {
                    stoppedFirst = stop.wait(0);
                    now += closingMs;
                },
                pace);
        QVERIFY(stoppedFirst);
        // The exit ends five steps after the builder's answer, however long
        // the closing took while it stays within them.
        QCOMPARE(now, qMax<qint64>(100 + 5 * 500, 100 + closingMs));
        QCOMPARE(prompter.progressRuns[0]->positions, (QList<int>{0, 1, 2, 3, 4, 5}));
    }
}

void TestExit::autoResetEventWakesOnceAndResets() {
    AutoResetEvent event;
    QVERIFY(!event.wait(0));
    event.set();
    event.set();
    QVERIFY(event.wait(0));
    QVERIFY(!event.wait(0));
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        event.set();
    });
    QVERIFY(event.wait(5000));
    setter.join();
}

// The lock lives in the data directory, whatever the session's environment:
// one copy per directory, a crashed run's lock taken over, and a lock that
// cannot be ours refused with a reason instead of a silent exit.
void TestExit::guardLivesInTheDataDirectory() {
    qunsetenv("XDG_RUNTIME_DIR");
    QTemporaryDir data, otherData;
    using Result = SingleInstanceGuard::Result;
    SingleInstanceGuard first(data.path());
    SingleInstanceGuard second(data.path());
    SingleInstanceGuard other(otherData.path());
    QCOMPARE(first.lockPath(), data.filePath(QStringLiteral("mavor.lock")));
    QCOMPARE(first.acquire(), Result::Acquired);
    QCOMPARE(second.acquire(), Result::Running);
    QVERIFY(second.problem().isEmpty());
    QCOMPARE(other.acquire(), Result::Acquired);

    // A crashed run's lock: its process is gone.
    QTemporaryDir crashed;
    QFile stale(crashed.filePath(QStringLiteral("mavor.lock")));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\nmavor\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    QCOMPARE(SingleInstanceGuard(crashed.path()).acquire(), Result::Acquired);

    // No directory to put the lock in.
    QTemporaryDir parent;
    QFile notADir(parent.filePath(QStringLiteral("data")));
    QVERIFY(notADir.open(QIODevice::WriteOnly));
    notADir.close();
    SingleInstanceGuard nowhere(notADir.fileName());
    QCOMPARE(nowhere.acquire(), Result::Refused);
    QVERIFY(nowhere.problem().contains(QStringLiteral("无法在数据目录中建立程序的锁文件")));

    // A lock planted by another account, naming a live process of this program.
    if (geteuid() != 0)
        QSKIP("only root can give a file to another account");
    QTemporaryDir shared;
    const QString planted = shared.filePath(QStringLiteral("mavor.lock"));
    QFile lock(planted);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
               QCoreApplication::applicationName().toUtf8() + '\n' +
               QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();
    QCOMPARE(::chown(QFile::encodeName(planted).constData(), 65534, 65534), 0);
    SingleInstanceGuard victim(shared.path());
    QCOMPARE(victim.acquire(), Result::Refused);
    QVERIFY(victim.problem().contains(QStringLiteral("属于另一个用户")));
}

QTEST_GUILESS_MAIN(TestExit)
#include "tst_exit.moc"
