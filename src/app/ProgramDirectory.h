#pragma once

#include <QString>

// The directory of the running program (no trailing separator), or the
// directory named by MAVOR_HOME when that is set.
QString programDirectory();
QString programFile(const QString& name);

// A file that comes with the program (the user guide, the spreadsheet
// template): beside the binary when run from the build tree, in the installed
// data directory (../share/mavor) otherwise. Never the data directory. The
// first place where it exists, or the place beside the binary.
QString installedFile(const QString& relativePath);
