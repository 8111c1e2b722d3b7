// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// mavor-admin export [--user NAME] [--format vcard|csv] [--encoding utf8|gb18030] PATH FILE
// Writes the live contacts of the database PATH (only those of the user NAME
// when given) to FILE.
int adminExport(QStringList args, QTextStream& out, QTextStream& err);
