// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactFields.h"

#include <QHash>

namespace {

const QString kEnterName = QStringLiteral("请输入姓名!");
const QString kBadDate = QStringLiteral("日期输入有误!");
const QStringList kSexes = {QStringLiteral("男"), QStringLiteral("女"), QStringLiteral("未知")};

// Builds one row of the table; the chained setters keep each row on a line or two.
class Field {
  public:
    Field(ContactPage page, FieldKind kind, const QString& caption, int limit,
          const QString& column) {
        f_.page = page;
        f_.kind = kind;
        f_.caption = caption;
        f_.limit = limit;
        f_.column = column;
    }
    Field& fixed(const QStringList& items) {
        f_.source = ListSource::Fixed;
        f_.items = items;
        return *this;
    }
    Field& filled(ListSource source, const QString& sql, int lookupError) {
        f_.source = source;
        f_.listSql = sql;
        f_.lookupError = lookupError;
        return *this;
    }
    Field& date(const QString& month, const QString& day) {
        f_.source = ListSource::Years;
        f_.dateColumns = {f_.column, month, day};
        return *this;
    }
    Field& lunar(const char* column) {
        f_.lunarColumn = QString::fromUtf8(column);
        return *this;
    }
    Field& band(int band) {
        f_.band = band;
        return *this;
    }
    Field& role(const QString& role) {
        f_.role = role;
        return *this;
    }
    Field& second(const QString& caption) {
        f_.extraCaption = caption;
        return *this;
    }
    Field& search(FieldSearch search) {
        f_.search = search;
        return *this;
    }
    Field& required(const QString& message) {
        f_.requiredMessage = message;
        return *this;
    }
    Field& check(FieldCheck check, const QString& message, int when = OnBoth) {
        f_.check = check;
        f_.checkMessage = message;
        f_.checkWhen = when;
        return *this;
    }
    operator FieldSpec() const { return f_; }

