// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// mavor-admin tree --user NAME [--today YYYY-MM-DD] PATH: builds the
// navigation tree the user sees after logging in on that day (today unless
// given), with the reminders and care, and prints it. Like the program, it
// writes the user's reminder rows (tmptrans).
int treeCommand(QStringList args, QTextStream& out, QTextStream& err);
