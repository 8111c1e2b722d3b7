#pragma once

#include "app/TreeSink.h"

#include <QString>

class Database;

// The "部门分布" node: every department with its live contacts, and under it
// every user of the department with theirs. Built on request only (after
// users, departments or distributions change), never by the tree builder.
class DepartmentNodes {
  public:
    static inline const QString kNode = QStringLiteral("部门分布");

    DepartmentNodes(TreeSink& sink, Database& db) : sink_(sink), db_(db) {}

    void rebuild();

  private:
    // False when a count failed and the rule ends.
    bool addUsers(TreeNode departmentNode, qint64 department);

    TreeSink& sink_;
    Database& db_;
};
