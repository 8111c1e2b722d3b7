// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Generator.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Statistics.h"
#include "tools/GeneratorRun.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace {

const QString kUserOfCode =
    QStringLiteral("select user_name,user_dep_code from userlogin where user_code=%ld");
const QString kReferenceRows = QStringLiteral("select %s_code,%s_name from %s order by %s");
const QString kCityRows = QStringLiteral(
    "select city_name,city_province_code,city_area_code,city_zip from city where city_name<>'' "
    "order by city_code");

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

} // namespace

namespace generation {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

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

} // namespace generation

using generation::Run;

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
