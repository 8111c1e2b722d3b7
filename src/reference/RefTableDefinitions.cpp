// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/RefTableDefinitions.h"

namespace {

using Cells = QList<RefListCell>;
using Fields = QList<RefField>;
using Kind = RefField::Kind;
using After = RefTableDefinition::AfterDelete;

// A list row that starts with the tick box alone, then the hidden code.
Cells tickCodeName(const QString& table) {
    return {{}, {table + QStringLiteral("_code"), {}}, {table + QStringLiteral("_name"), {}}};
}
// A list row whose tick box carries the code.
Cells codeName(const QString& table) {
    return {{table + QStringLiteral("_code"), {}}, {table + QStringLiteral("_name"), {}}};
}

QList<RefTableDefinition> build() {
    QList<RefTableDefinition> all;

    all.append({
        .table = "industry",
        .codeColumn = "industry_code",
        .nameColumn = "industry_name",
        .listCaption = "行业设置",
        .titleFormat = "行业设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;行业名称,200",
        .listQuery = "select * from industry where industry_name<>''",
        .cells = tickCodeName("industry"),
        .hidesEmptyNames = true,
        .addCaption = "行业设置 - 增加",
        .modifyTitle = "行业设置 - 修改",
        .nameCaption = "行业名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入行业名称!",
        .modifyStatement = "update industry set industry_name='%s' \t\t\twhere industry_code=%s",
        // Associations name an industry too: a deleted one would hide them from their list.
        .guards = {"select * from base where work_industry_code=%s",
                   "select * from asso where asso_industry_code=%s"},
        .deleteStatement = "delete from industry where industry_code=%s",
    });

    all.append({
        .table = "degree",
        .codeColumn = "degree_code",
        .nameColumn = "degree_name",
        .listCaption = "学历设置",
        .titleFormat = "学历设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;名称,180",
        .listQuery = "select * from degree where degree_name<>'' order by degree_name",
        .cells = tickCodeName("degree"),
        .addCaption = "学历设置 - 增加",
        .modifyTitle = "学历设置 - 修改",
        .nameCaption = "学历名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入学历名称!",
        .modifyStatement = "update degree set degree_name='%s' \t\t\twhere degree_code=%s",
        .guards = {"select * from extend where extend_degree_code=%s"},
        .deleteStatement = "delete from degree where degree_code=%s",
    });

    all.append({
        .table = "duty",
        .codeColumn = "duty_code",
        .nameColumn = "duty_name",
        .listCaption = "职务设置",
        .titleFormat = "职务设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;职务名称,80;分值,40;",
        .listQuery = "select * from duty where duty_name<>'' order by duty_value desc",
        .cells = {{}, {"duty_code", {}}, {"duty_name", {}}, {"duty_value", {}}},
        .addCaption = "职务设置 - 增加",
        .modifyTitle = "职务设置 - 修改",
        .nameCaption = "职务名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入职务名称!",
        .fields = {{.kind = Kind::Digits,
                    .column = "duty_value",
                    .caption = "分     值:",
                    .maxLength = 5,
                    .note = "分值越高,排序时会靠前",
                    .emptyMessage = "请输入分值!"}},
        // Family sheets, associations and phone entries name a post too.
        .guards = {"select * from base where work_duty_code=%s \t\t\tor work_leader_duty_code=%s "
                   "\t\t\tor work_superior_duty_code=%s",
                   "select * from home where home_duty_code=%s",
                   "select * from asso where asso_duty_code=%s",
                   "select * from societysite where societysite_duty_code=%s"},
        .deleteStatement = "delete from duty where duty_code=%s",
    });

    all.append({
        .table = "feast",
        .codeColumn = "feast_code",
        .nameColumn = "feast_name",
        .listCaption = "节日设置",
        .titleFormat = "节日设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;节日名称,110;日期,60;",
        .listQuery = "select * from feast order by feast_month,feast_day",
        .cells = {{}, {"feast_code", {}}, {"feast_name", {}}, {"feast_month", "feast_day"}},
        .addCaption = "节日设置 - 增加",
        .modifyTitle = "节日设置 - 修改",
        .nameCaption = "节日名称:",
        .nameMaxLength = 30,
        .emptyNameMessage = "请输入节日名称!",
        .fields = {{.kind = Kind::Month, .column = "feast_month", .caption = "月:"},
                   {.kind = Kind::Day, .column = "feast_day", .caption = "日:"},
                   {.kind = Kind::Lunar, .column = "feast_lunar", .caption = "农历"}},
        .deleteStatement = "delete from feast where feast_code=%s",
        .afterDelete = After::Reload,
        .doubleClickOpens = false,
    });

    all.append({
        .table = "province",
        .codeColumn = "province_code",
        .nameColumn = "province_name",
        .listCaption = "省份管理",
        .titleFormat = "省份管理--目前共有记录数： %d",
        .columnSpec = "选,20;省份名称,150",
        .listQuery = "select province_code,province_name \t\t\tfrom province \t\t\twhere "
                     "province_name<>'' \t\t\torder by province_name",
        .cells = codeName("province"),
        .addCaption = "省份管理 - 增加",
        .modifyTitle = "省份管理 - 增加",
        .nameCaption = "省份名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入省份名称!",
        .checksIllegalCharacters = true,
        .modifyStatement = "update province set province_name='%s' \t\t\t\twhere province_code=%s",
        // A contact's own province and the family sheet's name a province too.
        .guards = {"select * from base where work_province_code=%s",
                   "select * from city where city_province_code=%s",
                   "select * from base where base_province_code=%s",
                   "select * from home where home_province_code=%s"},
        .deleteStatement = "delete from province where province_code=%s",
    });

    all.append({
        .table = "region",
        .codeColumn = "region_code",
        .nameColumn = "region_name",
        .listCaption = "区域设置",
        .titleFormat = "区域设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;区域名称,155",
        .listQuery = "select region_code,region_name \t\t\tfrom region \t\t\twhere region_name<>'' "
                     "\t\t\torder by region_name",
        .cells = tickCodeName("region"),
        .addCaption = "区域设置 - 增加",
        .modifyTitle = "区域设置 - 修改",
        .nameCaption = "区域名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入区域名称!",
        .modifyStatement = "update region set region_name='%s' \t\t\t\twhere region_code=%s",
        .guards = {"select * from base where work_region_code=%s"},
        .deleteStatement = "delete from region where region_code=%s",
    });

    all.append({
        .table = "relationsort",
        .codeColumn = "relationsort_code",
        .nameColumn = "relationsort_name",
        .listCaption = "关系类型设置",
        .titleFormat = "关系类别设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;类别名称,150",
        .listQuery =
            "select relationsort_code,relationsort_name \t\t\tfrom relationsort \t\t\twhere "
            "relationsort_name<>'' \t\t\torder by relationsort_name",
        .cells = tickCodeName("relationsort"),
        .addCaption = "关系类别设置 - 增加",
        .modifyTitle = "关系类别设置 - 修改",
        .nameCaption = "类别名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入类别名称!",
        .modifyStatement =
            "update relationsort set relationsort_name='%s' \t\t\t\twhere relationsort_code=%s",
        .guards = {"select * from base where base_type_code=%s"},
        .deleteStatement = "delete from relationsort where relationsort_code=%s",
    });

    all.append({
        .table = "societysitesort",
        .codeColumn = "societysitesort_code",
        .nameColumn = "societysitesort_name",
        .listCaption = "我的资料类别设置",
        .titleFormat = "常用电话类别设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;类别名称,155",
        .listQuery = "select societysitesort_code,societysitesort_name \t\t\tfrom societysitesort "
                     "\t\t\twhere societysitesort_name<>'' \t\t\torder by societysitesort_name",
        .cells = tickCodeName("societysitesort"),
        .addCaption = "常用电话类别设置 - 增加",
        .modifyTitle = "常用电话类别设置 - 修改",
        .nameCaption = "类别名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入类别名称!",
        .guards = {"select * from societysite where societysite_sort_code=%s"},
        .deleteStatement = "delete from societysitesort where societysitesort_code=%s",
    });

    all.append({
        .table = "business",
        .codeColumn = "business_code",
        .nameColumn = "business_name",
        .listCaption = "往来类别设置",
        .titleFormat = "往来类别设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;类别名称,150",
        .listQuery = "select business_code,business_name \t\t\tfrom business \t\t\twhere "
                     "business_name<>'' \t\t\torder by business_name",
        .cells = tickCodeName("business"),
        .addCaption = "往来类别设置 - 增加",
        .modifyTitle = "往来类别设置 - 修改",
        .nameCaption = "类别名称:",
        .nameMaxLength = 40,
        .emptyNameMessage = "请输入类别名称!",
        // The planned next interaction names a type too.
        .guards = {"select * from comm where comm_business_code=%s",
                   "select * from comm where comm_next_business_code=%s"},
        .deleteStatement = "delete from business where business_code=%s",
    });

    all.append({
        .table = "datumsort",
        .codeColumn = "datumsort_code",
        .nameColumn = "datumsort_name",
        .listCaption = "文档类别设置",
        .titleFormat = "我的资料类别设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;我的资料类别,150;",
        .listQuery = "select datumsort_code,datumsort_name \t\t\tfrom datumsort \t\t\twhere "
                     "datumsort_name<>'' order by datumsort_name",
        .cells = tickCodeName("datumsort"),
        .addCaption = "我的资料类别设置 - 增加",
        .modifyTitle = "我的资料类别设置 - 修改",
        .nameCaption = "类别名称:",
        .nameMaxLength = 40,
        .emptyNameMessage = "请输入类型名称!",
        .modifyStatement = "update datumsort set datumsort_name='%s' \t\t\twhere datumsort_code=%s",
        .guards = {"select * from datum where datum_datumsort_code=%s"},
        .deleteStatement = "delete from datumsort where datumsort_code=%s",
    });

    all.append({
        .table = "docsort",
        .codeColumn = "docsort_code",
        .nameColumn = "docsort_name",
        .listCaption = "文档类别管理",
        .titleFormat = "文档类别设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;文档类别名称,145",
        .listQuery = "select docsort_code,docsort_name \t\t\tfrom docsort \t\t\twhere "
                     "docsort_name<>'' order by docsort_name",
        .cells = tickCodeName("docsort"),
        .addCaption = "文档类别设置 - 增加",
        .modifyTitle = "文档类别设置 - 修改",
        .nameCaption = "文档类别名称:",
        .nameMaxLength = 40,
        .emptyNameMessage = "请输入文档类别名称!",
        .modifyStatement = "update docsort set docsort_name='%s' \t\t\twhere docsort_code=%s",
        .guards = {"select * from doc where doc_docsort_code=%s"},
        .deleteStatement = "delete from docsort where docsort_code=%s",
    });

    all.append({
        .table = "assosort",
        .codeColumn = "assosort_code",
        .nameColumn = "assosort_name",
        .listCaption = "关联关系管理",
        .titleFormat = "关联关系管理--目前共有记录数： %d",
        .columnSpec = "选,20;类型名称,155",
        .listQuery = "select assosort_code,assosort_name \t\t\tfrom assosort \t\t\twhere "
                     "assosort_name<>'' \t\t\torder by assosort_name",
        .cells = codeName("assosort"),
        .addCaption = "关联关系增加",
        .modifyTitle = "关联关系类型 - 修改",
        .nameCaption = "关联关系名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入类型名称!",
        .checksIllegalCharacters = true,
        .modifyStatement = "update assosort set assosort_name='%s' \t\t\t\twhere assosort_code=%s",
        .guards = {"select * from asso where asso_assosort_code=%s"},
        .deleteStatement = "delete from assosort where assosort_code=%s",
    });

    all.append({
        .table = "dep",
        .codeColumn = "dep_code",
        .nameColumn = "dep_name",
        .listCaption = "部门管理",
        .titleFormat = "部门管理--目前共有记录数： %d",
        .columnSpec = "选,20;部门名称,150",
        .listQuery = "select d.dep_code,d.dep_name \t\t\tfrom dep as d  \t\t\twhere dep_name<>'' "
                     "order by dep_name",
        .cells = codeName("dep"),
        .addCaption = "部门增加",
        .modifyTitle = "部门修改",
        .nameCaption = "部门名称:",
        .nameMaxLength = 40,
        .emptyNameMessage = "请输入部门名称!",
        .modifyStatement = "update dep set dep_name='%s' \t\t\twhere dep_code=%s",
        .guards = {"select * from userlogin where user_dep_code=%s"},
        .deleteStatement = "delete from dep where dep_code=%s",
    });

    all.append({
        .table = "sort",
        .codeColumn = "sort_code",
        .nameColumn = "sort_name",
        .listCaption = "级别设置",
        .titleFormat = "级别设置 - 共有记录数： %d",
        .columnSpec = "选,25;ID,0;级别名称,90;级别分值(分),85;往来时间间隔(天),110",
        .listQuery = "select sort_code,sort_name,sort_value,sort_frequence \t\t\tfrom sort "
                     "\t\t\twhere sort_name<>'' \t\t\torder by sort_value DESC",
        .cells =
            {{}, {"sort_code", {}}, {"sort_name", {}}, {"sort_value", {}}, {"sort_frequence", {}}},
        .addCaption = "级别设置 - 增加",
        .modifyTitle = "级别设置 - 修改",
        .nameCaption = "级别名称:",
        .nameMaxLength = 20,
        .emptyNameMessage = "请输入级别名称!",
        .fields = {{.kind = Kind::Digits,
                    .column = "sort_value",
                    .caption = "级别分值:",
                    .maxLength = 5,
                    .unit = "分",
                    .emptyMessage = "级别分值是用来计算人脉等级分.\n请输入级别分值!"},
                   {.kind = Kind::Digits,
                    .column = "sort_frequence",
                    .caption = "往来时间间隔:",
                    .maxLength = 5,
                    .unit = "天",
                    .emptyMessage = "往来时间间隔是用来自动安排往来的时间.\n请输入时间间隔!"}},
        .modifyStatement = "update sort set sort_name='%s',sort_value=%s,sort_frequence=%s "
                           "\t\t\t\twhere sort_code=%s",
        .guards = {"select * from base where base_sort_code=%s"},
        .deleteStatement = "delete from sort where sort_code=%s",
    });

    return all;
}

int cellOf(const QList<RefListCell>& cells, const QString& column) {
    for (int i = 0; i < cells.size(); ++i) {
        if (cells.at(i).column == column)
            return i;
    }
    return -1;
}

} // namespace

int RefTableDefinition::codeCell() const {
    return cellOf(cells, codeColumn);
}

int RefTableDefinition::nameCell() const {
    return cellOf(cells, nameColumn);
}

namespace reftables {

const QList<RefTableDefinition>& all() {
    static const QList<RefTableDefinition> tables = build();
    return tables;
}

const RefTableDefinition* find(const QString& table) {
    for (const RefTableDefinition& definition : all()) {
        if (definition.table == table)
            return &definition;
    }
    return nullptr;
}

} // namespace reftables
