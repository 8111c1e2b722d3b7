#pragma once

#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// What a database file of this program holds besides rows is fixed by the
// program's scripts: its tables, their columns, its indexes, and no triggers
// or views. A file from elsewhere may hold more (a trigger that runs on every
// write, a column whose name is a statement); before such a file's rows are
// taken anywhere its structure is compared with a file made just now.

// A database file made now from the program's own scripts, at this version,
// in a directory of its own that goes with the object: the tables the program
// knows and the rows a new database starts with.
class DeliveredReference {
  public:
    DeliveredReference();
    DeliveredReference(const DeliveredReference&) = delete;
    DeliveredReference& operator=(const DeliveredReference&) = delete;

    bool isValid() const { return valid_; }
    QString error() const { return error_; }
    Database& database() { return db_; }

  private:
    QTemporaryDir dir_;
    Database db_;
    QString error_;
    bool valid_ = false;
};

// How the file's structure differs from the reference's, one short Chinese
// phrase per difference ("表 base 多了列 x", "有触发器 t1"); empty when the file
// holds exactly the program's tables, columns and indexes at this version.
QStringList schemaDifferences(Database& file, Database& reference);
// The same against a reference made for the call; when none can be made, the
// one difference says why.
QStringList schemaDifferences(Database& file);
// The sentence for a refusal: "数据库文件与本程序的结构不同: ...".
QString describeSchemaDifferences(const QStringList& differences);
