// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Database;

namespace faults {

// One writing operation of the program, on a database of its own, with what
// must hold of that database at any moment besides findings().
struct CrashCase {
    QString operation; // fault_worker's name for it
    QString path;      // the database the worker runs on
    QStringList arguments;
    std::function<QStringList(Database&)> holds;
    QString start; // a copy of the prepared database, to begin again from
};

struct CrashTally {
    int kills = 0;
    int faults = 0;        // kills after which something did not hold
    qint64 operations = 0; // operations the worker finished, over all its runs
    QStringList first;     // the first findings, for the report
    QString error;         // why the run could not go on (empty when it could)
};

// Starts the worker on the case's database again and again and kills it
// (SIGKILL) a random time after it said it was ready, up to longestDelayMs;
// after every kill the database is opened as the program opens it and checked.
// Every so many kills the database begins again from the prepared copy, so an
// operation that only adds keeps its file, and the checks, small.
CrashTally crashRun(const QString& worker, const CrashCase& c, int kills, quint32 seed,
                    int longestDelayMs);

// The operations of the crash test, each prepared in dir from a copy of the
// fixture at fixturePath: adding a contact, the cascade delete, emptying the
// trash, cleansing, interactions with their points, distributing, restoring a
// backup. Empty with error set when a preparation failed.
QList<CrashCase> standardCases(const QString& fixturePath, const QString& dir, const QDate& today,
                               QString* error);

} // namespace faults
