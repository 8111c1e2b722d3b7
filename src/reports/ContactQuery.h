// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "reports/DateRange.h"

#include <QString>
#include <QStringList>
#include <optional>

class Clock;
class Database;
class Prompter;

// What the contact query form ("资料综合查询") holds; an empty text is a list
// left alone, category -1 none chosen.
struct ContactQueryForm {
    int category = -1; // position in ContactQuery::categories()
    QString information;
    QString department;
    QString user;
    QString level;
    QString province;
    DateFields dates;
};

// Turns the contact query form into a condition on table base, fragment by
// fragment, each typed text bound as a value. The condition is not limited to
// the current user's contacts.
class ContactQuery {
  public:
    static inline const QString kDepartments = QStringLiteral("select dep_name from dep");
    static inline const QString kUsers = QStringLiteral("select user_name from userlogin");
    static inline const QString kLevels =
        QStringLiteral("select sort_name from sort where sort_name<>'' order by sort_value desc");
    static inline const QString kProvinces = QStringLiteral(
        "select province_name from province where province_name<>'' order by province_name");
    static inline const QString kCount = QStringLiteral("select count(*) from base where %s");
    static inline const QString kNoMatch = QStringLiteral("没有符合条件的记录!");

    // "姓名", "手机号", "联系电话", "单位名称", "单位地址".
    static const QStringList& categories();

    ContactQuery(Database& db, Prompter& prompter, const Clock& clock);

    // The condition; nothing when the date lists were refused (the form's
    // message has been shown).
    std::optional<sql::Statement> condition(const ContactQueryForm& form);
    // Whether any contact satisfies the condition; says "没有符合条件的记录!"
    // when none does. False also when counting failed (the error was shown).
    bool hasMatches(const sql::Statement& condition);

    // The names of one of the form's lists (kDepartments, kUsers, ...).
    QStringList names(const QString& statement);

  private:
    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
};