  private:
    FieldSpec f_;
};

constexpr auto B = ContactPage::Base;
constexpr auto W = ContactPage::Work;
constexpr auto H = ContactPage::Home;
constexpr auto S = ContactPage::Society;
constexpr auto X = ContactPage::Extend;
constexpr auto Edit = FieldKind::Edit;
constexpr auto Lst = FieldKind::List;

Field edit(ContactPage p, const char* caption, int limit, const char* column) {
    return Field(p, Edit, QString::fromUtf8(caption), limit, QString::fromUtf8(column));
}
Field multi(ContactPage p, const char* caption, int limit, const char* column) {
    return Field(p, FieldKind::MultiLine, QString::fromUtf8(caption), limit,
                 QString::fromUtf8(column));
}
Field list(ContactPage p, const char* caption, int limit, const char* column) {
    return Field(p, Lst, QString::fromUtf8(caption), limit, QString::fromUtf8(column));
}
Field sexList(ContactPage p, const char* caption, const char* column) {
    return list(p, caption, 4, column).fixed(kSexes);
}
Field posts(ContactPage p, const char* caption, const char* column) {
    return list(p, caption, 20, column).filled(ListSource::Posts, kPostListSql, 6);
}
Field provinces(ContactPage p, int limit, const char* column) {
    return list(p, "省份:", limit, column).filled(ListSource::Provinces, kProvinceListSql, 4);
}
Field dateOf(ContactPage p, const char* caption, const char* year, const char* month,
             const char* day) {
    return Field(p, FieldKind::Date, QString::fromUtf8(caption), 4, QString::fromUtf8(year))
        .date(QString::fromUtf8(month), QString::fromUtf8(day))
        .check(FieldCheck::ValidDay, kBadDate);
}

QList<FieldSpec> baseFields() {
    return {
        Field(B, FieldKind::SearchEdit, QStringLiteral("姓      名:"), 20,
              QStringLiteral("base_name"))
            .search(FieldSearch::Name)
            .required(kEnterName)
            .check(FieldCheck::LegalName, QStringLiteral("姓名中有非法字符，请检查!")),
        sexList(B, "性      别:", "base_sex").required(QStringLiteral("请选择性别!")),
        dateOf(B, "出生日期:", "base_year", "base_month", "base_day").lunar("base_lunar"),
        list(B, "级别:", 20, "base_sort_code")
            .filled(ListSource::Levels, kLevelListSql, 7)
            .required(QStringLiteral("请选择级别!")),
        list(B, "关系类别:", 0, "base_type_code")
            .filled(ListSource::Relations, kRelationListSql, 0)
            .required(QStringLiteral("请选择关系类别!")),
        edit(B, "手机号码:", 20, "base_mobil")
            .check(FieldCheck::Phone, QStringLiteral("请在手机号码中输入数字!")),
        edit(B, "其它联系:", 50, "base_contact"),
        list(B, "婚否:", 4, "base_married")
            .fixed({QStringLiteral("已婚"), QStringLiteral("未婚"), QStringLiteral("离婚"),
                    QStringLiteral("再婚"), QStringLiteral("未知")}),
        edit(B, "联系电话:", 20, "base_phone"),
        edit(B, "邮件地址:", 50, "base_email"),
        edit(B, "银行帐号:", 80, "base_id"),
        edit(B, "原籍:", 20, "base_nation").second(QStringLiteral("国籍:")),
        provinces(B, 30, "base_province_code"),
        edit(B, "城市:", 40, "base_city"),
        edit(B, "区县乡镇:", 50, "base_country"),
        multi(B, "备注:", 1024, "base_experience"),
    };
}

// Bands: the unit and the contact's own position; the leader and superior rows;
// the unit's address and business.
QList<FieldSpec> workFields() {
    return {
        Field(W, FieldKind::SearchEdit, QStringLiteral("单位名称:"), 100,
              QStringLiteral("work_name"))
            .search(FieldSearch::Unit)
            .band(0),
        edit(W, "单位法人:", 20, "work_artificial").band(0),
        list(W, "所属行业:", 50, "work_industry_code")
            .filled(ListSource::Industries, kIndustryListSql, 12)
            .required(QStringLiteral("请选择所属行业!"))
            .band(0),
        edit(W, "所在部门:", 20, "work_branch_name").band(0),
        posts(W, "职务:", "work_duty_code").band(0),
        edit(W, "工资:", 20, "work_salary").band(0),
        edit(W, "单位电话:", 30, "work_phone").band(0),
        edit(W, "负责业务:", 100, "work_charge").band(0),
        list(W, "所属区域:", 20, "work_region_code")
            .filled(ListSource::Regions, kRegionListSql, 11)
            .band(0),
        provinces(W, 20, "work_province_code").required(QStringLiteral("请选择所属省份!")).band(0),
        edit(W, "城市:", 40, "work_city").band(0),
        edit(W, "城市区号:", 10, "work_areacode")
            .check(FieldCheck::Amount, QStringLiteral("请在城市区号中输入数字!"), OnAdd)
            .band(0),
        edit(W, "邮政编码:", 10, "work_zip")
            .check(FieldCheck::Amount, QStringLiteral("请在邮政编码中输入数字!"), OnAdd)
            .band(0),
        edit(W, "单位领导:", 20, "work_leader_name").role(QStringLiteral("leader")).band(1),
        posts(W, "职务:", "work_leader_duty_code").role(QStringLiteral("leader")).band(1),
        sexList(W, "性别:", "work_leader_sex").role(QStringLiteral("leader")).band(1),
        edit(W, "手机:", 20, "work_leader_mobil")
            .check(FieldCheck::Phone, QStringLiteral("请在手机中输入数字!"))
            .role(QStringLiteral("leader"))
            .band(1),
        edit(W, "其它联系:", 30, "work_leader_phone").role(QStringLiteral("leader")).band(1),
        edit(W, "直接上级:", 20, "work_superior_name").role(QStringLiteral("superior")).band(1),
        posts(W, "职务:", "work_superior_duty_code").role(QStringLiteral("superior")).band(1),
        sexList(W, "性别:", "work_superior_sex").role(QStringLiteral("superior")).band(1),
        edit(W, "手机:", 20, "work_superior_mobil")
            .check(FieldCheck::Phone, QStringLiteral("请在手机中输入数字!"))
            .role(QStringLiteral("superior"))
            .band(1),
        edit(W, "其它联系:", 30, "work_superior_phone").role(QStringLiteral("superior")).band(1),
        edit(W, "单位地址:", 150, "work_address").band(2),
        edit(W, "传真:", 30, "work_fax").band(2),
        edit(W, "单位网址:", 60, "work_website").band(2),
        edit(W, "公司帐号:", 250, "work_bankaccount").band(2),
        edit(W, "主营业务:", 150, "work_mainbusiness").band(2),
        edit(W, "注册资金:", 10, "work_regbank").band(2),
        edit(W, "年营业额:", 10, "work_turnover").band(2),
        edit(W, "乘车线路:", 150, "work_bus").band(2),
        edit(W, "重要客户:", 250, "work_mainclient").band(2),
        edit(W, "合作伙伴:", 250, "work_fellowship").band(2),
        edit(W, "竞争对手:", 250, "work_compete").band(2),
    };
}

// Bands: the spouse; the child; the household. Only the detail pane checks this page.
QList<FieldSpec> homeFields() {
    const QString spouse = QStringLiteral("spouse");
    const QString child = QStringLiteral("child");
    return {
        edit(H, "配偶姓名:", 20, "home_name").role(spouse).band(0),
        dateOf(H, "生日:", "home_year", "home_month", "home_day")
            .lunar("home_lunar")
            .role(spouse)
            .band(0)
            .check(FieldCheck::ValidDay, kBadDate, OnModify),
        edit(H, "健康状况:", 50, "home_health").band(0),
        edit(H, "工作单位:", 50, "home_work_name").band(0),
        edit(H, "部门名称:", 20, "home_branch_name").band(0),
        posts(H, "职务:", "home_duty_code").band(0),
        edit(H, "手      机:", 20, "home_mobil")
            .check(FieldCheck::Phone, QStringLiteral("请在手机中输入数字!"), OnModify)
            .band(0),
        edit(H, "邮件:", 50, "home_email").band(0),
        edit(H, "其它联系:", 50, "home_contact").band(0),
        edit(H, "单位电话:", 30, "home_workphone").band(0),
        dateOf(H, "婚庆:", "home_marryyear", "home_marrymonth", "home_marryday")
            .check(FieldCheck::ValidDay, kBadDate, OnModify)
            .band(0),
        edit(H, "业余爱好:", 150, "home_hobby").band(0),
        edit(H, "原籍:国籍:", 20, "home_nation").band(0),
        provinces(H, 20, "home_province_code").band(0),
        edit(H, "城市:", 40, "home_city").band(0),
        edit(H, "区县乡镇:", 50, "home_country").band(0),
        edit(H, "小孩姓名:", 20, "home_child_name").role(child).band(1),
        dateOf(H, "生日:", "home_child_year", "home_child_month", "home_child_day")
            .lunar("home_child_lunar")
            .role(child)
            .check(FieldCheck::ValidDay, kBadDate, OnModify)
            .band(1),
        sexList(H, "性      别:", "home_child_sex").role(child).band(1),
        edit(H, "年级/工作年限:", 20, "home_child_grade").role(child).band(1),
        edit(H, "学校/单位:", 50, "home_child_school").role(child).band(1),
        edit(H, "其它说明:", 50, "home_child_health").role(child).band(1),
        edit(H, "家庭住址:", 50, "home_address").band(2),
        edit(H, "家庭电话:", 20, "home_phone")
            .check(FieldCheck::Phone, QStringLiteral("请在电话中输入数字!"), OnModify)
            .band(2),
        list(H, "父母同住:", 8, "home_live")
            .fixed({QStringLiteral("同住"), QStringLiteral("不同住"), QStringLiteral("未知")})
            .band(2),
    };
}

QList<FieldSpec> societyFields() {
    return {
        edit(S, "香烟品牌:", 20, "society_cigarette"), edit(S, "酒品牌:", 100, "society_drink"),
        edit(S, "酒量:", 100, "society_drinknum"),     edit(S, "饭菜口味:", 20, "society_eat"),
        edit(S, "常去地点:", 150, "society_site"),     edit(S, "驾车:", 100, "society_car"),
        edit(S, "忌      讳:", 200, "society_afraid"), multi(S, "业余爱好:", 1024, "society_hobby"),
    };
}

QList<FieldSpec> extendFields() {
    return {
        list(X, "最高学历:", 30, "extend_degree_code")
            .filled(ListSource::Degrees, kDegreeListSql, 13),
        edit(X, "专业:", 100, "extend_speciality"),
        dateOf(X, "毕业时间:", "extend_gradyear", "extend_gradmonth", "extend_gradday"),
        edit(X, "毕业院校:", 100, "extend_college"),
        edit(X, "体貌特征:", 100, "extend_drive"),
        edit(X, "健康状况:", 150, "extend_health"),
        edit(X, "出国情况:", 100, "extend_abroad"),
        multi(X, "目前最为关心的事情:", 1024, "extend_hope"),
    };
}

} // namespace

