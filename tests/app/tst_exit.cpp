#include "app/AutoResetEvent.h"
#include "app/PacedExit.h"
#include "app/SingleInstanceGuard.h"
#include "support/ScriptedPrompter.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

class TestExit : public QObject {
    Q_OBJECT

  private slots:
    void noLeavesEverythingAsItWas();
    void yesStopsTheBuilderAndCountsSixSteps();
    void anAnsweringBuilderShortensTheFirstWait();
    void autoResetEventWakesOnceAndResets();
    void secondGuardOfTheSameKeyIsRefused();
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

void TestExit::secondGuardOfTheSameKeyIsRefused() {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    SingleInstanceGuard first(QStringLiteral("测试标题"));
    SingleInstanceGuard second(QStringLiteral("测试标题"));
    SingleInstanceGuard other(QStringLiteral("别的标题"));
    QVERIFY(first.lockPath().startsWith(runtime.path()));
    QVERIFY(first.tryAcquire());
    QVERIFY(!second.tryAcquire());
    QVERIFY(other.tryAcquire());
}

QTEST_GUILESS_MAIN(TestExit)
#include "tst_exit.moc"
