// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/AssoTargets.h"

#include "db/Database.h"

namespace {

const QString kCandidates = QStringLiteral("base_invalid_flag=1 and base_code<>%ld");
const QString kAll =
    QStringLiteral("select base_code,base_name,work_name from base where %s order by base_name");
const QString kByName = QStringLiteral(
    "select base_code,base_name,work_name from base where %s \t\t\t\tand base_name like "
    "'%s%s%s' \t\t\t\torder by base_name");
const QString kByUnit = QStringLiteral(
    "select base_code,base_name,work_name from base where %s \t\t\t\tand work_name like "
    "'%s%s%s' \t\t\t\torder by base_name");
const QString kByBoth = QStringLiteral(
    "select base_code,base_name,work_name from base where %s \t\t\t\tand base_name like "
    "'%s%s%s' and work_name like '%s%s%s' \t\t\t\torder by base_name");
const QString kPerson = QStringLiteral("select base_name, work_name from base where base_code=%s");

} // namespace

const QString AssoTargets::kColumns = QStringLiteral("编号,0;姓名,80;单位名称,250;");

sql::Statement AssoTargets::statement(const QString& name, const QString& unit) const {
    const sql::Statement candidates = sql::format(kCandidates, current_);
    if (name.isEmpty() && unit.isEmpty())
        return sql::format(kAll, candidates);
    if (unit.isEmpty())
        return sql::format(kByName, candidates, sql::kAnyText, name, sql::kAnyText);
    if (name.isEmpty())
        return sql::format(kByUnit, candidates, sql::kAnyText, unit, sql::kAnyText);
    return sql::format(kByBoth, candidates, sql::kAnyText, name, sql::kAnyText, sql::kAnyText, unit,
                       sql::kAnyText);
}

std::optional<QList<QStringList>> AssoTargets::rows(const sql::Statement& statement) {
    QList<QStringList> rows;
    const bool ok = db_.query(statement, [&](const Row& row) {
        rows.append({row.text(QStringLiteral("base_code")), row.text(QStringLiteral("base_name")),
                     row.text(QStringLiteral("work_name"))});
        return true;
    });
    if (!ok)
        return std::nullopt;
    return rows;
}

std::optional<AssoTargets::Person> AssoTargets::person(const QString& code) {
    std::optional<Person> found;
    db_.query(sql::format(kPerson, code), [&](const Row& row) {
        found =
            Person{row.text(QStringLiteral("base_name")), row.text(QStringLiteral("work_name"))};
        return false;
    });
    return found;
}
