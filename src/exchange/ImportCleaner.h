// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ContactSource.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class Database;

namespace exchange {

// Makes an incoming contact fit the contact pages before it is stored: the
// name is required and must pass the pages' character check; a text longer
// than its field's limit is cut; a date must be a date; a fixed list takes
// only its entries; a reference list only names its table has (a province
// also by its short name, "广东" for "广东省"). Whatever is cut or left out is
// said in the contact's notes, never dropped silently.
class ImportCleaner {
  public:
    explicit ImportCleaner(Database& db);

    // False when a reference table could not be read (reported by the database).
    bool isReady() const { return ready_; }
    void clean(IncomingContact& contact) const;

    // Whether a name is in the relation categories (for vCard CATEGORIES).
    bool isRelation(const QString& name) const;

  private:
    QString knownName(const QString& column, const QString& name) const;

    QHash<QString, QSet<QString>> names_;      // list statement -> names
    QHash<QString, QStringList> orderedNames_; // list statement -> names as listed
    bool ready_ = true;
};

} // namespace exchange
