// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faults/FaultSummary.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace faults {

struct TwoProcessResult {
    FaultSummary sides[2];
    qint64 elapsedMs = 0;
    QStringList findings; // what did not hold at the end; empty when all did
};

// Two workers, separate processes of separate users (the administrator and
// the fixture's second user), run operationsEach mixed operations at once on
// the database at path. Afterwards nothing a side committed is missing: each
// user's contacts, trash, interactions and points are what they were plus
// what that side reports, and each modified contact holds its last remark.
TwoProcessResult twoProcessRun(const QString& worker, const QString& path, qint64 operationsEach,
                               const QDate& today, quint32 seed);

} // namespace faults
