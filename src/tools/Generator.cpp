// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Generator.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Statistics.h"
#include "tools/FakeData.h"
#include "tools/TableInserter.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <vector>

namespace {

const QString kUserOfCode =
    QStringLiteral("select user_name,user_dep_code from userlogin where user_code=%ld");
const QString kReferenceRows = QStringLiteral("select %s_code,%s_name from %s order by %s");
const QString kCityRows = QStringLiteral(
    "select city_name,city_province_code,city_area_code,city_zip from city where city_name<>'' "
    "order by city_code");

// One reference table: the codes of its named rows and of its "not set" row.
struct Reference {
    std::vector<qint64> codes;
    std::vector<QString> names;
    qint64 empty = -1;

    bool usable() const { return !codes.empty() || empty >= 0; }
    qint64 unset() const { return empty >= 0 ? empty : codes.front(); }
    QString nameOf(qint64 code) const {
        for (std::size_t i = 0; i < codes.size(); ++i) {
            if (codes[i] == code)
                return names[i];
        }
        return {};
    }
};

struct City {
    QString name;
    QString shortName;
    QString areaCode;
    QString zip;
};

// The business areas, by the provinces they hold.
struct RegionProvinces {
    const char* region;
    const char* provinces;
};
const RegionProvinces kRegions[] = {
    {"华北", "北京市 天津市 河北省 山西省 内蒙古自治区"},
    {"东北", "辽宁省 吉林省 黑龙江省"},
    {"华东", "上海市 江苏省 浙江省 安徽省 福建省 江西省 山东省"},
    {"华中", "河南省 湖北省 湖南省"},
    {"华南", "广东省 广西壮族自治区 海南省"},
    {"西南", "重庆市 四川省 贵州省 云南省 西藏自治区"},
    {"西北", "陕西省 甘肃省 青海省 宁夏回族自治区 新疆维吾尔自治区"},
    {"港澳台", "香港特别行政区 澳门特别行政区 台湾省"},
};

// The short form that prefixes unit and school names: "潮州" of "潮州市",
// "延边" of "延边朝鲜族自治州", "澳门" of "澳门特别行政区".
QString shortCity(const QString& name) {
    static const char* const peoples[] = {"藏族",     "回族",   "苗族",   "彝族",   "壮族",
                                          "白族",     "傣族",   "侗族",   "羌族",   "朝鲜族",
                                          "布依族",   "土家族", "蒙古族", "哈尼族", "哈萨克",
                                          "柯尔克孜", "景颇族", "傈僳族", "自治州"};
    qsizetype cut = name.size();
    for (const char* people : peoples) {
        const qsizetype at = name.indexOf(QString::fromUtf8(people));
        if (at >= 2 && at < cut)
            cut = at;
    }
    QString result = name.left(cut);
    for (const char* suffix : {"特别行政区", "地区", "市", "盟"}) {
        const QString s = QString::fromUtf8(suffix);
        if (result.endsWith(s) && result.size() - s.size() >= 2)
            return result.left(result.size() - s.size());
    }
    return result;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

struct Company {
    QString name;
    QString domain;
    QString industry;
    qint64 industryCode = -1;
    qint64 provinceCode = -1;
    qint64 regionCode = -1;
    City city;
    QString address, phone, fax, website, bus, legalPerson, capital, turnover, account;
    QString mainBusiness, mainClients, partners, competitors;
};

struct ContactPlan {
    QDate created;
    QDate lastTouched;
    qint64 level = -1;
    qint64 weight = 1; // share of the interactions
};

struct InteractionPlan {
    qint64 contact = 0; // index into the contacts written
    QDate date;
};

// One run: the references read from the database, the generated work units
// and the inserters of the tables written.
class Run {
  public:
    Run(Database& db, const Generator::Options& options, Generator::Report& report)
        : db_(db), options_(options), report_(report), fake_(options.seed) {}

    bool execute();
    QString error() const { return error_; }

  private:
    bool loadReferences();
    bool loadReference(const QString& table, const QString& order, Reference* out);
    void makeCompanies();
    void planContacts();
    void planInteractions();
    bool writeContacts();
    bool writeContact(ContactPlan& plan);
    bool writeDocuments(qint64 code, const FakeData::PersonName& name, const Company& company,
                        const QDate& created);
    bool writeInteractions();

    qint64 pick(const Reference& ref, int emptyPermille = 30) {
        if (ref.codes.empty() || (ref.empty >= 0 && fake_.random().chance(emptyPermille)))
            return ref.unset();
        return fake_.random().pick(ref.codes);
    }
    // A birthday of someone aged between the two bounds; some fall in this month.
    QDate birthday(int youngest, int oldest, int thisMonthPermille);
    std::pair<qint64, City> someCity();

    Database& db_;
    const Generator::Options& options_;
    Generator::Report& report_;
    FakeData fake_;
    QString error_;

    QString userName_;
    qint64 userDepartment_ = -1;
    Reference levels_, relations_, regions_, provinces_, industries_, duties_, degrees_,
        businesses_, docSorts_;
    std::vector<int> levelWeights_;
    QHash<qint64, std::vector<City>> cities_;
    std::vector<qint64> provincesWithCities_;
    qint64 homeProvince_ = -1;
    std::vector<Company> companies_;
    std::vector<ContactPlan> contacts_;
    std::vector<InteractionPlan> interactions_;
    std::vector<qint64> codes_;
    std::vector<QString> contactNames_;
    std::vector<QString> contactCities_;
    // The inserters of the contact sheets while writeContacts() runs.
    TableInserter* base_ = nullptr;
    TableInserter* home_ = nullptr;
    TableInserter* society_ = nullptr;
    TableInserter* extend_ = nullptr;
    TableInserter* doc_ = nullptr;
};

bool Run::loadReference(const QString& table, const QString& order, Reference* out) {
    const bool ok =
        db_.query(sql::Statement(text::format(kReferenceRows, table, table, table, order)),
                  [&](const Row& row) {
                      const qint64 code = row.numberAt(0);
                      const QString name = row.textAt(1);
                      if (name.isEmpty()) {
                          if (out->empty < 0)
                              out->empty = code;
                      } else {
                          out->codes.push_back(code);
                          out->names.push_back(name);
                      }
                      return true;
                  });
    if (!ok || !out->usable()) {
        error_ = ok ? QStringLiteral("参考表 %1 没有数据").arg(table)
                    : QStringLiteral("读取参考表 %1 失败: %2").arg(table, db_.lastError());
        return false;
    }
    return true;
}

bool Run::loadReferences() {
    bool found = false;
    db_.query(sql::format(kUserOfCode, options_.userCode), [&](const Row& row) {
        userName_ = row.textAt(0);
        userDepartment_ = row.numberAt(1);
        return !(found = true);
    });
    if (!found) {
        error_ = QStringLiteral("用户 %1 不存在").arg(options_.userCode);
        return false;
    }
    const bool ok =
        loadReference(QStringLiteral("sort"), QStringLiteral("sort_value desc"), &levels_) &&
        loadReference(QStringLiteral("relationsort"), QStringLiteral("relationsort_code"),
                      &relations_) &&
        loadReference(QStringLiteral("region"), QStringLiteral("region_code"), &regions_) &&
        loadReference(QStringLiteral("province"), QStringLiteral("province_code"), &provinces_) &&
        loadReference(QStringLiteral("industry"), QStringLiteral("industry_code"), &industries_) &&
        loadReference(QStringLiteral("duty"), QStringLiteral("duty_value desc"), &duties_) &&
        loadReference(QStringLiteral("degree"), QStringLiteral("degree_code"), &degrees_) &&
        loadReference(QStringLiteral("business"), QStringLiteral("business_code"), &businesses_) &&
        loadReference(QStringLiteral("docsort"), QStringLiteral("docsort_code"), &docSorts_);
    if (!ok)
        return false;
    // Most contacts sit in the middle levels, few at the top.
    static const int weights[] = {10, 25, 40, 22};
    for (std::size_t i = 0; i < levels_.codes.size(); ++i)
        levelWeights_.push_back(i < std::size(weights) ? weights[i] : 10);
    if (!db_.query(sql::format(kCityRows), [&](const Row& row) {
            const QString name = row.textAt(0);
            cities_[row.numberAt(1)].push_back(
                {name, shortCity(name), row.textAt(2), row.textAt(3)});
            return true;
        })) {
        error_ = QStringLiteral("读取城市表失败: %1").arg(db_.lastError());
        return false;
    }
    for (qint64 code : provinces_.codes) {
        if (cities_.contains(code))
            provincesWithCities_.push_back(code);
    }
    return true;
}

std::pair<qint64, City> Run::someCity() {
    if (provincesWithCities_.empty()) {
        const qint64 province = pick(provinces_, 0);
        const QString name = provinces_.nameOf(province);
        return {province, {name, shortCity(name), QStringLiteral("010"), QStringLiteral("100000")}};
    }
    // A network gathers around its owner's home province.
    const qint64 province = homeProvince_ >= 0 && fake_.random().chance(400)
                                ? homeProvince_
                                : fake_.random().pick(provincesWithCities_);
    return {province, fake_.random().pick(cities_.value(province))};
}

void Run::makeCompanies() {
    if (!provincesWithCities_.empty())
        homeProvince_ = fake_.random().pick(provincesWithCities_);
    const qint64 count = std::max<qint64>(10, options_.contacts / 5);
    QHash<QString, int> taken;
    companies_.reserve(std::size_t(count));
    for (qint64 i = 0; i < count; ++i) {
        Company c;
        std::tie(c.provinceCode, c.city) = someCity();
        // One unit in 25 leaves industry and area unset, so even a small
        // network has contacts under the "not set" rows.
        const bool unset = i % 25 == 12;
        c.industryCode = unset ? industries_.unset() : pick(industries_, 0);
        c.industry = industries_.nameOf(c.industryCode);
        c.name = fake_.companyName(c.city.shortName, c.industry, &c.domain);
        // The same name twice would be one unit with two addresses.
        if (const int n = taken[c.name]++; n > 0)
            c.name += QStringLiteral("第%1分公司").arg(n + 1);
        c.domain += QStringLiteral(".com");
        const QString provinceName = provinces_.nameOf(c.provinceCode);
        c.regionCode = -1;
        for (const auto& r : kRegions) {
            if (QString::fromUtf8(r.provinces).split(u' ').contains(provinceName)) {
                const QString region = QString::fromUtf8(r.region);
                for (std::size_t k = 0; k < regions_.names.size(); ++k) {
                    if (regions_.names[k] == region)
                        c.regionCode = regions_.codes[k];
                }
            }
        }
        if (unset)
            c.regionCode = regions_.unset();
        else if (c.regionCode < 0)
            c.regionCode = pick(regions_, 0);
        c.address = fake_.street(c.city.name);
        c.phone = fake_.landline(c.city.areaCode);
        c.fax = fake_.random().chance(600) ? fake_.landline(c.city.areaCode) : QString();
        c.website = fake_.random().chance(600) ? QStringLiteral("www.") + c.domain : QString();
        c.bus = fake_.random().chance(300) ? fake_.busRoute() : QString();
        c.legalPerson = fake_.personName(fake_.random().chance(750)).full();
        c.capital = fake_.capital();
        c.turnover = fake_.random().chance(500) ? fake_.turnover() : QString();
        c.account = fake_.random().chance(400) ? fake_.bankAccount() : QString();
        c.mainBusiness = fake_.mainBusiness(c.industry);
        companies_.push_back(std::move(c));
    }
    // Clients, partners and competitors are other units of the same network.
    auto others = [&](int permille) {
        QStringList names;
        if (fake_.random().chance(permille)) {
            for (qint64 k = fake_.random().between(1, 3); k > 0; --k)
                names << fake_.random().pick(companies_).name;
        }
        return names.join(QStringLiteral("、"));
    };
    for (auto& c : companies_) {
        c.mainClients = others(400);
        c.partners = others(300);
        c.competitors = others(200);
    }
}

void Run::planContacts() {
    const QDate today = options_.today;
    contacts_.resize(std::size_t(options_.contacts));
    for (auto& plan : contacts_) {
        plan.created = fake_.dateBetween(today.addYears(-5), today);
        plan.lastTouched = plan.created;
        if (levels_.codes.empty() || (levels_.empty >= 0 && fake_.random().chance(30))) {
            plan.level = levels_.unset();
        } else {
            int total = 0;
            for (int w : levelWeights_)
                total += w;
            qint64 r = fake_.random().below(total);
            std::size_t i = 0;
            while (r >= levelWeights_[i]) {
                r -= levelWeights_[i];
                ++i;
            }
            plan.level = levels_.codes[i];
        }
        // Higher levels are looked after more often; some contacts never.
        const auto rank = std::find(levels_.codes.begin(), levels_.codes.end(), plan.level) -
                          levels_.codes.begin();
        plan.weight = fake_.random().chance(100) ? 0 : std::max<qint64>(1, 8 >> rank);
    }
}

void Run::planInteractions() {
    if (contacts_.empty())
        return;
    std::vector<qint64> cumulative;
    cumulative.reserve(contacts_.size());
    qint64 total = 0;
    for (const auto& c : contacts_)
        cumulative.push_back(total += c.weight);
    const QDate earliest = options_.today.addYears(-3);
    interactions_.resize(std::size_t(options_.interactions));
    for (auto& plan : interactions_) {
        if (total > 0) {
            const qint64 r = fake_.random().below(total);
            plan.contact =
                std::upper_bound(cumulative.begin(), cumulative.end(), r) - cumulative.begin();
        } else {
            plan.contact = fake_.random().below(qint64(contacts_.size()));
        }
        ContactPlan& contact = contacts_[std::size_t(plan.contact)];
        plan.date = fake_.dateBetween(std::max(earliest, contact.created), options_.today);
        contact.lastTouched = std::max(contact.lastTouched, plan.date);
    }
    // Entered in the order they happened, as a user keeps them.
    std::stable_sort(
        interactions_.begin(), interactions_.end(),
        [](const InteractionPlan& a, const InteractionPlan& b) { return a.date < b.date; });
}

QDate Run::birthday(int youngest, int oldest, int thisMonthPermille) {
    const int year = options_.today.year() - int(fake_.random().between(youngest, oldest));
    if (fake_.random().chance(thisMonthPermille)) {
        const QDate first(year, options_.today.month(), 1);
        return first.addDays(fake_.random().below(first.daysInMonth()));
    }
    return fake_.dateBetween(QDate(year, 1, 1), QDate(year, 12, 31));
}

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

bool Run::writeInteractions() {
    SeededRandom& random = fake_.random();
    TableInserter c(db_.connection(), QStringLiteral("comm"));
    const QDate& today = options_.today;
    for (const auto& plan : interactions_) {
        const std::size_t who = std::size_t(plan.contact);
        const qint64 business = pick(businesses_, 0);
        const QString type = businesses_.nameOf(business);
        c.number("comm_base_code", codes_[who]);
        c.text("comm_year", QString::number(plan.date.year()));
        c.text("comm_month", twoDigits(plan.date.month()));
        c.text("comm_day", twoDigits(plan.date.day()));
        c.text("comm_clock", twoDigits(int(random.between(8, 21))));
        c.text("comm_minute", twoDigits(int(random.below(12)) * 5));
        c.text("comm_date", plan.date.toString(Qt::ISODate));
        c.number("comm_business_code", business);
        c.text("comm_content", fake_.interactionContent(type));
        c.text("comm_spent", QString::number(random.between(1, 24) * 10));
        QString cost;
        if (random.chance(450)) {
            cost = QString::number(random.between(50, 5000));
            if (random.chance(100))
                cost += QStringLiteral(".5");
        }
        c.text("comm_cost", cost);
        c.text("comm_tran",
               random.chance(100) ? QString::number(random.between(1, 500) * 1000) : QString());
        c.text("comm_gift", fake_.gift(type));
        c.text("comm_reason", fake_.purpose());
        c.text("comm_place", fake_.place(type, contactCities_[who]));
        const qint64 others = random.between(0, 3);
        c.text("comm_client", others > 0
                                  ? contactNames_[who] + QStringLiteral("等%1人").arg(others + 1)
                                  : contactNames_[who]);
        c.text("comm_myjoin", random.chance(700) ? QStringLiteral("本人")
                                                 : QStringLiteral("本人、") +
                                                       fake_.personName(random.chance(600)).full());
        // About one in ten plans the next contact: most plans lie in the past by
        // now, the recent ones still ahead, and one plan in fifty (the first
        // among them) is for today, so even a small database has some.
        const bool planned = random.chance(100);
        QDate next;
        if (planned) {
            next = report_.planned % 50 == 0 ? today : plan.date.addDays(random.between(1, 60));
            ++report_.planned;
            if (next == today)
                ++report_.plannedToday;
            else if (next < today)
                ++report_.plannedPast;
        }
        c.text("comm_next_year", planned ? QString::number(next.year()) : QString());
        c.text("comm_next_month", planned ? twoDigits(next.month()) : QString());
        c.text("comm_next_day", planned ? twoDigits(next.day()) : QString());
        c.text("comm_next_clock", planned ? twoDigits(int(random.between(8, 21))) : QString());
        c.text("comm_next_minute", planned ? twoDigits(int(random.below(12)) * 5) : QString());
        c.number("comm_next_business_code", planned ? pick(businesses_, 0) : businesses_.unset());
        c.text("comm_next_content", planned ? fake_.nextPlan() : QString());
        if (!c.write(&error_))
            return false;
    }
    report_.interactions = c.rows();
    return true;
}

bool Run::execute() {
    if (!loadReferences())
        return false;
    makeCompanies();
    planContacts();
    planInteractions();
    // One big transaction touches every index of base and comm; a cache that
    // holds them all keeps the engine from spilling pages to the journal and
    // reading them back.
    QSqlQuery(db_.connection()).exec(QStringLiteral("PRAGMA cache_size=-262144"));
    if (!db_.begin()) {
        error_ = db_.lastError();
        return false;
    }
    if (!writeContacts() || !writeInteractions()) {
        db_.rollback();
        report_ = {};
        return false;
    }
    if (!db_.commit()) {
        error_ = db_.lastError();
        report_ = {};
        return false;
    }
    // The planner learns the new size of the network at once, not after
    // connections have closed on it.
    if (!statistics::refresh(db_, &error_))
        return false;
    return true;
}

} // namespace

bool Generator::run(const Options& options, Report* report) {
    error_.clear();
    Report local;
    Report& out = report ? *report : local;
    out = {};
    if (!db_.isOpen()) {
        error_ = QStringLiteral("数据库未打开");
        return false;
    }
    if (options.contacts < 0 || options.interactions < 0) {
        error_ = QStringLiteral("数量不能为负数");
        return false;
    }
    if (options.interactions > 0 && options.contacts == 0) {
        error_ = QStringLiteral("没有联系人就不能生成往来记录");
        return false;
    }
    Options effective = options;
    if (!effective.today.isValid())
        effective.today = QDate::currentDate();
    QElapsedTimer timer;
    timer.start();
    Run run(db_, effective, out);
    const bool ok = run.execute();
    if (!ok)
        error_ = run.error();
    out.milliseconds = timer.elapsed();
    return ok;
}
