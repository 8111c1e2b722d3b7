// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/DepartmentNodes.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "tree/TreeCounts.h"
#include "tree/TreeSink.h"

void DepartmentNodes::rebuild() {
    const TreeNode node = sink_.findOrAddTopLevel(kNode);
    sink_.removeChildren(node);
    db_.query(tree::countedValues(sql::format(kDepartments), kDepartmentContacts),
              [&](const Row& row) {
                  const TreeNode departmentNode =
                      sink_.addChild(node, tree::valueCaption(row.textAt(1), row.numberAt(2, 0)));
                  return addUsers(departmentNode, row.numberAt(0));
              });
}

bool DepartmentNodes::addUsers(TreeNode departmentNode, qint64 department) {
    return db_.query(
        tree::countedValues(sql::format(kUsersOfDepartment, department), kUserContacts),
        [&](const Row& row) {
            sink_.addChild(departmentNode, tree::valueCaption(row.textAt(1), row.numberAt(2, 0)));
            return true;
        });
}
