#pragma once

#include <QString>

class Database;

// The administration commands read and write the tables of this program's
// version. An older file is left for the program to upgrade (it keeps a copy
// first), a newer one for a newer program: both are refused with a reason.
namespace adminschema {

// Empty when the file's tables are this program's; else the one-line reason.
QString refusal(Database& db);

} // namespace adminschema
