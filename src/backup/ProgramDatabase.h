#pragma once

#include <QString>
#include <QStringList>

// Tells whether a file is a database of this program that can be restored: a
// database file, undamaged, with every table and column the program uses.
class ProgramDatabase {
  public:
    enum class Verdict { Ok, Missing, NotDatabase, Damaged, Foreign };

    struct Inspection {
        Verdict verdict = Verdict::Missing;
        QString detail; // the engine's finding or the first table or column missing
    };

    // Reads the file without writing to it. Without the engine's quick check
    // a damaged file passes when its schema can still be read (for a caller
    // that runs the full integrity check itself).
    static Inspection inspect(const QString& path, bool quickCheck = true);
    // "table.column" of every column of the program's tables, from its delivered schema.
    static QStringList expectedColumns();
};
