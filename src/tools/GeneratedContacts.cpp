// SPDX-License-Identifier: GPL-3.0-or-later
// The five sheets and the documents of each generated contact.
#include "db/Database.h"
#include "tools/GeneratorRun.h"

#include <QSqlQuery>
#include <algorithm>

namespace generation {

bool Run::writeContacts() {
    QSqlDatabase connection = db_.connection();
    codes_.reserve(contacts_.size());
    contactNames_.reserve(contacts_.size());
    contactCities_.reserve(contacts_.size());
    TableInserter base(connection, QStringLiteral("base"));
    TableInserter home(connection, QStringLiteral("home"));
    TableInserter society(connection, QStringLiteral("society"));
    TableInserter extend(connection, QStringLiteral("extend"));
    TableInserter doc(connection, QStringLiteral("doc"));
    base_ = &base;
    home_ = &home;
    society_ = &society;
    extend_ = &extend;
    doc_ = &doc;
    for (auto& plan : contacts_) {
        if (!writeContact(plan))
            return false;
    }
    report_.contacts = base.rows();
    report_.documents = doc.rows();
    return true;
}

bool Run::writeContact(ContactPlan& plan) {
    SeededRandom& random = fake_.random();
    const Company& company = random.pick(companies_);
    const QString sex = fake_.sex();
    const bool male = sex == u"男" || (sex != u"女" && random.chance(500));
    const FakeData::PersonName name = fake_.personName(male);
    const QString married = fake_.married();

    // Birth date: some leave it empty, some know the day but not the year.
    QString year, month, day;
    int birthYear = 0;
    if (const qint64 r = random.below(100); r >= 8) {
        const QDate born = birthday(23, 65, 20);
        month = twoDigits(born.month());
        day = twoDigits(born.day());
        if (r >= 12) {
            birthYear = born.year();
            year = QString::number(birthYear);
        }
    }
    // Most live where their unit is.
    qint64 province = company.provinceCode;
    City city = company.city;
    if (random.chance(250))
        std::tie(province, city) = someCity();
    if (provinces_.empty >= 0 && random.chance(30))
        province = provinces_.empty;
    const bool live = !random.chance(30);
    if (!live)
        ++report_.trashed;

    TableInserter& b = *base_;
    b.text("base_name", name.full());
    b.text("base_sex", sex);
    b.text("base_year", year);
    b.text("base_month", month);
    b.text("base_day", day);
    b.text("base_married", married);
    b.text("base_id", random.chance(300) ? fake_.bankAccount() : QString());
    b.text("base_mobil", random.chance(950) ? fake_.mobile() : QString());
    b.text("base_phone", random.chance(450) ? fake_.landline(city.areaCode) : QString());
    b.text("base_email", random.chance(700) ? fake_.email(name.pinyin, company.domain) : QString());
    b.text("base_contact", random.chance(300) ? fake_.instantMessenger() : QString());
    b.number("base_province_code", province);
    b.text("base_city", city.name);
    b.text("base_country", random.chance(500) ? fake_.district() : QString());
    b.text("base_nation", random.chance(700) ? QStringLiteral("中国") : QString());
    b.text("base_experience", fake_.remark());
    b.number("base_sort_code", plan.level);
    b.number("base_type_code", pick(relations_));
    b.number("base_user_code", options_.userCode);
    b.number("base_user_dep_code", userDepartment_);
    b.number("base_invalid_flag", live ? 1 : 0);
    b.text("base_create_date", plan.created.toString(QStringLiteral("yyyy-MM-dd")));
    b.text("base_lastmodi_date", plan.lastTouched.toString(QStringLiteral("yyyy-MM-dd")));
    b.number("base_visit_num", 0);
    b.text("work_name", company.name);
    b.text("work_address", company.address);
    b.text("work_branch_name", fake_.branch());
    b.number("work_duty_code", pick(duties_));
    b.text("work_salary", fake_.salary());
    b.text("work_phone", random.chance(300) ? company.phone + QStringLiteral("-") +
                                                  QString::number(random.between(8001, 8999))
                                            : company.phone);
    b.text("work_fax", company.fax);
    b.number("work_industry_code", company.industryCode);
    b.text("work_website", company.website);
    b.number("work_region_code", company.regionCode);
    b.number("work_province_code", company.provinceCode);
    b.text("work_city", company.city.name);
    b.text("work_zip", company.city.zip);
    b.text("work_areacode", company.city.areaCode);
    b.text("work_bus", company.bus);
    b.text("work_artificial", company.legalPerson);
    b.text("work_regbank", company.capital);
    b.text("work_turnover", company.turnover);
    b.text("work_bankaccount", company.account);
    b.text("work_mainbusiness", company.mainBusiness);
    b.text("work_mainclient", company.mainClients);
    b.text("work_fellowship", company.partners);
    b.text("work_compete", company.competitors);
    b.text("work_charge", random.chance(600) ? fake_.charge() : QString());
    const bool leader = random.chance(400);
    const bool leaderMale = random.chance(800);
    b.text("work_leader_name", leader ? fake_.personName(leaderMale).full() : QString());
    b.text("work_leader_sex", leader ? QString::fromUtf8(leaderMale ? "男" : "女") : QString());
    b.text("work_leader_mobil", leader ? fake_.mobile() : QString());
    b.text("work_leader_phone", leader && random.chance(500) ? company.phone : QString());
    b.number("work_leader_duty_code", leader ? pick(duties_, 0) : duties_.unset());
    const bool superior = random.chance(500);
    const bool superiorMale = random.chance(700);
    b.text("work_superior_name", superior ? fake_.personName(superiorMale).full() : QString());
    b.text("work_superior_sex",
           superior ? QString::fromUtf8(superiorMale ? "男" : "女") : QString());
    b.text("work_superior_mobil", superior ? fake_.mobile() : QString());
    b.text("work_superior_phone", superior && random.chance(500) ? company.phone : QString());
    b.number("work_superior_duty_code", superior ? pick(duties_, 0) : duties_.unset());
    if (!b.write(&error_))
        return false;
    const qint64 code = base_->lastKey();
    codes_.push_back(code);
    contactNames_.push_back(name.full());
    contactCities_.push_back(company.city.shortName);

    // Family sheet: a spouse when married, a child in most families.
    const bool spouse = married == u"已婚" || married == u"再婚";
    const bool child = married != u"未婚" && married != u"未知" && random.chance(650);
    TableInserter& h = *home_;
    h.number("home_base_code", code);
    QString spouseYear, spouseMonth, spouseDay;
    if (spouse && random.chance(700)) {
        const int age = birthYear > 0 ? options_.today.year() - birthYear : 45;
        const QDate born = birthday(std::max(20, age - 4), age + 6, 50);
        spouseYear = QString::number(born.year());
        spouseMonth = twoDigits(born.month());
        spouseDay = twoDigits(born.day());
    }
    const QString surname = name.surname;
    h.text("home_name", spouse ? fake_.personName(!male).full() : QString());
    h.text("home_year", spouseYear);
    h.text("home_month", spouseMonth);
    h.text("home_day", spouseDay);
    h.text("home_health", spouse ? fake_.health() : QString());
    QString spouseDomain;
    h.text("home_work_name",
           spouse && random.chance(700)
               ? fake_.companyName(city.shortName, industries_.nameOf(pick(industries_, 0)),
                                   &spouseDomain)
               : QString());
    h.text("home_branch_name", spouse && random.chance(400) ? fake_.branch() : QString());
    h.number("home_duty_code", spouse ? pick(duties_, 200) : duties_.unset());
    h.text("home_mobil", spouse && random.chance(700) ? fake_.mobile() : QString());
    h.text("home_email", spouse && random.chance(200) ? fake_.email(name.pinyin, {}) : QString());
    h.text("home_contact", QString());
    h.number("home_province_code", spouse ? province : provinces_.unset());
    h.text("home_city", spouse ? city.name : QString());
    h.text("home_country", QString());
    h.text("home_nation", spouse ? QStringLiteral("中国") : QString());
    h.text("home_workphone",
           spouse && random.chance(300) ? fake_.landline(city.areaCode) : QString());
    const bool son = random.chance(520);
    int childAge = 0;
    QString childYear, childMonth, childDay;
    if (child) {
        const int parentAge = birthYear > 0 ? options_.today.year() - birthYear : 40;
        const QDate born = birthday(1, std::max(1, std::min(30, parentAge - 22)), 60);
        childAge = options_.today.year() - born.year();
        childYear = QString::number(born.year());
        childMonth = twoDigits(born.month());
        childDay = twoDigits(born.day());
    }
    h.text("home_child_name", child ? surname + fake_.givenName(son) : QString());
    h.text("home_child_sex", child ? QString::fromUtf8(son ? "男" : "女") : QString());
    h.text("home_child_year", childYear);
    h.text("home_child_month", childMonth);
    h.text("home_child_day", childDay);
    h.text("home_child_grade", child ? fake_.childGrade(childAge) : QString());
    h.text("home_child_school", child ? fake_.childSchool(childAge, city.shortName) : QString());
    h.text("home_child_health", QString());
    h.text("home_address", random.chance(600) ? fake_.street(city.name) : QString());
    h.text("home_phone", random.chance(300) ? fake_.landline(city.areaCode) : QString());
    h.text("home_live", random.chance(500) ? fake_.livesWithParents() : QString());
    QString marryYear, marryMonth, marryDay;
    if (spouse && random.chance(400)) {
        const QDate wedding = birthday(1, 35, 20);
        marryYear = QString::number(wedding.year());
        marryMonth = twoDigits(wedding.month());
        marryDay = twoDigits(wedding.day());
    }
    h.text("home_marryyear", marryYear);
    h.text("home_marrymonth", marryMonth);
    h.text("home_marryday", marryDay);
    h.text("home_hobby", random.chance(400) ? fake_.hobby() : QString());
    if (!h.write(&error_))
        return false;

    TableInserter& s = *society_;
    const bool social = random.chance(600);
    s.number("society_base_code", code);
    s.text("society_cigarette", social ? fake_.cigarette() : QString());
    s.text("society_drink", social ? fake_.drink() : QString());
    s.text("society_drinknum", social ? fake_.drinkAmount() : QString());
    s.text("society_eat", social ? fake_.taste() : QString());
    s.text("society_site", social && random.chance(500) ? fake_.haunt() : QString());
    s.text("society_hobby", social ? fake_.hobby() : QString());
    s.text("society_afraid", fake_.taboo());
    s.text("society_car", social && random.chance(500) ? fake_.car() : QString());
    if (!s.write(&error_))
        return false;

    TableInserter& e = *extend_;
    const bool studied = random.chance(700);
    QString gradYear, gradMonth, gradDay;
    if (studied && random.chance(600)) {
        const int y = birthYear > 0 ? birthYear + int(random.between(21, 25))
                                    : options_.today.year() - int(random.between(2, 40));
        gradYear = QString::number(std::min(y, options_.today.year() - 1));
        gradMonth = QStringLiteral("07");
        gradDay = twoDigits(int(random.between(1, 10)));
    }
    e.number("extend_base_code", code);
    e.number("extend_degree_code", studied ? pick(degrees_, 0) : degrees_.unset());
    e.text("extend_speciality", studied ? fake_.speciality() : QString());
    e.text("extend_gradyear", gradYear);
    e.text("extend_gradmonth", gradMonth);
    e.text("extend_gradday", gradDay);
    e.text("extend_college",
           studied ? fake_.college(
                         fake_.random().pick(cities_.value(company.provinceCode, {city})).shortName)
                   : QString());
    e.text("extend_drive", random.chance(300) ? fake_.looks() : QString());
    e.text("extend_health", random.chance(400) ? fake_.health() : QString());
    e.text("extend_hope", random.chance(300) ? fake_.concern() : QString());
    e.text("extend_abroad", fake_.abroad());
    if (!e.write(&error_))
        return false;

    return writeDocuments(code, name, company, plan.created);
}

bool Run::writeDocuments(qint64 code, const FakeData::PersonName& name, const Company& company,
                         const QDate& created) {
    SeededRandom& random = fake_.random();
    if (!random.chance(35))
        return true;
    for (qint64 n = random.between(1, 2); n > 0; --n) {
        const qint64 sort = pick(docSorts_);
        const QString category = docSorts_.nameOf(sort);
        const QDate date = fake_.dateBetween(created, options_.today);
        const QString title = fake_.documentTitle(category, name.full(), company.name, date.year());
        const QString file = title + u'.' + fake_.documentExtension(category);
        TableInserter& d = *doc_;
        d.number("doc_base_code", code);
        d.number("doc_docsort_code", sort);
        d.text("doc_date", date.toString(QStringLiteral("yyyy-MM-dd")));
        d.text("doc_hour", twoDigits(int(random.between(8, 20))));
        d.text("doc_minute", twoDigits(int(random.below(12)) * 5));
        d.text("doc_title", title);
        d.text("doc_keyword", fake_.keywords(category));
        d.text("doc_descript", name.full() + QStringLiteral("，") + company.name);
        d.text("doc_filename", QStringLiteral("/home/%1/文档/人脉资料/").arg(userName_) + file);
        d.text("doc_file", file);
        if (!d.write(&error_))
            return false;
    }
    return true;
}

} // namespace generation
