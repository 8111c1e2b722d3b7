// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tree/TreeSink.h"

#include <QString>

class Database;

// The "部门分布" node: every department with its live contacts, and under it
// every user of the department with theirs. Built on request only (after
// users, departments or distributions change), never by the tree builder.
class DepartmentNodes {
  public:
    static inline const QString kNode = QStringLiteral("部门分布");
    static inline const QString kDepartments =
        QStringLiteral("select dep_code,dep_name from dep order by dep_name DESC");
    static inline const QString kDepartmentContacts =
        QStringLiteral("base_user_dep_code=%ld and base_invalid_flag=1");
    static inline const QString kUsersOfDepartment = QStringLiteral(
        "select user_code,user_name from userlogin where user_dep_code=%ld order by user_name");
    static inline const QString kUserContacts =
        QStringLiteral("base_user_code=%ld and base_invalid_flag=1");

    DepartmentNodes(TreeSink& sink, Database& db) : sink_(sink), db_(db) {}

    void rebuild();

  private:
    // False when a count failed and the rule ends.
    bool addUsers(TreeNode departmentNode, qint64 department);

    TreeSink& sink_;
    Database& db_;
};
