// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;

// Makes the engine refuse some writes, so a test can see how a walk or a
// transaction deals with one failing row. A trigger named name fires on
// "when" ("before delete on doc", "before update on base") for the rows where
// condition (an SQL condition on old.*, empty for every row) holds, and fails
// the statement with message. Written for the engine the test runs on.
bool refuseWrites(Database& db, const QString& name, const QString& when, const QString& condition,
                  const QString& message);
