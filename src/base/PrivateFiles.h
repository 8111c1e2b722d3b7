// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFileDevice;

// Every file that holds the user's data (the database and the engine's files
// beside it, backups, exports, temporary files) is readable by its owner alone,
// whatever the umask. The engine gives its -wal, -shm and -journal files the
// mode of their database, so a database made private keeps them private.
namespace privatefiles {

// For the command-line programs: everything they create from now on is their
// user's alone (umask 077). The window program sets nothing process-wide, as
// the programs it starts (editor, documents, updater) would inherit it.
void ownerOnlyFromNowOn();

// Creates an empty file at path for its owner only; false when it exists or
// cannot be made. The engine then makes its database in it.
bool createEmpty(const QString& path);

// Makes an open file (for a QSaveFile: the file it is writing, before the
// commit) or a file at path its owner's alone.
bool restrict(QFileDevice& file);
bool restrict(const QString& path);

} // namespace privatefiles
