// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class Database;

// The figures of the score query (dialog 274): every user's and every
// department's network score (the level values of their live contacts; the
// users' bonus points are not part of them), the departments' averages per
// user, and the users' total and average.
class ScoreQuery {
  public:
    struct UserRow {
        qint64 code = 0;
        QString name;
        qint64 score = 0;
        QString department;
    };
    struct DepartmentRow {
        qint64 code = 0;
        QString name;
        qint64 score = 0;
        QString average; // "%.2f" per user of the department, "0.00" without users
    };

    explicit ScoreQuery(Database& db) : db_(db) {}

    QList<UserRow> users();
    QList<DepartmentRow> departments();

    // "%.0f" of the users' scores summed, and "%.2f" of the sum per user.
    static QString total(const QList<UserRow>& users);
    static QString average(const QList<UserRow>& users);
    // "等级分查询--目前共有人数： %d"
    static QString title(qsizetype users);

    static inline const QString kCaption = QStringLiteral("等级分查询");
    static inline const QString kUserColumns =
        QStringLiteral("选,20;用户名称,80;等级分,110;所属部门,105");
    static inline const QString kDepartmentColumns =
        QStringLiteral("选,20;部门名称,80;等级分,110;平均等级分,105;");

  private:
    Database& db_;
};
