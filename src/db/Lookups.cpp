// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Lookups.h"

#include "db/Database.h"
#include "db/Statement.h"

namespace {

const QString kProvinceCode =
    QStringLiteral("select province_code from province where province_name='%s'");
const QString kRegionCode = QStringLiteral("select region_code from region where region_name='%s'");
const QString kIndustryCode =
    QStringLiteral("select industry_code from industry where industry_name='%s'");
const QString kDutyCode = QStringLiteral("select duty_code from duty where duty_name='%s'");
const QString kLevelCode = QStringLiteral("select sort_code from sort where sort_name='%s'");
const QString kRelationCode =
    QStringLiteral("select relationsort_code from relationsort where relationsort_name='%s'");
const QString kDegreeCode = QStringLiteral("select degree_code from degree where degree_name='%s'");
const QString kBusinessCode =
    QStringLiteral("select business_code from business where business_name='%s'");
const QString kDocSortCode =
    QStringLiteral("select docsort_code from docsort where docsort_name='%s'");
const QString kDatumSortCode =
    QStringLiteral("select datumsort_code from datumsort where datumsort_name='%s'");
const QString kPhoneSortCode = QStringLiteral(
    "select societysitesort_code from societysitesort where societysitesort_name='%s'");
const QString kDepartmentCode = QStringLiteral("select dep_code from dep where dep_name='%s'");
const QString kUserCode = QStringLiteral("select user_code from userlogin where user_name='%s'");
const QString kDepartmentManager =
    QStringLiteral("select u.user_code from userlogin as u,dep as d\t\twhere "
                   "u.user_dep_code=d.dep_code and \t\t\t  d.dep_name='%s' and u.user_dep_mng='1'");
const QString kDepartmentOfUser =
    QStringLiteral("select user_dep_code from userlogin where user_code=%ld");

const QString kProvinceName =
    QStringLiteral("select province_name from province where province_code=%ld");
const QString kRegionName = QStringLiteral("select region_name from region where region_code=%ld");
const QString kDutyName = QStringLiteral("select duty_name from duty where duty_code=%ld");
const QString kLevelName = QStringLiteral("select sort_name from sort where sort_code=%ld");
const QString kUserName = QStringLiteral("select user_name from userlogin where user_code=%ld");
const QString kIndustryName =
    QStringLiteral("select industry_name from industry where industry_code=%ld");
const QString kContactName = QStringLiteral("select base_name from base where base_code=%ld");
const QString kDocFileName = QStringLiteral("select doc_filename from doc where doc_code=%s");
const QString kDatumFileName =
    QStringLiteral("select datum_filename from datum where datum_code=%s");
const QString kDocFileNameByTitle =
    QStringLiteral("select doc_filename from doc where doc_docsort_code=%ld and doc_title='%s'");

const QString kContactNameTaken = QStringLiteral("select * from base where base_name='%s'");
const QString kUserNameTaken = QStringLiteral("select * from userlogin where user_name='%s'");
const QString kWorkUnitKnown = QStringLiteral("select * from base where work_name like '%s%s%s'");
const QString kUsersInDepartment =
    QStringLiteral("select * from userlogin where user_dep_code=%ld");

} // namespace

qint64 Lookups::codeOf(const sql::Statement& statement, const QString& column) {
    qint64 code = -1;
    db_.query(statement, [&](const Row& row) {
        code = row.number(column, -1);
        return false;
    });
    return code;
}

QString Lookups::nameOf(const sql::Statement& statement, const QString& column,
                        const QString& fallback) {
    QString name = fallback;
    db_.query(statement, [&](const Row& row) {
        name = row.text(column, fallback);
        return false;
    });
    return name;
}

qint64 Lookups::rowsOf(const sql::Statement& statement) {
    qint64 rows = 0;
    db_.query(statement, [&](const Row&) {
        ++rows;
        return true;
    });
    return rows;
}

