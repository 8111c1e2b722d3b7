// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ContactQuery.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"

namespace {

const QString kDepartment = QStringLiteral("base_user_dep_code=%ld ");
const QString kUser[] = {QStringLiteral("base_user_code=%ld "),
                         QStringLiteral("and base_user_code=%ld ")};
const QString kLevel[] = {QStringLiteral("base_sort_code=%ld "),
                          QStringLiteral("and base_sort_code=%ld ")};
const QString kProvince[] = {QStringLiteral("base_province_code=%ld "),
                             QStringLiteral("and base_province_code=%ld ")};
// By the category's position; the second form follows another fragment.
const QString kText[5][2] = {
    {QStringLiteral("base_name like '%s%s%s' "), QStringLiteral("and base_name like '%s%s%s' ")},
    {QStringLiteral("base_mobil like '%s%s%s' "), QStringLiteral("and base_mobil like '%s%s%s' ")},
    {QStringLiteral("base_phone like '%s%s%s' "), QStringLiteral("and base_phone like '%s%s%s' ")},
    {QStringLiteral("work_name like '%s%s%s' "), QStringLiteral("and work_name like '%s%s%s' ")},
    {QStringLiteral("work_address like '%s%s%s' "),
     QStringLiteral("and work_address like '%s%s%s' ")},
};
const QString kDates[] = {
    QStringLiteral(" base_code in (select comm_base_code from comm where %s)"),
    QStringLiteral(" and base_code in (select comm_base_code from comm where %s)")};
const QString kLive[] = {QStringLiteral("base_invalid_flag=1"),
                         QStringLiteral(" and base_invalid_flag=1")};

} // namespace

const QStringList& ContactQuery::categories() {
    static const QStringList names{QStringLiteral("姓名"), QStringLiteral("手机号"),
                                   QStringLiteral("联系电话"), QStringLiteral("单位名称"),
                                   QStringLiteral("单位地址")};
    return names;
}

ContactQuery::ContactQuery(Database& db, Prompter& prompter, const Clock& clock)
    : db_(db), prompter_(prompter), clock_(clock) {}

std::optional<sql::Statement> ContactQuery::condition(const ContactQueryForm& form) {
    const std::optional<sql::Statement> dates = daterange::condition(form.dates, clock_, prompter_);
    if (!dates)
        return std::nullopt;

    Lookups lookups(db_);
    sql::Statement condition;
    // The first fragment has no "and " in front of it.
    auto pick = [&condition](const QString(&pair)[2]) -> const QString& {
        return pair[condition.isEmpty() ? 0 : 1];
    };
    if (!form.department.isEmpty())
        condition += sql::format(kDepartment, lookups.departmentCode(form.department));
    if (!form.user.isEmpty())
        condition += sql::format(pick(kUser), lookups.userCode(form.user));
    if (!form.level.isEmpty())
        condition += sql::format(pick(kLevel), lookups.levelCode(form.level));
    if (!form.province.isEmpty())
        condition += sql::format(pick(kProvince), lookups.provinceCode(form.province));
    if (!form.information.isEmpty() && form.category >= 0 && form.category < 5)
        condition +=
            sql::format(pick(kText[form.category]), sql::kAnyText, form.information, sql::kAnyText);
    if (!dates->isEmpty())
        condition += sql::format(pick(kDates), *dates);
    condition += sql::Statement(pick(kLive));
    return condition;
}

bool ContactQuery::hasMatches(const sql::Statement& condition) {
    const qint64 found = db_.count(sql::format(kCount, condition));
    if (found == 0)
        prompter_.notice(Prompter::kNoticeCaption, kNoMatch, PromptIcon::Question);
    return found > 0;
}

QStringList ContactQuery::names(const QString& statement) {
    QStringList out;
    db_.query(sql::Statement(statement), [&out](const Row& row) {
        out.append(row.textAt(0));
        return true;
    });
    return out;
}
