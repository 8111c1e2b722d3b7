// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Tells whether a file is a database of this program that can be restored: a
// database file, undamaged, with every table and column the program uses, and
// nothing else: no trigger, view, table or index that a new file of the same
// version does not have (a trigger in a backup would run inside the program),
// no column of the program's tables that such a file lacks or declares
// otherwise (a column's name can be made to read as a statement), no trigger
// of the program's name whose statement is not the program's own.
class ProgramDatabase {
  public:
    enum class Verdict { Ok, Missing, NotDatabase, Damaged, Foreign, Unexpected };

    struct Inspection {
        Verdict verdict = Verdict::Missing;
        QString detail; // the engine's finding, the first table or column missing, or unexpected
        // "触发器 name (表 base)", "表 base 多了列 x" for each thing the program does not have
        QStringList unexpected;
    };

    // Reads the file without writing to it. Without the engine's quick check
    // a damaged file passes when its schema can still be read (for a caller
    // that runs the full integrity check itself).
    static Inspection inspect(const QString& path, bool quickCheck = true);
    // "table.column" of every column of the program's tables, from its delivered schema.
    static QStringList expectedColumns();
    // "type name table" of every trigger, view, table and index of a new file
    // of that version, less the engine's own.
    static QStringList expectedObjects(int version);

  private:
    struct Expected {
        QStringList objects;
        QStringList declarations; // "table.column<TAB>declaration"
        QStringList triggers;     // "name<TAB>statement"
    };
    static Expected expected(int version);
};
