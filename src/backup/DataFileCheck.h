// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What can be told of the database file before the engine touches it. The
// engine would take an empty file for a new database and write into it, and
// would switch another program's database to its own journal, so a file that
// is not ours is turned away here, read and never written.
namespace datafile {

// Why the file at path cannot be used as the program's database, in words for
// its user; empty when it can. A missing file is left to the caller.
QString problemOf(const QString& path);

// Why the settings file cannot be used, or empty: a missing file is fine (it
// is created), one that is no file, cannot be read or is far too large to be
// a settings file is reported once and left as it is.
QString settingsProblemOf(const QString& path);

} // namespace datafile
