// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// mavor-admin stats --user NAME [--scope mine|department|everyone]
//                   [--from YYYY-MM-DD] [--to YYYY-MM-DD] PATH
// prints the figures of the relationship view (往来统计) as text; the period
// is this year to today unless given.
int adminStats(QStringList args, QTextStream& out, QTextStream& err);
