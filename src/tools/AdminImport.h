// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// mavor-admin import --user NAME [--duplicates skip|merge|add] [--encoding utf8|gb18030] FILE PATH
// Imports the vCard or CSV file FILE into the database PATH as contacts of the
// user NAME, all or nothing, and prints the summary.
int adminImport(QStringList args, QTextStream& out, QTextStream& err);
