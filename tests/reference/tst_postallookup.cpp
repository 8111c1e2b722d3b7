// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "reference/PostalLookup.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QCollator>
#include <QSet>
#include <QTest>

namespace {

struct City {
    QString code;
    QString name;
    QString province;
    QString areaCode;
    QString postcode;
};

// The delivered cities, read with a plain statement of our own.
QList<City> deliveredCities(Database& db) {
    QList<City> cities;
    db.query(sql::Statement("select c.city_code,c.city_name,p.province_name,c.city_area_code,"
                            "c.city_zip from city c, province p "
                            "where c.city_province_code=p.province_code and c.city_name<>''"),
             [&cities](const Row& row) {
                 cities.append({QString::number(row.numberAt(0)), row.textAt(1), row.textAt(2),
                                row.textAt(3), row.textAt(4)});
                 return true;
             });
    return cities;
}

// A piece from the middle of a text: at least two characters when it has them.
QString middle(const QString& text) {
    if (text.size() <= 2)
        return text;
    const qsizetype length = std::max<qsizetype>(2, text.size() / 2);
    return text.mid((text.size() - length) / 2, length);
}

QStringList codes(const QList<QStringList>& rows) {
    QStringList out;
    for (const QStringList& row : rows)
        out << row.first();
    return out;
}

} // namespace

class TestPostalLookup : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void allEmptyListsEveryCityByProvince();
    void everyCityIsFoundByAFragmentOfEachField();
    void postcodeFragmentMatchesAnywhere();
    void fieldsNarrowTogether();
    void cityWithoutProvinceIsNotListed();
    void typedQuotesAndPercentSignsAreText();

  private:
    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
};

void TestPostalLookup::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestPostalLookup::cleanup() {
    db_.reset();
    home_.reset();
}

void TestPostalLookup::allEmptyListsEveryCityByProvince() {
    const QList<City> cities = deliveredCities(*db_);
    QVERIFY(cities.size() > 300);
    QList<QStringList> rows;
    QVERIFY(PostalLookup(*db_).search({}, rows));
    QCOMPARE(rows.size(), cities.size());
    QCOMPARE(PostalLookup::title(int(rows.size())),
             QStringLiteral("区号邮编查询--目前共有记录数： %1").arg(rows.size()));

    QHash<QString, City> byCode;
    for (const City& city : cities)
        byCode.insert(city.code, city);
    QCollator pinyin(QLocale(QLocale::Chinese, QLocale::China));
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList& row = rows.at(i);
        QVERIFY2(byCode.contains(row.at(0)), qPrintable(row.join(u' ')));
        const City& city = byCode.value(row.at(0));
        QCOMPARE(row,
                 (QStringList{city.code, city.name, city.province, city.areaCode, city.postcode}));
        if (i > 0)
            QVERIFY(pinyin.compare(rows.at(i - 1).at(2), row.at(2)) <= 0);
    }
}

void TestPostalLookup::everyCityIsFoundByAFragmentOfEachField() {
    PostalLookup lookup(*db_);
    QList<QStringList> rows;
    for (const City& city : deliveredCities(*db_)) {
        const QList<PostalLookup::Fragments> searches{
            {middle(city.province), {}, {}, {}},    {{}, middle(city.name), {}, {}},
            {{}, {}, middle(city.areaCode), {}},    {{}, {}, {}, middle(city.postcode)},
            {{}, {}, city.areaCode, city.postcode},
        };
        for (const PostalLookup::Fragments& fragments : searches) {
            QVERIFY(lookup.search(fragments, rows));
            QVERIFY2(codes(rows).contains(city.code),
                     qPrintable(city.name + u' ' + city.areaCode + u' ' + city.postcode));
        }
    }
    QVERIFY(prompter_->messages.isEmpty());
}

void TestPostalLookup::postcodeFragmentMatchesAnywhere() {
    QSet<QString> expected;
    for (const City& city : deliveredCities(*db_)) {
        if (city.postcode.contains(QStringLiteral("100")))
            expected.insert(city.code);
    }
    QVERIFY(expected.size() > 1);
    QList<QStringList> rows;
    QVERIFY(PostalLookup(*db_).search({{}, {}, {}, "100"}, rows));
    const QStringList found = codes(rows);
    QCOMPARE(QSet<QString>(found.begin(), found.end()), expected);
}

void TestPostalLookup::fieldsNarrowTogether() {
    QSet<QString> expected;
    for (const City& city : deliveredCities(*db_)) {
        if (city.province.contains(QStringLiteral("江苏")) && city.postcode.contains(u'2'))
            expected.insert(city.code);
    }
    QVERIFY(!expected.isEmpty());
    QList<QStringList> rows;
    QVERIFY(PostalLookup(*db_).search({"江苏", {}, {}, "2"}, rows));
    const QStringList found = codes(rows);
    QCOMPARE(QSet<QString>(found.begin(), found.end()), expected);
    QVERIFY(PostalLookup(*db_).search({"江苏", "不存在的城市", {}, {}}, rows));
    QVERIFY(rows.isEmpty());
}

void TestPostalLookup::cityWithoutProvinceIsNotListed() {
    QVERIFY(db_->execute(
        sql::Statement("insert into city(city_name,city_province_code,"
                       "city_area_code,city_zip) values('无省城',99999,'0999','999999')")));
    QList<QStringList> rows;
    QVERIFY(PostalLookup(*db_).search({{}, "无省城", {}, {}}, rows));
    QVERIFY(rows.isEmpty());
}

void TestPostalLookup::typedQuotesAndPercentSignsAreText() {
    QVERIFY(db_->execute(sql::Statement(
        "insert into city(city_name,city_province_code,city_area_code,city_zip) "
        "values('O''Hare',(select province_code from province where province_name='北京市'),"
        "'01%','1')")));
    QList<QStringList> rows;
    QVERIFY(PostalLookup(*db_).search({{}, "O'H", {}, {}}, rows));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().at(1), QStringLiteral("O'Hare"));
    // "1%" is the two characters, found only where the area code holds them.
    QVERIFY(PostalLookup(*db_).search({{}, {}, "1%", {}}, rows));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().at(1), QStringLiteral("O'Hare"));
    QVERIFY(PostalLookup(*db_).search({"'; delete from city; --", {}, {}, {}}, rows));
    QVERIFY(rows.isEmpty());
    QVERIFY(PostalLookup(*db_).search({}, rows));
    QVERIFY(rows.size() > 300);
    QVERIFY(prompter_->messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestPostalLookup)
#include "tst_postallookup.moc"
