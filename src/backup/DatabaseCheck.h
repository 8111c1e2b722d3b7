// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Checks a database file without writing to it: the engine's integrity check,
// triggers, views, tables and indexes the program does not have, then the rows of the contact
// sheets, interactions, associations, documents and reminders whose contact is gone, and
// whether each contact's kept newest interaction is what its interactions say and the kept
// counts of contacts are what the contacts say.
class DatabaseCheck {
  public:
    struct Orphans {
        QString table;
        QString meaning; // what the rows are, for the report
        qint64 rows = 0;
    };

    struct Result {
        bool readable = false;  // the file could be checked at all
        QStringList integrity;  // "ok", or the engine's findings
        QList<Orphans> orphans; // one entry per table checked
        QStringList unexpected; // objects the program does not have, named
        // Contacts whose kept newest interaction is not what their
        // interactions say (-1 when it could not be counted, 0 in a file too
        // old to keep it).
        qint64 staleNewest = 0;
        // Kept counts of contacts (basecount) that are not what the contacts
        // say, the same way.
        qint64 staleCounts = 0;
        QString error; // why the file could not be checked
        bool allWell() const;
        // The one-line verdict.
        QString verdict() const;
    };

    static Result run(const QString& path);
};
