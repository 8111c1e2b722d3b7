// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class Database;

namespace quickfind {

class PinyinReadings;

// The find box's keys of each contact, kept in the table findkey: the pinyin
// readings of the name, the unit and the department, and the digits of the
// numbers. The database itself drops a contact's row whenever one of those
// columns changes or the contact goes (triggers of the schema); the writers
// then fill it again in their own transaction, and a search fills whatever is
// still missing before it reads.
namespace findkeys {

// The schema version that brought the table.
constexpr int kSinceVersion = 5;

// Writes the keys of the contacts that have none; inside the caller's
// transaction when there is one (or when within says so: the schema upgrade
// runs its own), else in one of its own. The number written, -1 on failure
// (error has the engine's text; nothing is reported).
qint64 fillMissing(Database& db, PinyinReadings& readings, QString* error = nullptr,
                   bool within = false);
qint64 fillMissing(Database& db, QString* error = nullptr, bool within = false);

// Rewrites the keys of these contacts (a writer that changed them).
bool refresh(Database& db, const QList<qint64>& codes, QString* error = nullptr);
// The same with readings kept by a writer of many contacts: making them
// costs more than the keys of one contact.
bool refresh(Database& db, PinyinReadings& readings, const QList<qint64>& codes,
             QString* error = nullptr);

// The stored keys of a contact's texts.
struct Keys {
    QString name, unit, branch, digits;
};
Keys keysOf(PinyinReadings& readings, const QString& name, const QString& unit,
            const QString& branch, const QStringList& numbers);

} // namespace findkeys

} // namespace quickfind
