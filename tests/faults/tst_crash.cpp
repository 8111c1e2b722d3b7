// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/CrashRun.h"
#include "faults/FaultFixture.h"

#include <QTemporaryDir>
#include <QTest>

// Every writing operation of the program is killed (SIGKILL) at random
// moments while it runs in a child process on a database of its own; after
// each kill the database, opened as the program opens it, is whole: the
// engine's integrity check passes, every contact has its four rows or none,
// nothing is left of a contact that is gone, the points match the
// interactions, each contact's kept newest interaction is its newest, and a cleansing, hand-over or
// restore happened wholly or not at all. A short count here; bench_crash makes 1,000 kills of each.
class TestCrash : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void killsLeaveTheDataWhole_data();
    void killsLeaveTheDataWhole();

  private:
    QTemporaryDir dir_;
    QList<faults::CrashCase> cases_;
};

namespace {

constexpr int kKills = 6;

// How long after the worker is ready the kill may come: about one to three
// runs of the operation on the fixture.
int delayFor(const QString& operation) {
    if (operation == u"restore" || operation == u"cleansing" || operation == u"distribute")
        return 120;
    return 60;
}

} // namespace

void TestCrash::initTestCase() {
    QVERIFY(dir_.isValid());
    faults::Fixture fixture;
    fixture.contacts = 60;
    fixture.interactions = 300;
    const QString path = dir_.filePath("fixture.tdb");
    QString error;
    QVERIFY2(faults::createFixture(path, fixture, &error), qPrintable(error));
    cases_ = faults::standardCases(path, dir_.path(), fixture.today, &error);
    QVERIFY2(!cases_.isEmpty(), qPrintable(error));
}

void TestCrash::killsLeaveTheDataWhole_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < cases_.size(); ++i)
        QTest::newRow(qPrintable(cases_.at(i).operation)) << i;
}

void TestCrash::killsLeaveTheDataWhole() {
    QFETCH(int, index);
    const faults::CrashCase& c = cases_.at(index);
    const faults::CrashTally tally = faults::crashRun(QStringLiteral(FAULT_WORKER), c, kKills,
                                                      quint32(index + 1), delayFor(c.operation));
    QVERIFY2(tally.error.isEmpty(), qPrintable(tally.error));
    QCOMPARE(tally.kills, kKills);
    QVERIFY2(tally.faults == 0, qPrintable(tally.first.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
