// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/PostalLookup.h"

#include "db/Database.h"
#include "db/TextFormat.h"

namespace {

const QString kCities = QStringLiteral(
    "select c.city_code,c.city_name,p.province_name,c.city_area_code,c.city_zip \t\t\tfrom city as "
    "c inner join province as p \t\t\ton c.city_province_code=p.province_code \t\t\twhere "
    "c.city_name<>''");
const QString kWithCondition = QStringLiteral("%s and %s");
const QString kOrder = QStringLiteral(" order by p.province_name");

const QString kProvince = QStringLiteral("p.province_name like '%s%s%s' ");
const QString kCity = QStringLiteral("c.city_name like '%s%s%s' ");
const QString kAndCity = QStringLiteral(" and c.city_name like '%s%s%s' ");
const QString kAreaCode = QStringLiteral("c.city_area_code like '%s%s%s' ");
const QString kAndAreaCode = QStringLiteral(" and c.city_area_code like '%s%s%s' ");
const QString kPostcode = QStringLiteral("c.city_zip like '%s%s%s' ");
const QString kAndPostcode = QStringLiteral(" and c.city_zip like '%s%s%s' ");

} // namespace

sql::Statement PostalLookup::condition(const Fragments& fragments) {
    sql::Statement out;
    auto append = [&](const QString& value, const QString& first, const QString& more) {
        if (!value.isEmpty())
            out += sql::format(out.isEmpty() ? first : more, sql::kAnyText, value, sql::kAnyText);
    };
    append(fragments.province, kProvince, kProvince);
    append(fragments.city, kCity, kAndCity);
    append(fragments.areaCode, kAreaCode, kAndAreaCode);
    append(fragments.postcode, kPostcode, kAndPostcode);
    return out;
}

sql::Statement PostalLookup::statement(const Fragments& fragments) {
    const sql::Statement where = condition(fragments);
    sql::Statement out(kCities);
    if (!where.isEmpty())
        out = sql::format(kWithCondition, out, where);
    return out + sql::Statement(kOrder);
}

bool PostalLookup::search(const Fragments& fragments, QList<QStringList>& rows) {
    rows.clear();
    return db_.query(statement(fragments), [&rows](const Row& row) {
        rows.append(
            {text::format("%d", row.number(QStringLiteral("city_code"))),
             row.text(QStringLiteral("city_name")), row.text(QStringLiteral("province_name")),
             row.text(QStringLiteral("city_area_code")), row.text(QStringLiteral("city_zip"))});
        return true;
    });
}

QString PostalLookup::title(int count) {
    return text::format("区号邮编查询--目前共有记录数： %d", count);
}
