// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/EditableList.h"

class Database;

// The users other than the one logged in, with their department and manager
// mark, and the delete that keeps the administrator and every contact owner
// and hands a deleted user's my-data items and phone entries to the administrator.
class UserList : public EditableList {
  public:
    static inline const QString kColumns = QStringLiteral("选,20;姓名,75;所属部门,120;经理,60");
    static inline const QString kManagerMark = QStringLiteral("经理");
    static inline const QString kAdministrator = QStringLiteral("admin");
    enum Column { CodeColumn, NameColumn, DepartmentColumn, ManagerColumn };

    UserList(Database& db, Prompter& prompter, qint64 currentUser);

    bool load() override;
    QString title() const override;
    QString caption() const override { return QStringLiteral("用户管理"); }

  protected:
    RowOutcome deleteRecord(int row) override;

  private:
    Database& db_;
    qint64 currentUser_;
};
