// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The data directory (mavor.tdb, mavor.ini; no trailing separator): the
// directory of the running program in the build tree, the user's data
// directory when installed, the directory named by MAVOR_HOME when that is set.
// See ProgramLayout.
QString programDirectory();
QString programFile(const QString& name);

// A file that comes with the program (the user guide, the spreadsheet
// template): beside the binary when run from the build tree, in the
// installation's share/mavor when installed. Never the data directory.
QString installedFile(const QString& relativePath);
