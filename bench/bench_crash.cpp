// SPDX-License-Identifier: GPL-3.0-or-later
// The crash test's long run: every writing operation of the program, killed
// (SIGKILL) at random moments, 1,000 times each by default; after every kill
// the database is opened as the program opens it and checked: the engine's
// integrity check, every contact with its four rows or none, no row without
// its contact, the user's points matching the interactions, and what the
// operation itself promises (all or none of a cleansing, a hand-over or a
// restore). Prints a table of kills and faults found.
//
//   bench_crash [--kills N] [--only OPERATION] [--delay MS] [--seed S] [--dir DIR]
#include "BenchTiming.h"
#include "faults/CrashRun.h"
#include "faults/FaultFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int kills = 1000;
    int delay = 150;
    quint32 seed = 1;
    QString only;
    QString dirOption;
    if (QString v; bench::takeOption(args, QStringLiteral("--kills"), &v))
        kills = v.toInt();
    if (QString v; bench::takeOption(args, QStringLiteral("--delay"), &v))
        delay = v.toInt();
    if (QString v; bench::takeOption(args, QStringLiteral("--seed"), &v))
        seed = v.toUInt();
    bench::takeOption(args, QStringLiteral("--only"), &only);
    bench::takeOption(args, QStringLiteral("--dir"), &dirOption);
    if (!args.isEmpty() || kills < 1 || delay < 0) {
        err << "usage: bench_crash [--kills N] [--only OPERATION] [--delay MS] [--seed S] [--dir "
               "DIR]\n";
        return 2;
    }
    QTemporaryDir scratch;
    const QString dir = dirOption.isEmpty() ? scratch.path() : dirOption;
    QDir().mkpath(dir);
    const QString worker = QCoreApplication::applicationDirPath() + QStringLiteral("/fault_worker");
    const faults::Fixture fixture;
    const QString fixturePath = dir + QStringLiteral("/fixture.tdb");
    QFile::remove(fixturePath);
    QString error;
    if (!faults::createFixture(fixturePath, fixture, &error)) {
        err << "bench_crash: " << error << "\n";
        return 1;
    }
    const QList<faults::CrashCase> cases =
        faults::standardCases(fixturePath, dir, fixture.today, &error);
    if (cases.isEmpty()) {
        err << "bench_crash: " << error << "\n";
        return 1;
    }
    out << "fixture: " << fixture.contacts << " contacts and " << fixture.interactions
        << " interactions for each of two users; kills " << kills << " per operation, "
        << "0 to " << delay << " ms after the worker is ready\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5\n")
               .arg(QStringLiteral("operation"), -16)
               .arg(QStringLiteral("kills"), 7)
               .arg(QStringLiteral("ops done"), 9)
               .arg(QStringLiteral("faults"), 7)
               .arg(QStringLiteral("seconds"), 8);
    int faultsFound = 0;
    for (const faults::CrashCase& c : cases) {
        if (!only.isEmpty() && c.operation != only)
            continue;
        QElapsedTimer timer;
        timer.start();
        const faults::CrashTally tally = faults::crashRun(worker, c, kills, seed, delay);
        out << QStringLiteral("%1 %2 %3 %4 %5\n")
                   .arg(c.operation, -16)
                   .arg(tally.kills, 7)
                   .arg(tally.operations, 9)
                   .arg(tally.faults, 7)
                   .arg(double(timer.elapsed()) / 1000.0, 8, 'f', 1);
        for (const QString& line : tally.first)
            out << "    " << line << "\n";
        if (!tally.error.isEmpty())
            out << "    stopped: " << tally.error << "\n";
        out.flush();
        faultsFound += tally.faults + (tally.error.isEmpty() ? 0 : 1);
    }
    return faultsFound == 0 ? 0 : 1;
}
