// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Puts the data of a backup into a database file. The backup is checked
// first and nothing is touched when it is not a whole database of this
// program. The file is then taken for this process alone (refused while
// another program holds it) and its pages are replaced in one write
// transaction, so the file stays as it was when anything fails and every
// connection opened later sees the restored data. A file that is missing or is
// no longer a database is replaced by a whole copy written beside it and renamed.
class DatabaseRestore {
  public:
    enum class Outcome {
        Restored,
        Missing,
        NotDatabase,
        Damaged,
        Foreign,
        Unexpected, // objects the program does not have (detail names them)
        SameFile,
        InUse,
        Failed
    };

    // How long the restore waits for another program to let go of the file.
    static constexpr int kDefaultWaitMs = 3000;

    static Outcome restore(const QString& backup, const QString& target,
                           int waitMs = kDefaultWaitMs, QString* detail = nullptr);

    // A short reason for the command line.
    static QString describe(Outcome outcome);
};
