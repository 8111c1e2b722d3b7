// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeBuilder.h"

#include "base/AutoResetEvent.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "tree/DepartmentNodes.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeCounts.h"
#include "tree/TreeSink.h"

// In the order the folders are built under the root.
const TreeBuilder::Folder TreeBuilder::kFolders[6] = {
    {QStringLiteral("关系类别"),
     QStringLiteral("select relationsort_code,relationsort_name from relationsort order by "
                    "relationsort_name DESC"),
     QStringLiteral(" base_invalid_flag=1 and base_type_code=%ld"),
     QStringLiteral("base_type_code")},
    {QStringLiteral("人脉级别"),
     QStringLiteral("select sort_code,sort_name from sort order by sort_value DESC"),
     QStringLiteral("base_sort_code=%ld and base_invalid_flag=1"),
     QStringLiteral("base_sort_code")},
    {QStringLiteral("区域分布"),
     QStringLiteral("select region_code,region_name from region order by region_name DESC"),
     QStringLiteral("work_region_code=%ld and base_invalid_flag=1"),
     QStringLiteral("work_region_code")},
    {QStringLiteral("省份分布"),
     QStringLiteral("select province_code,province_name from province order by province_name DESC"),
     QStringLiteral("work_province_code=%d and base_invalid_flag=1"),
     QStringLiteral("work_province_code")},
    {QStringLiteral("职务分布"),
     QStringLiteral("select duty_code,duty_name from duty order by duty_value DESC"),
     QStringLiteral("work_duty_code=%d and base_invalid_flag=1"), QStringLiteral("work_duty_code")},
    {QStringLiteral("行业分布"),
     QStringLiteral("select industry_code,industry_name from industry order by industry_name DESC"),
     QStringLiteral("work_industry_code=%ld and base_invalid_flag=1"),
     QStringLiteral("work_industry_code")},
};

TreeBuilder::TreeBuilder(TreeSink& sink, ReminderNodes& reminders, AutoResetEvent& stop,
                         AutoResetEvent& done, qint64 userCode)
    : sink_(sink), reminders_(reminders), stop_(stop), done_(done), userCode_(userCode) {}

bool TreeBuilder::stopped() {
    if (!stop_.wait(stepWaitMs_))
        return false;
    // The tree stays as far as it got; the commands come back even so.
    sink_.buildEnded(false);
    done_.set();
    return true;
}

bool TreeBuilder::run(Database& db) {
    // The builder is started by the window that shows the tree, so that window exists.
    sink_.buildStarted();
    if (stopped())
        return false;

    sink_.clearTree();
    if (stopped())
        return false;

    const TreeNode root =
        sink_.findOrAddTopLevel(kRootPattern, CaptionMatch::Contains,
                                text::format(kRootCaption, tree::keptContacts(db, 1)));
    if (stopped())
        return false;

    for (const Folder& folder : kFolders) {
        buildFolder(db, root, folder);
        if (stopped())
            return false;
    }

    reminders_.rebuildReminders(sink_, db, userCode_);
    if (stopped())
        return false;
    reminders_.buildCare(sink_, db, userCode_);
    if (stopped())
        return false;

    buildDocuments(db);
    if (stopped())
        return false;

    sink_.findOrAddTopLevel(text::format(kTrashCaption, tree::keptContacts(db, 0)));
    if (stopped())
        return false;

    if (departments_) {
        DepartmentNodes(sink_, db).rebuild();
        if (stopped())
            return false;
    }

    sink_.expand(root);
    sink_.buildEnded(true);
    return true;
}

sql::Statement TreeBuilder::folderStatement(const Folder& folder) {
    return tree::keptValues(sql::format(folder.listQuery), folder.column);
}

void TreeBuilder::buildFolder(Database& db, TreeNode root, const Folder& folder) {
    const TreeNode node = sink_.findOrAddChild(root, folder.caption);
    sink_.removeChildren(node);
    db.query(folderStatement(folder), [&](const Row& row) {
        const qint64 count = row.numberAt(2, 0);
        if (count > 0)
            sink_.addChild(node, tree::valueCaption(row.textAt(1), count));
        return true;
    });
}

void TreeBuilder::buildDocuments(Database& db) {
    const TreeNode node = sink_.findOrAddTopLevel(kDocumentsNode);
    sink_.removeChildren(node);
    QList<QPair<qint64, QString>> sorts;
    if (!db.query(sql::format(kDocSorts), [&](const Row& row) {
            sorts.append({row.numberAt(0), row.textAt(1)});
            return true;
        }))
        return;
    // A sort's count is the number of its titles: one statement gives both.
    for (const auto& [sort, name] : sorts) {
        QStringList titles;
        if (!db.query(sql::format(kDocumentTitles, sort), [&](const Row& title) {
                titles << title.textAt(0);
                return true;
            }))
            return;
        if (titles.isEmpty())
            continue;
        const TreeNode sortNode = sink_.addChild(node, tree::valueCaption(name, titles.size()));
        for (const QString& title : titles)
            sink_.addChild(sortNode, title);
    }
}
