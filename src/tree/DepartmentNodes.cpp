// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/DepartmentNodes.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "tree/TreeCounts.h"
#include "tree/TreeSink.h"

void DepartmentNodes::rebuild() {
    const TreeNode node = sink_.findOrAddTopLevel(kNode);
    sink_.removeChildren(node);
    db_.query(sql::format(kDepartments), [&](const Row& row) {
        const qint64 department = row.numberAt(0);
        const qint64 count = tree::countContacts(db_, sql::format(kDepartmentContacts, department));
        if (count < 0)
            return false;
        const TreeNode departmentNode =
            sink_.addChild(node, tree::valueCaption(row.textAt(1), count));
        return addUsers(departmentNode, department);
    });
}

bool DepartmentNodes::addUsers(TreeNode departmentNode, qint64 department) {
    bool complete = true;
    db_.query(sql::format(kUsersOfDepartment, department), [&](const Row& row) {
        const qint64 count = tree::countContacts(db_, sql::format(kUserContacts, row.numberAt(0)));
        if (count < 0) {
            complete = false;
            return false;
        }
        sink_.addChild(departmentNode, tree::valueCaption(row.textAt(1), count));
        return true;
    });
    return complete;
}
