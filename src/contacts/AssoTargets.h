// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

// The contacts the association form's "选择" offers: the live contacts other
// than the one whose associations are edited, filtered by name and work unit.
class AssoTargets {
  public:
    // 编号 (base_code, hidden), 姓名, 单位名称.
    static const QString kColumns;

    AssoTargets(Database& db, qint64 currentContact) : db_(db), current_(currentContact) {}

    // The statement for the two filter texts (either may be empty).
    sql::Statement statement(const QString& name, const QString& unit) const;
    // The picker's rows {base_code, base_name, work_name}; nothing on failure (reported).
    std::optional<QList<QStringList>> rows(const sql::Statement& statement);

    // Name and work unit of the contact picked, for the form's two fields.
    struct Person {
        QString name;
        QString unit;
    };
    std::optional<Person> person(const QString& code);

  private:
    Database& db_;
    qint64 current_;
};
