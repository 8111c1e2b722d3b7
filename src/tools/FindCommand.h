// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// mavor-admin find --user NAME [--limit N] QUERY PATH: the live contacts the
// find box offers for what was typed, in its order, one a line (number, name,
// post, unit, mobile); how many matched goes to standard error.
int findCommand(QStringList args, QTextStream& out, QTextStream& err);
