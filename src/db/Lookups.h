// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QString>

class Database;

// The small name-to-code and code-to-name lookups of the reference tables.
// Name-to-code lookups give -1 when nothing matches, the value is NULL or the
// query fails; most code-to-name lookups give the sentinel in those cases.
class Lookups {
  public:
    static inline const QString kMissing = QStringLiteral("#!$#%");

    explicit Lookups(Database& db) : db_(db) {}

    qint64 provinceCode(const QString& name);
    qint64 regionCode(const QString& name);
    qint64 industryCode(const QString& name);
    qint64 dutyCode(const QString& name);
    qint64 levelCode(const QString& name);
    qint64 relationCode(const QString& name);
    qint64 degreeCode(const QString& name);
    qint64 businessCode(const QString& name);
    qint64 docSortCode(const QString& name);
    qint64 datumSortCode(const QString& name);
    qint64 phoneSortCode(const QString& name);
    qint64 departmentCode(const QString& name);
    qint64 userCode(const QString& name);
    qint64 departmentManager(const QString& departmentName);
    qint64 departmentOfUser(qint64 userCode);

    QString provinceName(qint64 code);
    QString regionName(qint64 code);
    QString dutyName(qint64 code);
    QString levelName(qint64 code);
    QString userName(qint64 code);
    QString industryName(qint64 code); // empty text when missing
    QString contactName(qint64 code);  // empty text when missing
    QString docFileName(qint64 docCode);
    QString datumFileName(qint64 datumCode);
    QString docFileNameByTitle(qint64 docSortCode, const QString& title);

    bool contactNameTaken(const QString& name);
    bool userNameTaken(const QString& name);
    bool workUnitKnown(const QString& name);
    qint64 usersInDepartment(qint64 departmentCode);

  private:
    qint64 codeOf(const sql::Statement& statement, const QString& column);
    QString nameOf(const sql::Statement& statement, const QString& column, const QString& fallback);
    qint64 rowsOf(const sql::Statement& statement);

    Database& db_;
};
