#include "app/DepartmentNodes.h"

#include "app/TreeCounts.h"
#include "app/TreeSink.h"
#include "db/Database.h"
#include "db/Statement.h"

namespace {

const QString kDepartments =
    QStringLiteral("select dep_code,dep_name from dep order by dep_name DESC");
const QString kDepartmentContacts =
    QStringLiteral("base_user_dep_code=%ld and base_invalid_flag=1");
const QString kUsersOfDepartment = QStringLiteral(
    "select user_code,user_name from userlogin where user_dep_code=%ld order by user_name");
const QString kUserContacts = QStringLiteral("base_user_code=%ld and base_invalid_flag=1");

} // namespace

void DepartmentNodes::rebuild() {
    const TreeNode node = sink_.findOrAddTopLevel(kNode);
    sink_.removeChildren(node);
    db_.query(kDepartments, [&](const Row& row) {
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
