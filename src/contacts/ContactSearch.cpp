// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactSearch.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/Statement.h"

namespace {

const QString kNameTaken = QStringLiteral("select * from base where base_name='%s'");
const QString kUnitKnown = QStringLiteral("select * from base where work_name like '%s%s%s'");
const QString kByName = QStringLiteral("select base_code,base_name,work_name from base where "
                                       "base_invalid_flag=1 and base_name like '%s%s%s'");
const QString kByUnit = QStringLiteral("select base_code,base_name,work_name from base where "
                                       "base_invalid_flag=1 and work_name like '%s%s%s'");
const QString kTitle = QStringLiteral("资料列表--目前共有记录数： %d");
const QString kUnitColumns = QStringLiteral(
    "select work_name, work_artificial, work_industry_code, work_address, work_website, "
    "work_bus, work_regbank, work_turnover, work_region_code, work_province_code, work_city, "
    "work_areacode, work_zip, work_bankaccount, work_mainbusiness, work_mainclient, "
    "work_fellowship, work_compete, work_fax, work_leader_name, work_leader_duty_code, "
    "work_leader_sex, work_leader_mobil, work_leader_phone from base where base_code=%ld");

const QString kEnterName = QStringLiteral("请输入姓名!");
const QString kNoSuchName = QStringLiteral("该用户名不存在!");
const QString kEnterUnit = QStringLiteral("请输入单位名称!");
const QString kNoSuchUnit = QStringLiteral("该单位资料不存在!");

} // namespace

bool ContactSearch::checkName(const QString& name) {
    if (name.isEmpty()) {
        prompter_.notice(Prompter::kNoticeCaption, kEnterName, PromptIcon::Question);
        return false;
    }
    if (!db_.exists(sql::format(kNameTaken, name))) {
        prompter_.inform(kNoSuchName);
        return false;
    }
    return true;
}

bool ContactSearch::checkUnit(const QString& unit) {
    if (unit.isEmpty()) {
        prompter_.notice(Prompter::kNoticeCaption, kEnterUnit, PromptIcon::Question);
        return false;
    }
    if (!db_.exists(sql::format(kUnitKnown, sql::kAnyText, unit, sql::kAnyText))) {
        prompter_.inform(kNoSuchUnit);
        return false;
    }
    return true;
}

QList<ContactSearch::Existing> ContactSearch::existing(const QString& text, Mode mode) {
    QList<Existing> rows;
    const QString& statement = mode == Mode::ByName ? kByName : kByUnit;
    db_.query(sql::format(statement, sql::kAnyText, text, sql::kAnyText), [&](const Row& row) {
        rows.append({row.text(QStringLiteral("base_code")), row.text(QStringLiteral("base_name")),
                     row.text(QStringLiteral("work_name"))});
        return true;
    });
    return rows;
}

QString ContactSearch::title(int rows) {
    return text::format(kTitle, rows);
}

const QStringList& ContactSearch::copiedColumns() {
    static const QStringList columns = {
        QStringLiteral("work_name"),
        QStringLiteral("work_artificial"),
        QStringLiteral("work_industry_code"),
        QStringLiteral("work_address"),
        QStringLiteral("work_website"),
        QStringLiteral("work_bus"),
        QStringLiteral("work_regbank"),
        QStringLiteral("work_turnover"),
        QStringLiteral("work_region_code"),
        QStringLiteral("work_province_code"),
        QStringLiteral("work_city"),
        QStringLiteral("work_areacode"),
        QStringLiteral("work_zip"),
        QStringLiteral("work_bankaccount"),
        QStringLiteral("work_mainbusiness"),
        QStringLiteral("work_mainclient"),
        QStringLiteral("work_fellowship"),
        QStringLiteral("work_compete"),
        QStringLiteral("work_fax"),
        QStringLiteral("work_leader_name"),
        QStringLiteral("work_leader_duty_code"),
        QStringLiteral("work_leader_sex"),
        QStringLiteral("work_leader_mobil"),
        QStringLiteral("work_leader_phone"),
    };
    return columns;
}

ContactRecord ContactSearch::unitOf(qint64 code) {
    ContactRecord unit;
    QHash<QString, qint64> codes;
    db_.query(sql::format(kUnitColumns, code), [&](const Row& row) {
        for (const QString& column : copiedColumns()) {
            if (column.endsWith(QLatin1String("_code")))
                codes.insert(column, row.number(column, -1));
            else
                unit.setValue(column, row.text(column));
        }
        return false;
    });
    if (codes.isEmpty())
        return unit;
    Lookups lookups(db_);
    // A name the lookup cannot give shows as nothing.
    const auto shown = [](const QString& name) {
        return name == Lookups::kMissing ? QString() : name;
    };
    unit.setValue(QStringLiteral("work_industry_code"),
                  lookups.industryName(codes.value(QStringLiteral("work_industry_code"))));
    unit.setValue(QStringLiteral("work_region_code"),
                  shown(lookups.regionName(codes.value(QStringLiteral("work_region_code")))));
    unit.setValue(QStringLiteral("work_province_code"),
                  shown(lookups.provinceName(codes.value(QStringLiteral("work_province_code")))));
    unit.setValue(QStringLiteral("work_leader_duty_code"),
                  shown(lookups.dutyName(codes.value(QStringLiteral("work_leader_duty_code")))));
    return unit;
}
