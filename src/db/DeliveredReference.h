// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Database.h"

#include <QString>
#include <QTemporaryDir>

// A database file made now from the program's own scripts, at this version,
// in a directory of its own that goes with the object: the tables and columns
// the program knows and the rows a new database starts with, for what is
// taken from a file made elsewhere (ServerMigration).
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
