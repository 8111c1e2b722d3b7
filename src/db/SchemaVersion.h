// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

class Database;

// The database records which version of its tables it holds (PRAGMA
// user_version). The first release wrote no number: 0 reads as version 1.
// schema.sql and seed.sql stay the first release's tables and rows for good;
// every later change is an upgrade step, applied to new files at creation and
// to older files when they are opened, so both end up alike.
namespace schema {

struct Step {
    int version;        // the version the file has once the step ran
    QString scriptName; // resource of the step's statements (":/db/upgrades/002.sql")
};

// The steps of this program, in order; the last one's version is current().
const QList<Step>& steps();
int current();

// The statements of a step, as shipped with the program; empty when missing.
QString scriptOf(const Step& step);

// The version the file holds; -1 when it cannot be read.
int versionOf(Database& db);

// Runs every step above the file's version, and sets the new version, in one
// transaction: all of them or, when one fails, none. Reports nothing itself.
// derive, when given, runs after the steps in the same transaction: it fills
// what the program computes from the rows (the find box's keys). advance,
// when given, hears before each part how many parts are done of how many (the
// steps, then derive, then the statistics), and once more when all are done.
using Derive = std::function<bool(Database&, QString*)>;
using Advance = std::function<void(int done, int parts)>;
bool upgrade(Database& db, const QList<Step>& steps, QString* error, const Derive& derive = {},
             const Advance& advance = {});

// Runs a script of statements (several, separated by ";") inside the caller's transaction.
bool runStatements(Database& db, const QString& script, QString* error);

} // namespace schema
