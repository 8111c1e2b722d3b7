// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ImportTargets.h"

#include "contacts/ContactFields.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace exchange::targets {

namespace {

// The family page's first band is the spouse's, though most captions do not say so.
const QSet<QString> kSpouseColumns = {"home_health",    "home_work_name",     "home_branch_name",
                                      "home_duty_code", "home_mobil",         "home_email",
                                      "home_contact",   "home_province_code", "home_city",
                                      "home_country",   "home_nation",        "home_workphone"};

QString roleWord(const FieldSpec& field) {
    if (field.role == u"leader")
        return QStringLiteral("单位领导");
    if (field.role == u"superior")
        return QStringLiteral("直接上级");
    if (field.role == u"spouse" || kSpouseColumns.contains(field.column))
        return QStringLiteral("配偶");
    if (field.role == u"child")
        return QStringLiteral("小孩");
    return {};
}

QString bareCaption(const QString& caption) {
    QString out = caption;
    out.remove(u' ').remove(u':').remove(u'：');
    return out;
}

QString fieldLabel(const FieldSpec& field) {
    QString label = bareCaption(field.caption) + bareCaption(field.extraCaption);
    const QString role = roleWord(field);
    // "单位领导:" is the leader's name; "配偶姓名:" already says whose it is.
    if (!role.isEmpty() && !label.startsWith(role))
        label = role + label;
    return label;
}

QList<ImportTarget> build() {
    QList<ImportTarget> out;
    QSet<QString> used;
    // A caption that another page used first is told apart by its page: "单位城市".
    auto unique = [&](const FieldSpec& f, QString label) {
        static const QString pageWords[] = {QString(), QStringLiteral("单位"),
                                            QStringLiteral("家庭"), QStringLiteral("社交"),
                                            QStringLiteral("扩展")};
        if (used.contains(label))
            label = pageWords[static_cast<int>(f.page)] + label;
        used.insert(label);
        return label;
    };
    for (const FieldSpec& f : contactFields()) {
        const QString label = unique(f, fieldLabel(f));
        if (!f.isDate()) {
            out.append({f.column, label, {f.column}, false, true});
            continue;
        }
        out.append({QStringLiteral("date:") + f.column, label, f.dateColumns, true, true});
        // A lunar birthday's month and day read as a Gregorian date without
        // their flag ("1" lunar, "2" a leap month): it has a column of its own.
        if (f.hasLunarTick())
            out.append(
                {f.lunarColumn, label + QStringLiteral("(农历)"), {f.lunarColumn}, false, true});
        const QStringList parts = {QStringLiteral("年"), QStringLiteral("月"),
                                   QStringLiteral("日")};
        for (int i = 0; i < 3; ++i)
            out.append({f.dateColumns[i],
                        QStringLiteral("%1(%2)").arg(label, parts[i]),
                        {f.dateColumns[i]},
                        false,
                        false});
    }
    out.append({kFamilyName, QStringLiteral("姓(姓氏)"), {}, false, false});
    out.append({kGivenName, QStringLiteral("名(名字)"), {}, false, false});
    out.append({kMiddleName, QStringLiteral("中间名"), {}, false, false});
    out.append({kTypedPhone, QStringLiteral("电话(类型见旁列)"), {}, false, false});
    out.append({kTypedEmail, QStringLiteral("邮件(类型见旁列)"), {}, false, false});
    out.append({kTypedAddress, QStringLiteral("地址的一部分(类型见旁列)"), {}, false, false});
    out.append({kTypedWebsite, QStringLiteral("网址(类型见旁列)"), {}, false, false});
    return out;
}

// Headings of other programs, in normalHeading() form, and what they stand for.
const QHash<QString, QString>& synonyms() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        auto add = [&t](const QString& target, std::initializer_list<const char*> headings) {
            for (const char* h : headings)
                t.insert(normalHeading(QString::fromUtf8(h)), target);
        };
        add("base_name", {"姓名", "名字", "联系人", "联系人姓名", "显示名称", "全名", "Name",
                          "Full Name", "Display Name", "Contact Name", "FN"});
        add(kFamilyName, {"姓", "姓氏", "Last Name", "Family Name", "Surname"});
        add(kGivenName, {"名", "First Name", "Given Name"});
        add(kMiddleName, {"Middle Name", "Additional Name"});
        add("base_sex", {"性别", "Gender", "Sex"});
        add("date:base_year",
            {"生日", "出生日期", "出生年月日", "Birthday", "Date of Birth", "BDAY"});
        add("base_year", {"出生年份", "Birth Year"});
        add("base_month", {"出生月份", "Birth Month"});
        add("base_day", {"出生日"});
        add("base_mobil", {"手机", "手机号", "手机号码", "移动电话", "Mobile", "Mobile Phone",
                           "Mobile Number", "Cell", "Cell Phone", "Cellular Phone"});
        add("base_phone",
            {"电话", "电话号码", "固定电话", "Phone", "Telephone", "Primary Phone", "Other Phone"});
        add("base_email", {"邮件", "邮箱", "电子邮件", "电子邮箱", "Email", "E-mail",
                           "E-mail Address", "Email Address", "Primary Email"});
        add("base_contact", {"其他联系", "其他联系方式", "其它联系方式", "QQ", "微信", "WeChat",
                             "Secondary Email", "E-mail 2 Address", "Pager", "Pager Number"});
        add("base_id", {"银行账号", "银行卡号"});
        add("base_nation", {"原籍", "国籍", "籍贯", "Nationality"});
        add("base_province_code", {"省份", "省", "Home State", "State"});
        add("base_city", {"城市", "City", "Home City"});
        add("base_country", {"区县", "区县乡镇", "区"});
        add("base_experience", {"备注", "说明", "Notes", "Note", "Comments"});
        add("base_sort_code", {"级别", "Level"});
        add("base_type_code", {"关系类别", "类别", "分组", "Category", "Categories", "Group"});
        add("work_name", {"单位", "公司", "公司名称", "工作单位", "Company", "Organization",
                          "Organisation", "Organization Name", "Organization 1 - Name"});
        add("work_branch_name", {"部门", "Department", "Organization 1 - Department"});
        add("work_duty_code", {"职务", "职位", "Title", "Job Title", "Position",
                               "Organization Title", "Organization 1 - Title"});
        add("work_phone",
            {"办公电话", "工作电话", "公司电话", "Business Phone", "Work Phone", "Office Phone"});
        add("work_fax", {"传真", "Fax", "Business Fax", "Fax Number", "Work Fax"});
        add("work_address",
            {"公司地址", "工作地址", "Business Street", "Work Address", "Business Address"});
        add("work_city", {"Business City", "Work City"});
        add("work_province_code", {"Business State", "Work State"});
        add("work_zip", {"邮编", "Business Postal Code", "Work ZipCode", "Work Zip Code",
                         "Postal Code", "Zip", "Zip Code"});
        add("work_website", {"网址", "主页", "网站", "Web Page", "Web Page 1", "Website",
                             "Web Site", "URL", "Homepage"});
        add("work_charge", {"Role"});
        add("home_phone", {"住宅电话", "家里电话", "Home Phone"});
        add("home_address", {"家庭地址", "住址", "地址", "Address", "Home Address", "Home Street"});
        add("home_name", {"配偶", "Spouse"});
        add("date:home_marryyear", {"结婚纪念日", "纪念日", "Anniversary"});
        add("extend_degree_code", {"学历", "Education"});
        return t;
    }();
    return table;
}

} // namespace

