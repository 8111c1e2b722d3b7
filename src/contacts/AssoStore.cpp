// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/AssoStore.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Statement.h"

namespace {

const QString kRows = QStringLiteral(
    "select a.asso_code,a.asso_comment,a.asso_name, \t\t\ta.asso_sortname,a.asso_company,"
    "d.duty_name,i.industry_name \t\t\tfrom asso as a,duty as d,industry as i \t\t\twhere "
    "a.asso_duty_code=d.duty_code and \t\t\t\t  a.asso_industry_code=i.industry_code and "
    "\t\t\t\t  a.asso_base_code=%ld");
const QString kOpenRow = QStringLiteral("select * from asso where asso_code=%s");
const QString kRowCondition = QStringLiteral("asso_code=%s");
const QString kDelete = QStringLiteral("delete from asso where asso_code=%s");
const QString kRelationCode =
    QStringLiteral("select asso_relation_code from asso where asso_code=%s");

const QString kDutyNames =
    QStringLiteral("select duty_name from duty where duty_name<>'' order by duty_value desc");
const QString kIndustryNames = QStringLiteral(
    "select industry_name from industry where industry_name<>'' order by industry_name");

const QString kNameMissing = QStringLiteral("请输入姓名或者使用选中所要关联的资料!");
const QString kRelationMissing = QStringLiteral("请输入关联关系类型!");
const QString kRowGone = QStringLiteral("所选资料已不存在!");

// List columns after the tick and the ID.
enum Column { Name = 2, Duty, Relation, Company, Industry, Comment };

} // namespace

const QString AssoStore::kColumns = QStringLiteral(
    "选,25;ID,0;姓名,70;职务,60;关系类别,100;单位名称,200;所属行业,100;关系描述,200;");

std::optional<QList<QStringList>> AssoStore::rowsOf(qint64 contact) {
    QList<QStringList> rows;
    const bool ok = db_.query(sql::format(kRows, contact), [&](const Row& row) {
        AssoValues values;
        values.name = row.text(QStringLiteral("a.asso_name"));
        values.relation = row.text(QStringLiteral("a.asso_sortname"));
        values.company = row.text(QStringLiteral("a.asso_company"));
        values.duty = row.text(QStringLiteral("d.duty_name"));
        values.industry = row.text(QStringLiteral("i.industry_name"));
        values.comment = row.text(QStringLiteral("a.asso_comment"));
        rows.append(rowOf(row.text(QStringLiteral("a.asso_code")), values));
        return true;
    });
    if (!ok)
        return std::nullopt;
    return rows;
}

QStringList AssoStore::rowOf(const QString& code, const AssoValues& v) {
    return {QString(), code, v.name, v.duty, v.relation, v.company, v.industry, v.comment};
}

AssoValues AssoStore::valuesOf(const QStringList& row) {
    AssoValues v;
    v.name = row.value(Name);
    v.duty = row.value(Duty);
    v.relation = row.value(Relation);
    v.company = row.value(Company);
    v.industry = row.value(Industry);
    v.comment = row.value(Comment);
    return v;
}

std::optional<AssoStore::Failure> AssoStore::check(const AssoValues& values) {
    if (values.name.isEmpty())
        return Failure{kNameMissing, AssoField::Name};
    if (values.relation.isEmpty())
        return Failure{kRelationMissing, AssoField::Relation};
    return std::nullopt;
}

bool AssoStore::prepare(const AssoValues& values, qint64* duty, qint64* industry) {
    failed_.reset();
    if (const auto failure = check(values)) {
        prompter_.inform(failure->message);
        failed_ = failure->field;
        return false;
    }
    // A code that is not found would store an association its own list never
    // shows (the list joins both tables): refuse it like the contact pages do.
    Lookups lookups(db_);
    *duty = lookups.dutyCode(values.duty);
    if (*duty < 0) {
        errors::show(prompter_, errors::Duty);
        failed_ = AssoField::Duty;
        return false;
    }
    *industry = lookups.industryCode(values.industry);
    if (*industry < 0) {
        errors::show(prompter_, errors::Industry);
        failed_ = AssoField::Industry;
        return false;
    }
    return true;
}

qint64 AssoStore::add(qint64 contact, const AssoValues& values) {
    qint64 duty = -1;
    qint64 industry = -1;
    if (!prepare(values, &duty, &industry))
        return -1;
    RowWriter writer(db_, QStringLiteral("asso"));
    writer.set(QStringLiteral("asso_base_code"), contact);
    writer.set(QStringLiteral("asso_name"), values.name);
    writer.set(QStringLiteral("asso_sortname"), values.relation);
    writer.set(QStringLiteral("asso_comment"), values.comment);
    writer.set(QStringLiteral("asso_company"), values.company);
    writer.set(QStringLiteral("asso_duty_code"), duty);
    writer.set(QStringLiteral("asso_industry_code"), industry);
    return writer.save() ? writer.newKey() : -1;
}

bool AssoStore::modify(const QString& code, const AssoValues& values) {
    qint64 duty = -1;
    qint64 industry = -1;
    if (!prepare(values, &duty, &industry))
        return false;
    // Another user may have deleted it since the list was filled.
    bool found = false;
    const bool read = db_.query(sql::format(kOpenRow, code), [&](const Row&) {
        found = true;
        return false;
    });
    if (!read)
        return false;
    if (!found) {
        db_.reportFailure(kRowGone);
        return false;
    }
    RowWriter writer(db_, QStringLiteral("asso"), sql::format(kRowCondition, code));
    writer.set(QStringLiteral("asso_name"), values.name);
    writer.set(QStringLiteral("asso_sortname"), values.relation);
    writer.set(QStringLiteral("asso_comment"), values.comment);
    writer.set(QStringLiteral("asso_company"), values.company);
    writer.set(QStringLiteral("asso_duty_code"), duty);
    writer.set(QStringLiteral("asso_industry_code"), industry);
    return writer.save();
}

bool AssoStore::remove(const QString& code) {
    return db_.execute(sql::format(kDelete, code));
}

QString AssoStore::relationCode(const QString& code) {
    qint64 relation = -1;
    db_.query(sql::format(kRelationCode, code), [&](const Row& row) {
        relation = row.number(QStringLiteral("asso_relation_code"), -1);
        return false;
    });
    return text::format(QStringLiteral("%ld"), relation);
}

QStringList AssoStore::dutyNames() {
    return names(kDutyNames);
}

QStringList AssoStore::industryNames() {
    return names(kIndustryNames);
}

QStringList AssoStore::names(const QString& statement) {
    QStringList names;
    db_.query(sql::format(statement), [&](const Row& row) {
        names << row.textAt(0);
        return true;
    });
    return names;
}
