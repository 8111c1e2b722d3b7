// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the program's core, separate processes of separate users,
// run mixed operations at once on one database (10,000 in all by default):
// adding, modifying, trashing and restoring contacts, adding and deleting
// interactions with their points, building the tree. Reports throughput, the
// longest operation (its waits for the other side included) and whether
// anything a side committed went missing or any error reached a user.
//
//   bench_twoprocesses [--operations N] [--seed S] [--dir DIR]
#include "BenchTiming.h"
#include "db/Database.h"
#include "faults/FaultFixture.h"
#include "faults/TwoProcessRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    qint64 operations = 10000;
    quint32 seed = 1;
    QString dirOption;
    if (QString v; bench::takeOption(args, QStringLiteral("--operations"), &v))
        operations = v.toLongLong();
    if (QString v; bench::takeOption(args, QStringLiteral("--seed"), &v))
        seed = v.toUInt();
    bench::takeOption(args, QStringLiteral("--dir"), &dirOption);
    if (!args.isEmpty() || operations < 2) {
        err << "usage: bench_twoprocesses [--operations N] [--seed S] [--dir DIR]\n";
        return 2;
    }
    QTemporaryDir scratch;
    const QString dir = dirOption.isEmpty() ? scratch.path() : dirOption;
    QDir().mkpath(dir);
    const faults::Fixture fixture;
    const QString path = dir + QStringLiteral("/shared.tdb");
    QFile::remove(path);
    QString error;
    if (!faults::createFixture(path, fixture, &error)) {
        err << "bench_twoprocesses: " << error << "\n";
        return 1;
    }
    const QString worker = QCoreApplication::applicationDirPath() + QStringLiteral("/fault_worker");
    const faults::TwoProcessResult r =
        faults::twoProcessRun(worker, path, operations / 2, fixture.today, seed);
    const qint64 done = r.sides[0].operations + r.sides[1].operations;
    out << "two processes, " << operations / 2 << " mixed operations each, on " << fixture.contacts
        << " + " << fixture.contacts << " contacts\n";
    for (int i = 0; i < 2; ++i) {
        const faults::FaultSummary& s = r.sides[i];
        out << "  side " << i + 1 << ": " << s.operations << " operations: " << s.added
            << " contacts added, " << s.modified << " modified, " << s.trashed
            << " more in the trash, " << s.interactions << " interactions more, " << s.trees
            << " tree builds; longest " << s.longestMs << " ms; errors shown " << s.failures
            << "\n";
    }
    out << "  " << done << " operations in " << r.elapsedMs
        << " ms: " << (r.elapsedMs > 0 ? double(done) * 1000.0 / double(r.elapsedMs) : 0.0)
        << " per second; busy timeout " << Database::kBusyTimeoutMs << " ms\n";
    out << (r.findings.isEmpty() ? QStringLiteral("  nothing lost, no error\n")
                                 : QStringLiteral("  FAULTS:\n    ") +
                                       r.findings.join(QStringLiteral("\n    ")) + u'\n');
    return r.findings.isEmpty() ? 0 : 1;
}
