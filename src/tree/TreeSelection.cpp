// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeSelection.h"

#include "base/Prompter.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "tree/TreeCounts.h"

#include <QFileInfo>

namespace {

const QString kAllContacts = QStringLiteral("全部人脉");
const QString kTrash = QStringLiteral("垃圾箱");
const QString kReminders = QStringLiteral("事务提醒");
const QString kDepartments = QStringLiteral("部门");
const QString kDocuments = QStringLiteral("文档资料");
const QString kCare = QStringLiteral("日常关怀");
const QString kPlanned = QStringLiteral("预先安排");
const QString kDueToday = QStringLiteral("当天事务");
const QString kOverdue = QStringLiteral("逾期事务");
const QString kBirthdays = QStringLiteral("生日关怀");

const sql::Statement kLiveFilter{QStringLiteral("b.base_invalid_flag=1")};
const sql::Statement kTrashFilter{QStringLiteral("b.base_invalid_flag=0")};
const QString kDepartmentFilter =
    QStringLiteral("b.base_user_dep_code=%ld and b.base_invalid_flag=1 ");
const QString kDocSortFilter = QStringLiteral("d.doc_docsort_code=%ld ");
const QString kUserFilter = QStringLiteral("b.base_user_code=%ld and b.base_invalid_flag=1");
const QString kDocumentFilter = QStringLiteral("d.doc_docsort_code=%ld and d.doc_title='%s' ");

// The value nodes under the category folders, checked in this order.
struct CategoryRule {
    QString folder;
    QString filter;
    qint64 (Lookups::*code)(const QString&);
};
const CategoryRule kCategoryRules[] = {
    {QStringLiteral("关系类别"), QStringLiteral("b.base_type_code=%ld and b.base_invalid_flag=1"),
     &Lookups::relationCode},
    {QStringLiteral("人脉级别"), QStringLiteral("b.base_sort_code=%ld and b.base_invalid_flag=1"),
     &Lookups::levelCode},
    {QStringLiteral("区域分布"), QStringLiteral("b.work_region_code=%ld and b.base_invalid_flag=1"),
     &Lookups::regionCode},
    {QStringLiteral("省份分布"),
     QStringLiteral("b.work_province_code=%ld and b.base_invalid_flag=1"), &Lookups::provinceCode},
    {QStringLiteral("职务分布"), QStringLiteral("b.work_duty_code=%ld and b.base_invalid_flag=1"),
     &Lookups::dutyCode},
    {QStringLiteral("行业分布"),
     QStringLiteral("b.work_industry_code=%ld and b.base_invalid_flag=1"), &Lookups::industryCode},
};

TreeChoice chosen(const sql::Statement& filter, int mode, int live = 1) {
    return {true, filter, mode, live};
}

} // namespace

TreeChoice TreeSelection::choose(const TreeNodePath& node) {
    switch (node.depth) {
    case 0:
        return topLevel(node);
    case 1:
        return secondLevel(node);
    case 2:
        return thirdLevel(node);
    default:
        return {};
    }
}

TreeChoice TreeSelection::topLevel(const TreeNodePath& node) {
    if (node.caption.contains(kAllContacts))
        return chosen(kLiveFilter, Contacts, 1);
    if (node.caption.contains(kTrash))
        return chosen(kTrashFilter, Contacts, 0);
    return {};
}

TreeChoice TreeSelection::secondLevel(const TreeNodePath& node) {
    const QString name = tree::nameOfCaption(node.caption);
    if (node.parent.contains(kReminders)) {
        if (node.caption.contains(kPlanned))
            return chosen(sql::Statement(), PlannedToday);
        if (node.caption.contains(kDueToday))
            return chosen(sql::Statement(), DueToday);
        if (node.caption.contains(kOverdue))
            return chosen(sql::Statement(), Overdue);
        return {};
    }
    if (node.parent.contains(kDepartments))
        return chosen(sql::format(kDepartmentFilter, lookups_.departmentCode(name)), Contacts);
    if (node.parent.contains(kDocuments))
        return chosen(sql::format(kDocSortFilter, lookups_.docSortCode(name)), Documents);
    if (node.parent.contains(kCare))
        return chosen(sql::Statement(), name == kBirthdays ? BirthdayCare : FamilyCare);
    return {};
}

TreeChoice TreeSelection::thirdLevel(const TreeNodePath& node) {
    for (const CategoryRule& rule : kCategoryRules) {
        if (node.parent.contains(rule.folder)) {
            const qint64 code = (lookups_.*rule.code)(tree::nameOfCaption(node.caption));
            return chosen(sql::format(rule.filter, code), Contacts);
        }
    }
    if (node.grandparent.contains(kDepartments)) {
        const qint64 user = lookups_.userCode(tree::nameOfCaption(node.caption));
        return chosen(sql::format(kUserFilter, user), Contacts);
    }
    if (node.grandparent.contains(kDocuments)) {
        const qint64 sort = lookups_.docSortCode(tree::nameOfCaption(node.parent));
        return chosen(sql::format(kDocumentFilter, sort, node.caption), Documents);
    }
    return {};
}

bool TreeSelection::isDocumentTitle(const TreeNodePath& node) {
    return node.depth == 2 && node.grandparent.contains(kDocuments);
}

QString TreeSelection::documentToOpen(const TreeNodePath& node, Prompter& prompter) {
    if (!isDocumentTitle(node))
        return {};
    const qint64 sort = lookups_.docSortCode(tree::nameOfCaption(node.parent));
    const QString file = lookups_.docFileNameByTitle(sort, node.caption);
    if (file.isEmpty()) {
        prompter.inform(kDatabaseFailed);
        return {};
    }
    if (!QFileInfo::exists(file)) {
        prompter.inform(text::format(kFileMissing, file));
        return {};
    }
    return file;
}