const QList<ImportTarget>& all() {
    static const QList<ImportTarget> list = build();
    return list;
}

const ImportTarget* find(const QString& id) {
    for (const ImportTarget& t : all())
        if (t.id == id)
            return &t;
    return nullptr;
}

QList<const ImportTarget*> exported() {
    QList<const ImportTarget*> out;
    for (const ImportTarget& t : all())
        if (t.exported)
            out << &t;
    return out;
}

QString labelOf(const QString& column) {
    static const QHash<QString, QString> labels = [] {
        QHash<QString, QString> h;
        for (const ImportTarget& t : all())
            if (t.exported)
                for (const QString& c : t.columns)
                    h.insert(c, t.label);
        return h;
    }();
    return labels.value(column, column);
}

QString normalHeading(const QString& heading) {
    static const QRegularExpression noise(
        QStringLiteral("[\\s_:：()（）\\[\\]【】/\\\\.,，。\"'-]"));
    QString h = heading.toLower();
    h.remove(QChar(0xFEFF));
    h.remove(noise);
    return h;
}

QString recognise(const QString& heading) {
    const QString h = normalHeading(heading);
    if (h.isEmpty())
        return {};
    for (const ImportTarget& t : all())
        if (normalHeading(t.label) == h)
            return t.id;
    // "Birth Day" (a day of the month) and "Birthday" (a whole date) differ only by a blank.
    if (heading.simplified().compare(QLatin1String("birth day"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("base_day");
    static const QRegularExpression typedPhone(QStringLiteral("^(phone|电话)\\d+value$"));
    static const QRegularExpression typedEmail(QStringLiteral("^(email|邮件)\\d+value$"));
    static const QRegularExpression typedAddress(QStringLiteral(
        "^address\\d+(formatted|street|city|pobox|region|postalcode|country|extendedaddress)$"));
    static const QRegularExpression typedWebsite(QStringLiteral("^website\\d+value$"));
    if (typedAddress.match(h).hasMatch())
        return kTypedAddress;
    if (typedWebsite.match(h).hasMatch())
        return kTypedWebsite;
    if (typedPhone.match(h).hasMatch())
        return kTypedPhone;
    if (typedEmail.match(h).hasMatch())
        return kTypedEmail;
    return synonyms().value(h);
}

} // namespace exchange::targets