qint64 Lookups::provinceCode(const QString& name) {
    return codeOf(sql::format(kProvinceCode, name), QStringLiteral("province_code"));
}
qint64 Lookups::regionCode(const QString& name) {
    return codeOf(sql::format(kRegionCode, name), QStringLiteral("region_code"));
}
qint64 Lookups::industryCode(const QString& name) {
    return codeOf(sql::format(kIndustryCode, name), QStringLiteral("industry_code"));
}
qint64 Lookups::dutyCode(const QString& name) {
    return codeOf(sql::format(kDutyCode, name), QStringLiteral("duty_code"));
}
qint64 Lookups::levelCode(const QString& name) {
    return codeOf(sql::format(kLevelCode, name), QStringLiteral("sort_code"));
}
qint64 Lookups::relationCode(const QString& name) {
    return codeOf(sql::format(kRelationCode, name), QStringLiteral("relationsort_code"));
}
qint64 Lookups::degreeCode(const QString& name) {
    return codeOf(sql::format(kDegreeCode, name), QStringLiteral("degree_code"));
}
qint64 Lookups::businessCode(const QString& name) {
    return codeOf(sql::format(kBusinessCode, name), QStringLiteral("business_code"));
}
qint64 Lookups::docSortCode(const QString& name) {
    return codeOf(sql::format(kDocSortCode, name), QStringLiteral("docsort_code"));
}
qint64 Lookups::datumSortCode(const QString& name) {
    return codeOf(sql::format(kDatumSortCode, name), QStringLiteral("datumsort_code"));
}
qint64 Lookups::phoneSortCode(const QString& name) {
    return codeOf(sql::format(kPhoneSortCode, name), QStringLiteral("societysitesort_code"));
}
qint64 Lookups::departmentCode(const QString& name) {
    return codeOf(sql::format(kDepartmentCode, name), QStringLiteral("dep_code"));
}
qint64 Lookups::userCode(const QString& name) {
    return codeOf(sql::format(kUserCode, name), QStringLiteral("user_code"));
}
qint64 Lookups::departmentManager(const QString& departmentName) {
    return codeOf(sql::format(kDepartmentManager, departmentName), QStringLiteral("u.user_code"));
}
qint64 Lookups::departmentOfUser(qint64 userCode) {
    return codeOf(sql::format(kDepartmentOfUser, userCode), QStringLiteral("user_dep_code"));
}

QString Lookups::provinceName(qint64 code) {
    return nameOf(sql::format(kProvinceName, code), QStringLiteral("province_name"), kMissing);
}
QString Lookups::regionName(qint64 code) {
    return nameOf(sql::format(kRegionName, code), QStringLiteral("region_name"), kMissing);
}
QString Lookups::dutyName(qint64 code) {
    return nameOf(sql::format(kDutyName, code), QStringLiteral("duty_name"), kMissing);
}
QString Lookups::levelName(qint64 code) {
    return nameOf(sql::format(kLevelName, code), QStringLiteral("sort_name"), kMissing);
}
QString Lookups::userName(qint64 code) {
    return nameOf(sql::format(kUserName, code), QStringLiteral("user_name"), kMissing);
}
QString Lookups::industryName(qint64 code) {
    return nameOf(sql::format(kIndustryName, code), QStringLiteral("industry_name"), QString());
}
QString Lookups::contactName(qint64 code) {
    return nameOf(sql::format(kContactName, code), QStringLiteral("base_name"), QString());
}
QString Lookups::docFileName(qint64 docCode) {
    return nameOf(sql::format(kDocFileName, docCode), QStringLiteral("doc_filename"), QString());
}
QString Lookups::datumFileName(qint64 datumCode) {
    return nameOf(sql::format(kDatumFileName, datumCode), QStringLiteral("datum_filename"),
                  QString());
}
QString Lookups::docFileNameByTitle(qint64 docSortCode, const QString& title) {
    return nameOf(sql::format(kDocFileNameByTitle, docSortCode, title),
                  QStringLiteral("doc_filename"), QString());
}

bool Lookups::contactNameTaken(const QString& name) {
    return db_.exists(sql::format(kContactNameTaken, name));
}
bool Lookups::userNameTaken(const QString& name) {
    return db_.exists(sql::format(kUserNameTaken, name));
}
bool Lookups::workUnitKnown(const QString& name) {
    return db_.exists(sql::format(kWorkUnitKnown, sql::kAnyText, name, sql::kAnyText));
}
qint64 Lookups::usersInDepartment(qint64 departmentCode) {
    return rowsOf(sql::format(kUsersInDepartment, departmentCode));
}
