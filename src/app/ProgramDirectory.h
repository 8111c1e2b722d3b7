#pragma once

#include <QString>

// The directory of the running program (no trailing separator), or the
// directory named by MAVOR_HOME when that is set.
QString programDirectory();
QString programFile(const QString& name);