const QList<FieldSpec>& contactFields() {
    static const QList<FieldSpec> fields =
        baseFields() + workFields() + homeFields() + societyFields() + extendFields();
    return fields;
}

const QList<PageInfo>& contactPages() {
    static const QList<PageInfo> pages = {
        {B, QStringLiteral("基本信息"), QStringLiteral("&Page1"), 107, QStringLiteral("CBasePage"),
         QStringLiteral("base"), 0},
        {W, QStringLiteral("单位信息"), QStringLiteral("&Page2"), 144, QStringLiteral("CWorkPage"),
         QStringLiteral("base"), 3},
        {H, QStringLiteral("家庭信息"), QStringLiteral("&Page3"), 146, QStringLiteral("CHomePage"),
         QStringLiteral("home"), 3},
        {S, QStringLiteral("社交信息"), QStringLiteral("&Page4"), 147,
         QStringLiteral("CSocietyPage"), QStringLiteral("society"), 0},
        {X, QStringLiteral("扩展信息"), QStringLiteral("&Page5"), 145,
         QStringLiteral("CExtendPage"), QStringLiteral("extend"), 0},
    };
    return pages;
}

const PageInfo& pageInfo(ContactPage page) {
    return contactPages().at(static_cast<int>(page));
}

QList<FieldSpec> fieldsOf(ContactPage page) {
    QList<FieldSpec> out;
    for (const auto& f : contactFields())
        if (f.page == page)
            out.append(f);
    return out;
}

const FieldSpec* fieldByColumn(const QString& column) {
    for (const auto& f : contactFields())
        if (f.column == column || f.dateColumns.contains(column) ||
            (f.hasLunarTick() && f.lunarColumn == column))
            return &f;
    return nullptr;
}

QStringList columnsOf(ContactPage page) {
    QStringList out;
    for (const auto& f : contactFields())
        if (f.page == page)
            out += f.columns();
    return out;
}
