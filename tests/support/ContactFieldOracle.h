// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"

#include <QList>
#include <QString>
#include <QStringList>

// The five contact pages written out by hand, field by field, as the user is
// meant to see them: caption, kind of control, limit and the column it feeds.
// The tests take their expectations from here, never from contactFields(),
// which the pages themselves are built from: a swapped column, a renamed
// caption or a wrong limit there then fails a test instead of moving both the
// page and its test.
namespace oracle {

enum Kind { Edit, Search, Multi, List, Date };

struct Field {
    ContactPage page;
    Kind kind;
    const char* caption;
    int limit;                   // most characters taken; 0: none. A date's lists take 4, 2 and 2.
    const char* column;          // for a date its year column; month and day replace "year"
    const char* lunar = nullptr; // a birthday's "农历" tick: the column it writes
};

constexpr auto B = ContactPage::Base;
constexpr auto W = ContactPage::Work;
constexpr auto H = ContactPage::Home;
constexpr auto S = ContactPage::Society;
constexpr auto X = ContactPage::Extend;

// clang-format off
inline const QList<Field> kFields = {
    {B, Search, "姓      名:", 20, "base_name"},
    {B, List, "性      别:", 4, "base_sex"},
    {B, Date, "出生日期:", 0, "base_year", "base_lunar"},
    {B, List, "级别:", 20, "base_sort_code"},
    {B, List, "关系类别:", 0, "base_type_code"},
    {B, Edit, "手机号码:", 20, "base_mobil"},
    {B, Edit, "其它联系:", 50, "base_contact"},
    {B, List, "婚否:", 4, "base_married"},
    {B, Edit, "联系电话:", 20, "base_phone"},
    {B, Edit, "邮件地址:", 50, "base_email"},
    {B, Edit, "银行帐号:", 80, "base_id"},
    {B, Edit, "原籍:", 20, "base_nation"},
    {B, List, "省份:", 30, "base_province_code"},
    {B, Edit, "城市:", 40, "base_city"},
    {B, Edit, "区县乡镇:", 50, "base_country"},
    {B, Multi, "备注:", 1024, "base_experience"},

    {W, Search, "单位名称:", 100, "work_name"},
    {W, Edit, "单位法人:", 20, "work_artificial"},
    {W, List, "所属行业:", 50, "work_industry_code"},
    {W, Edit, "所在部门:", 20, "work_branch_name"},
    {W, List, "职务:", 20, "work_duty_code"},
    {W, Edit, "工资:", 20, "work_salary"},
    {W, Edit, "单位电话:", 30, "work_phone"},
    {W, Edit, "负责业务:", 100, "work_charge"},
    {W, List, "所属区域:", 20, "work_region_code"},
    {W, List, "省份:", 20, "work_province_code"},
    {W, Edit, "城市:", 40, "work_city"},
    {W, Edit, "城市区号:", 10, "work_areacode"},
    {W, Edit, "邮政编码:", 10, "work_zip"},
    {W, Edit, "单位领导:", 20, "work_leader_name"},
    {W, List, "职务:", 20, "work_leader_duty_code"},
    {W, List, "性别:", 4, "work_leader_sex"},
    {W, Edit, "手机:", 20, "work_leader_mobil"},
    {W, Edit, "其它联系:", 30, "work_leader_phone"},
    {W, Edit, "直接上级:", 20, "work_superior_name"},
    {W, List, "职务:", 20, "work_superior_duty_code"},
    {W, List, "性别:", 4, "work_superior_sex"},
    {W, Edit, "手机:", 20, "work_superior_mobil"},
    {W, Edit, "其它联系:", 30, "work_superior_phone"},
    {W, Edit, "单位地址:", 150, "work_address"},
    {W, Edit, "传真:", 30, "work_fax"},
    {W, Edit, "单位网址:", 60, "work_website"},
    {W, Edit, "公司帐号:", 250, "work_bankaccount"},
    {W, Edit, "主营业务:", 150, "work_mainbusiness"},
    {W, Edit, "注册资金:", 10, "work_regbank"},
    {W, Edit, "年营业额:", 10, "work_turnover"},
    {W, Edit, "乘车线路:", 150, "work_bus"},
    {W, Edit, "重要客户:", 250, "work_mainclient"},
    {W, Edit, "合作伙伴:", 250, "work_fellowship"},
    {W, Edit, "竞争对手:", 250, "work_compete"},

    {H, Edit, "配偶姓名:", 20, "home_name"},
    {H, Date, "生日:", 0, "home_year", "home_lunar"},
    {H, Edit, "健康状况:", 50, "home_health"},
    {H, Edit, "工作单位:", 50, "home_work_name"},
    {H, Edit, "部门名称:", 20, "home_branch_name"},
    {H, List, "职务:", 20, "home_duty_code"},
    {H, Edit, "手      机:", 20, "home_mobil"},
    {H, Edit, "邮件:", 50, "home_email"},
    {H, Edit, "其它联系:", 50, "home_contact"},
    {H, Edit, "单位电话:", 30, "home_workphone"},
    {H, Date, "婚庆:", 0, "home_marryyear"},
    {H, Edit, "业余爱好:", 150, "home_hobby"},
    {H, Edit, "原籍:国籍:", 20, "home_nation"},
    {H, List, "省份:", 20, "home_province_code"},
    {H, Edit, "城市:", 40, "home_city"},
    {H, Edit, "区县乡镇:", 50, "home_country"},
    {H, Edit, "小孩姓名:", 20, "home_child_name"},
    {H, Date, "生日:", 0, "home_child_year", "home_child_lunar"},
    {H, List, "性      别:", 4, "home_child_sex"},
    {H, Edit, "年级/工作年限:", 20, "home_child_grade"},
    {H, Edit, "学校/单位:", 50, "home_child_school"},
    {H, Edit, "其它说明:", 50, "home_child_health"},
    {H, Edit, "家庭住址:", 50, "home_address"},
    {H, Edit, "家庭电话:", 20, "home_phone"},
    {H, List, "父母同住:", 8, "home_live"},

    {S, Edit, "香烟品牌:", 20, "society_cigarette"},
    {S, Edit, "酒品牌:", 100, "society_drink"},
    {S, Edit, "酒量:", 100, "society_drinknum"},
    {S, Edit, "饭菜口味:", 20, "society_eat"},
    {S, Edit, "常去地点:", 150, "society_site"},
    {S, Edit, "驾车:", 100, "society_car"},
    {S, Edit, "忌      讳:", 200, "society_afraid"},
    {S, Multi, "业余爱好:", 1024, "society_hobby"},

    {X, List, "最高学历:", 30, "extend_degree_code"},
    {X, Edit, "专业:", 100, "extend_speciality"},
    {X, Date, "毕业时间:", 0, "extend_gradyear"},
    {X, Edit, "毕业院校:", 100, "extend_college"},
    {X, Edit, "体貌特征:", 100, "extend_drive"},
    {X, Edit, "健康状况:", 150, "extend_health"},
    {X, Edit, "出国情况:", 100, "extend_abroad"},
    {X, Multi, "目前最为关心的事情:", 1024, "extend_hope"},
};
// clang-format on

// The lists with entries of their own; every other list is filled from a table.
inline QStringList fixedEntries(const QString& column) {
    if (column.endsWith(QLatin1String("_sex")))
        return {QStringLiteral("男"), QStringLiteral("女"), QStringLiteral("未知")};
    if (column == QLatin1String("base_married"))
        return {QStringLiteral("已婚"), QStringLiteral("未婚"), QStringLiteral("离婚"),
                QStringLiteral("再婚"), QStringLiteral("未知")};
    if (column == QLatin1String("home_live"))
        return {QStringLiteral("同住"), QStringLiteral("不同住"), QStringLiteral("未知")};
    return {};
}

// The one field with a second label before its control.
inline QString secondCaption(const QString& column) {
    return column == QLatin1String("base_nation") ? QStringLiteral("国籍:") : QString();
}

// The pages in tab order: class and the table their columns live in.
struct Page {
    ContactPage page;
    const char* className;
    const char* table;
};
inline const QList<Page> kPages = {
    {B, "CBasePage", "base"},       {W, "CWorkPage", "base"},     {H, "CHomePage", "home"},
    {S, "CSocietyPage", "society"}, {X, "CExtendPage", "extend"},
};

inline const Page& page(ContactPage which) {
    return kPages.at(static_cast<int>(which));
}

// Bands on the work page: the unit and the contact's own position, the leader
// and superior rows, the unit's address and business. On the family page: the
// spouse, the child, the household. Each band starts at the field named here.
inline int bandOf(const Field& field) {
    static const QStringList starts[] = {{},
                                         {"work_name", "work_leader_name", "work_address"},
                                         {"home_name", "home_child_name", "home_address"},
                                         {},
                                         {}};
    const QStringList& bandStarts = starts[static_cast<int>(field.page)];
    int band = -1;
    for (const Field& f : kFields) {
        if (f.page != field.page)
            continue;
        band += bandStarts.contains(QLatin1String(f.column)) ? 1 : 0;
        if (QLatin1String(f.column) == QLatin1String(field.column))
            return band;
    }
    return -1;
}

inline int bandCount(ContactPage which) {
    return which == W || which == H ? 3 : 0;
}

// A field's keys in a record: its column, or a date's year, month and day
// columns, and a birthday's tick after them.
inline QStringList columnsOf(const Field& field) {
    const QString year = QString::fromUtf8(field.column);
    if (field.kind != Date)
        return {year};
    QStringList out{year, QString(year).replace(QLatin1String("year"), QLatin1String("month")),
                    QString(year).replace(QLatin1String("year"), QLatin1String("day"))};
    if (field.lunar)
        out << QString::fromUtf8(field.lunar);
    return out;
}

inline QList<Field> fieldsOf(ContactPage which) {
    QList<Field> out;
    for (const Field& f : kFields)
        if (f.page == which)
            out << f;
    return out;
}

inline QStringList columnsOf(ContactPage which) {
    QStringList out;
    for (const Field& f : oracle::fieldsOf(which))
        out += columnsOf(f);
    return out;
}

inline QStringList allColumns() {
    QStringList out;
    for (const Field& f : kFields)
        out += columnsOf(f);
    return out;
}

// The field of a column (a date by any of its three columns).
inline const Field& field(const QString& column) {
    for (const Field& f : kFields)
        if (columnsOf(f).contains(column))
            return f;
    qFatal("no field writes %s", qPrintable(column));
}

} // namespace oracle
