// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultFixture.h"
#include "faults/TwoProcessRun.h"

#include <QTemporaryDir>
#include <QTest>

// Two copies of the program's core, separate processes of separate users,
// work on one database at once: no error reaches either user, and everything
// each side committed is there afterwards. bench_twoprocesses runs 10,000
// operations; here a few hundred.
class TestTwoProcesses : public QObject {
    Q_OBJECT

  private slots:
    void nothingLostNoErrorShown();
};

void TestTwoProcesses::nothingLostNoErrorShown() {
    QTemporaryDir dir;
    faults::Fixture fixture;
    fixture.contacts = 60;
    fixture.interactions = 300;
    const QString path = dir.filePath("shared.tdb");
    QString error;
    QVERIFY2(faults::createFixture(path, fixture, &error), qPrintable(error));
    const qint64 each = 200;
    const faults::TwoProcessResult r =
        faults::twoProcessRun(QStringLiteral(FAULT_WORKER), path, each, fixture.today, 7);
    QVERIFY2(r.findings.isEmpty(), qPrintable(r.findings.join(u'\n')));
    for (const faults::FaultSummary& side : r.sides) {
        QCOMPARE(side.operations, each);
        QCOMPARE(side.failures, 0);
        // Every kind of work was done.
        QVERIFY(side.added > 0 && side.modified > 0 && side.interactions > 0 && side.trees > 0);
    }
}

QTEST_GUILESS_MAIN(TestTwoProcesses)
#include "tst_twoprocesses.moc"
