// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class Database;
class Prompter;

// Turns the names chosen in a contact's lists into the codes its rows store.
// A name without a code is reported the way the pages report it (the numbered
// error of its table, or "数据库操作失败!" for the relation category) and ends
// the resolution: the caller rolls back.
class ContactCodes {
  public:
    ContactCodes(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}
    // With a cache of the names already resolved (column and name to code),
    // for work that saves many contacts while the reference tables stand still.
    ContactCodes(Database& db, Prompter& prompter, QHash<QString, qint64>* cache)
        : db_(db), prompter_(prompter), cache_(cache) {}

    // The code columns of the base row, in the order they are looked up.
    static const QStringList& baseOrder();
    // The same for the family row and the extended row.
    static const QStringList& homeOrder();
    static const QStringList& extendOrder();

    // Looks up every column of order in turn (an empty list looks up the
    // empty name); nothing after the first failure, which has been reported.
    std::optional<QHash<QString, qint64>> resolve(const ContactRecord& record,
                                                  const QStringList& order);
    // One code column; -1 after a reported failure.
    qint64 resolveOne(const QString& column, const QString& name);

  private:
    Database& db_;
    Prompter& prompter_;
    QHash<QString, qint64>* cache_ = nullptr;
};
