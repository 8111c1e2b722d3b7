// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QString>

class Database;

// The counts and value captions shared by the tree builder and the departments node.
namespace tree {

inline const QString kCountContacts = QStringLiteral("select count(*) from base where %s");

// Contacts of base selected by a WHERE fragment: 0 for an empty fragment
// (no statement is run), -1 when the statement fails.
qint64 countContacts(Database& db, const sql::Statement& fragment);

// A folder's values (code, name, in the list's order) each with its count of
// contacts: one statement rather than a count per value, so a server is asked
// once per folder. countFragment's one conversion stands for the value's code.
sql::Statement countedValues(const sql::Statement& list, const QString& countFragment);

// The counts the database keeps (basecount, kept by triggers on base): the
// same numbers as kCountContacts gives for "column=code and
// base_invalid_flag=flag", read from a few rows.
inline const QString kKeptContacts = QStringLiteral(
    "select basecount_n from basecount where basecount_column='base_invalid_flag' and "
    "basecount_value=%d and basecount_flag=%d");
inline const QString kKeptValues = QStringLiteral(
    "with v(code,name) as (%s) select v.code,v.name,(select basecount_n from basecount "
    "where basecount_column='%s' and basecount_value=v.code and basecount_flag=1) from v");

// Live (flag 1) or trashed (flag 0) contacts; -1 when the statement fails.
qint64 keptContacts(Database& db, int flag);

// As countedValues, each value's live contacts read from the kept counts of
// a column (one of basecount::columns()); a value without contacts has NULL.
sql::Statement keptValues(const sql::Statement& list, const QString& column);

// "name (count)", or "未知 (count)" for the empty name.
QString valueCaption(const QString& name, qint64 count);

// The name a value caption stands for: the caption up to its first blank,
// with "未知" standing for the empty name.
QString nameOfCaption(const QString& caption);

} // namespace tree
