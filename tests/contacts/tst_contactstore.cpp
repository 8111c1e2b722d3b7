// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppInfo.h"
#include "contacts/ContactLists.h"
#include "contacts/ContactSearch.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "featureapi/Session.h"
#include "support/ContactFieldOracle.h"
#include "support/FixedClock.h"
#include "support/SampleContacts.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>

namespace {

const QString kTables[] = {QStringLiteral("base"), QStringLiteral("home"), QStringLiteral("extend"),
                           QStringLiteral("society")};

// A different list entry for each code column, so a value written to the
// wrong column shows, with the reference table the code comes from.
struct Entry {
    QString table;
    QString name;
};
const QHash<QString, Entry> kNames = {
    {"base_sort_code", {"sort", "B级-重要"}},       {"base_type_code", {"relationsort", "同学"}},
    {"base_province_code", {"province", "广东省"}}, {"work_industry_code", {"industry", "银行"}},
    {"work_duty_code", {"duty", "总经理"}},         {"work_leader_duty_code", {"duty", "董事长"}},
    {"work_superior_duty_code", {"duty", "总裁"}},  {"work_region_code", {"region", "华南"}},
    {"work_province_code", {"province", "上海市"}}, {"home_province_code", {"province", "四川省"}},
    {"home_duty_code", {"duty", "工程师"}},         {"extend_degree_code", {"degree", "硕士"}},
};

bool isCode(const QString& column) {
    return column.endsWith(QLatin1String("_code"));
}

// Every field of the five pages: text fields get text (or, when it is empty,
// their own column name, so a value written to the wrong column shows), lists
// an entry, dates a leap day.
ContactRecord fullRecord(const QString& text) {
    ContactRecord r;
    for (const oracle::Field& f : oracle::kFields) {
        const QStringList columns = oracle::columnsOf(f);
        const QString& column = columns[0];
        if (f.kind == oracle::Date) {
            r.setValue(columns[0], "2012");
            r.setValue(columns[1], "02");
            r.setValue(columns[2], "29");
            // The contact's birthday is lunar, the child's in a leap month.
            if (f.lunar)
                r.setValue(columns[3], columns[3] == "base_lunar"         ? "1"
                                       : columns[3] == "home_child_lunar" ? "2"
                                                                          : "");
        } else if (isCode(column)) {
            r.setValue(column, kNames.value(column).name);
        } else if (!oracle::fixedEntries(column).isEmpty()) {
            r.setValue(column, oracle::fixedEntries(column).last());
        } else {
            r.setValue(column, text.isEmpty() ? column : text);
        }
    }
    return r;
}

ContactRecord minimalRecord() {
    return sample::minimalContact(QStringLiteral("李四"), QStringLiteral("女"));
}

} // namespace

class TestContactStore : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void addThenLoad_data();
    void addThenLoad();
    void modifyKeepsText_data();
    void modifyKeepsText();
    void minimalContactGetsEmptyNameCodes();
    void lookupFailureLeavesNothing_data();
    void lookupFailureLeavesNothing();
    void lookupOrder();
    void loadStopsOnMissingPost();
    void loadOtherFlagFillsOnlyFamilyPages();
    void saveKeepsOwnerFlagAndDates();
    void saveCreatesMissingRows();
    void saveFailureRollsBack();
    void twoUsersSaveOneContact_data();
    void twoUsersSaveOneContact();
    void savesOfOtherContactsDoNotWait();
    void nameSearch();
    void unitSearchAndCopy();
    void lists();

  private:
    qint64 rows(const QString& table) {
        return db_->count(sql::Statement("select count(*) from " + table));
    }
    QString cell(const QString& sql) {
        QString v;
        db_->query(sql::Statement(sql), [&](const Row& r) {
            v = r.textAt(0);
            return false;
        });
        return v;
    }
    qint64 add(const ContactRecord& r) { return store_->insertNew(r, session_, clock_); }
    ContactRecord stored(qint64 code);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<ContactStore> store_;
    FixedClock clock_;
    Session session_{1, 1};
};

// Every column of a contact read straight from its table, codes as the names
// of their reference rows: what was written, not what the store loads.
ContactRecord TestContactStore::stored(qint64 code) {
    ContactRecord r;
    for (const oracle::Page& page : oracle::kPages) {
        const QString table = QString::fromLatin1(page.table);
        const QString key = QStringLiteral("%1=%2")
                                .arg(table == "base" ? "base_code" : table + "_base_code")
                                .arg(code);
        for (const QString& column : oracle::columnsOf(page.page)) {
            const QString sql =
                isCode(column)
                    ? QStringLiteral("select r.%1_name from %2 t, %1 r where "
                                     "t.%3=r.%1_code and t.%4")
                          .arg(kNames.value(column).table, table, column, key)
                    : QStringLiteral("select %1 from %2 where %3").arg(column, table, key);
            // A tick reads 0 (Gregorian), 1 or 2; the record says "" for 0.
            const QString value = cell(sql);
            const bool tick = column.endsWith(QLatin1String("_lunar"));
            r.setValue(column, tick && value == QLatin1String("0") ? QString() : value);
        }
    }
    return r;
}

void TestContactStore::init() {
    home_ = std::make_unique<TestHome>();
    QVERIFY(home_->isValid());
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
    store_ = std::make_unique<ContactStore>(*db_, *prompter_);
    clock_.set(QDateTime(QDate(2012, 5, 8), QTime(9, 30)));
}

void TestContactStore::cleanup() {
    store_.reset();
    db_.reset();
    prompter_.reset();
    home_.reset();
}

static void awkwardTexts() {
    QTest::addColumn<QString>("text");
    QTest::newRow("column names") << QString();
    QTest::newRow("apostrophe") << "O'Neil's";
    QTest::newRow("percent") << "100%s %d%%";
    QTest::newRow("sql fragment") << "x'); delete from base; --";
    QTest::newRow("20 chinese") << "一二三四五六七八九十甲乙丙丁戊己庚辛壬癸";
}

void TestContactStore::addThenLoad_data() {
    awkwardTexts();
}

void TestContactStore::addThenLoad() {
    QFETCH(QString, text);
    const ContactRecord record = fullRecord(text);
    const qint64 code = add(record);
    QVERIFY(code > 0);
    QVERIFY2(prompter_->messages.isEmpty(), qPrintable(prompter_->texts().join('|')));
    for (const QString& table : kTables)
        QCOMPARE(rows(table), 1);
    QCOMPARE(cell(QStringLiteral("select base_user_code||'/'||base_user_dep_code||'/'||"
                                 "base_invalid_flag||'/'||base_create_date||'/'||"
                                 "base_lastmodi_date||'/'||base_visit_num from base")),
             QStringLiteral("1/1/1/2012-05-08/2012-05-08/0"));

    QCOMPARE(stored(code), record);
    const ContactLoad loaded = store_->load(code, 1);
    QVERIFY(loaded.complete);
    QCOMPARE(loaded.record, record);
    // Opening a contact again is one round trip to a server, whatever it holds.
    const qint64 trips = db_->roundTrips();
    QCOMPARE(store_->load(code, 1).stamp, loaded.stamp);
    QCOMPARE(db_->roundTrips() - trips, 1);
}

void TestContactStore::modifyKeepsText_data() {
    awkwardTexts();
}

void TestContactStore::modifyKeepsText() {
    QFETCH(QString, text);
    const qint64 code = add(fullRecord("first"));
    QVERIFY(code > 0);
    ContactRecord changed = fullRecord(text);
    changed.setValue("home_duty_code", ""); // the empty-name row
    changed.setValue("extend_degree_code", "本科");
    QVERIFY(store_->save(code, changed, nullptr));
    QVERIFY2(prompter_->messages.isEmpty(), qPrintable(prompter_->texts().join('|')));
    QCOMPARE(stored(code), changed);
    QCOMPARE(store_->load(code, 1).record, changed);
}

void TestContactStore::minimalContactGetsEmptyNameCodes() {
    const qint64 code = add(minimalRecord());
    QVERIFY(code > 0);
    for (const QString& table : kTables)
        QCOMPARE(rows(table), 1);
    // Every column not chosen holds '' or the code of its table's empty-name row.
    const QStringList empty = {
        "base_province_code=(select province_code from province where province_name='')",
        "work_duty_code=(select duty_code from duty where duty_name='')",
        "work_leader_duty_code=work_duty_code and work_superior_duty_code=work_duty_code",
        "work_region_code=(select region_code from region where region_name='')",
        "base_city='' and base_experience='' and work_compete='' and base_year=''",
    };
    for (const QString& condition : empty)
        QVERIFY2(db_->exists(sql::Statement("select * from base where " + condition)),
                 qPrintable(condition));
    QVERIFY(db_->exists("select * from home where home_name='' and home_duty_code="
                        "(select duty_code from duty where duty_name='') and home_live=''"));
    QVERIFY(db_->exists("select * from extend where extend_degree_code="
                        "(select degree_code from degree where degree_name='')"));
    QVERIFY(db_->exists("select * from society where society_hobby='' and society_car=''"));

    ContactRecord expected;
    for (const QString& column : oracle::allColumns())
        expected.setValue(column, minimalRecord().value(column));
    QCOMPARE(store_->load(code, 1).record, expected);
}

void TestContactStore::lookupFailureLeavesNothing_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");
    const QString title = app::kTitle;
    QTest::newRow("level") << "base_sort_code" << title << "级别表操作失败,请检查系统设置";
    QTest::newRow("basic province")
        << "base_province_code" << title << "省份表操作失败,请检查系统设置";
    QTest::newRow("relation") << "base_type_code"
                              << "错误"
                              << "数据库操作失败!";
    QTest::newRow("industry") << "work_industry_code" << title << "行业表操作失败,请检查系统设置";
    QTest::newRow("post") << "work_duty_code" << title << "职务表操作失败,请检查系统设置";
    QTest::newRow("leader post") << "work_leader_duty_code" << title
                                 << "职务表操作失败,请检查系统设置";
    QTest::newRow("superior post")
        << "work_superior_duty_code" << title << "职务表操作失败,请检查系统设置";
    QTest::newRow("region") << "work_region_code" << title << "区域表操作失败,请检查系统设置";
    QTest::newRow("work province")
        << "work_province_code" << title << "省份表操作失败,请检查系统设置";
    QTest::newRow("degree") << "extend_degree_code" << title << "学历表操作失败,请检查系统设置";
    QTest::newRow("family province")
        << "home_province_code" << title << "省份表操作失败,请检查系统设置";
    QTest::newRow("family post") << "home_duty_code" << title << "职务表操作失败,请检查系统设置";
}

void TestContactStore::lookupFailureLeavesNothing() {
    QFETCH(QString, column);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    ContactRecord record = fullRecord("x");
    record.setValue(column, "没有这一项");
    QCOMPARE(add(record), -1);
    QCOMPARE(prompter_->texts(), QStringList{message});
    QCOMPARE(prompter_->messages[0].caption, caption);
    if (column == "base_type_code")
        QCOMPARE(prompter_->messages[0].icon, PromptIcon::Question);
    for (const QString& table : kTables)
        QCOMPARE(rows(table), 0);
    QVERIFY(!db_->inTransaction());
    // The connection is usable again: the same contact saves once corrected.
    prompter_->clear();
    QVERIFY(add(fullRecord("x")) > 0);
}

// With every list unresolvable, each save reports the next lookup in turn.
void TestContactStore::lookupOrder() {
    const QStringList order = {
        "base_sort_code",          "base_province_code", "base_type_code",
        "work_industry_code",      "work_duty_code",     "work_leader_duty_code",
        "work_superior_duty_code", "work_region_code",   "work_province_code",
        "extend_degree_code",      "home_province_code", "home_duty_code"};
    ContactRecord record = fullRecord("x");
    for (const QString& column : order)
        record.setValue(column, "没有");
    QStringList seen;
    for (const QString& column : order) {
        prompter_->clear();
        QCOMPARE(add(record), -1);
        QCOMPARE(prompter_->messages.size(), 1);
        seen << prompter_->lastText();
        record.setValue(column, kNames.value(column).name);
    }
    QCOMPARE(seen, (QStringList{"级别表操作失败,请检查系统设置", "省份表操作失败,请检查系统设置",
                                "数据库操作失败!", "行业表操作失败,请检查系统设置",
                                "职务表操作失败,请检查系统设置", "职务表操作失败,请检查系统设置",
                                "职务表操作失败,请检查系统设置", "区域表操作失败,请检查系统设置",
                                "省份表操作失败,请检查系统设置", "学历表操作失败,请检查系统设置",
                                "省份表操作失败,请检查系统设置", "职务表操作失败,请检查系统设置"}));
    QCOMPARE(rows("base"), 0);
    QVERIFY(add(record) > 0);
}

void TestContactStore::loadStopsOnMissingPost() {
    const qint64 code = add(fullRecord("x"));
    QVERIFY(db_->execute(sql::Statement(
        QStringLiteral("update base set work_superior_duty_code=9999 where base_code=%1")
            .arg(code))));
    const ContactLoad loaded = store_->load(code, 1);
    QVERIFY(!loaded.complete);
    QCOMPARE(prompter_->texts(), QStringList{"职务表操作失败,请检查系统设置"});
    QCOMPARE(prompter_->messages[0].caption, app::kTitle);
    // The basic page shows; the work page and everything after it stay empty.
    QStringList shown = loaded.record.columns();
    shown.sort();
    QStringList basic = oracle::columnsOf(ContactPage::Base);
    basic.sort();
    QCOMPARE(shown, basic);
}

void TestContactStore::loadOtherFlagFillsOnlyFamilyPages() {
    const ContactRecord record = fullRecord("x");
    const qint64 code = add(record);
    const ContactLoad loaded = store_->load(code, 0);
    QVERIFY(loaded.complete);
    for (const QString& column : oracle::allColumns()) {
        const bool family = !column.startsWith("base_") && !column.startsWith("work_");
        QCOMPARE(loaded.record.contains(column), family);
        if (family)
            QCOMPARE(loaded.record.value(column), record.value(column));
    }
}

void TestContactStore::saveKeepsOwnerFlagAndDates() {
    const qint64 code = add(fullRecord("x"));
    QVERIFY(db_->execute(
        sql::Statement(QStringLiteral("update base set base_user_code=7, base_user_dep_code=3, "
                                      "base_invalid_flag=0, base_create_date='2001-01-01', "
                                      "base_lastmodi_date='2002-02-02', base_visit_num=4 "
                                      "where base_code=%1")
                           .arg(code))));
    clock_.setDate(QDate(2015, 1, 1));
    QVERIFY(store_->save(code, fullRecord("y"), nullptr));
    QCOMPARE(cell(QStringLiteral("select base_user_code||'/'||base_user_dep_code||'/'||"
                                 "base_invalid_flag||'/'||base_create_date||'/'||"
                                 "base_lastmodi_date||'/'||base_visit_num||'/'||base_name "
                                 "from base")),
             QStringLiteral("7/3/0/2001-01-01/2002-02-02/4/y"));
}

void TestContactStore::saveCreatesMissingRows() {
    const qint64 code = add(fullRecord("x"));
    for (const char* table : {"home", "extend", "society"})
        QVERIFY(db_->execute(sql::Statement(QStringLiteral("delete from %1").arg(table))));
    const ContactRecord changed = fullRecord("it's new");
    auto progress = prompter_->beginProgress();
    QVERIFY(store_->save(code, changed, progress.get()));
    progress.reset();
    const auto& run = *prompter_->progressRuns.last();
    QCOMPARE(run.lower, 0);
    QCOMPARE(run.upper, 100);
    QCOMPARE(run.positions, (QList<int>{1, 40, 60, 80, 90, 100}));
    for (const QString& table : kTables)
        QCOMPARE(rows(table), 1);
    QCOMPARE(store_->load(code, 1).record, changed);
    // The second save goes through the update statements.
    const ContactRecord again = fullRecord("O'Hara 100%");
    QVERIFY(store_->save(code, again, nullptr));
    QCOMPARE(store_->load(code, 1).record, again);
    QCOMPARE(rows("home"), 1);
}

void TestContactStore::saveFailureRollsBack() {
    const ContactRecord before = fullRecord("before");
    const qint64 code = add(before);
    ContactRecord changed = fullRecord("after");
    changed.setValue("extend_degree_code", "没有");
    auto progress = prompter_->beginProgress();
    QVERIFY(!store_->save(code, changed, progress.get()));
    QCOMPARE(prompter_->texts(), QStringList{"学历表操作失败,请检查系统设置"});
    QCOMPARE(prompter_->progressRuns.last()->positions, (QList<int>{1, 40, 60}));
    QVERIFY(!db_->inTransaction());
    QCOMPARE(store_->load(code, 1).record, before);
    // A contact that no longer exists is not created by a save.
    prompter_->clear();
    QVERIFY(!store_->save(code + 1, before, nullptr));
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(rows("base"), 1);
    QCOMPARE(rows("home"), 1);
}

// Two users load the same contact; meanwhile the other one writes something
// (through a second connection, as from another machine). Our save goes
// through only when what the other wrote is not what our pages show.
void TestContactStore::twoUsersSaveOneContact_data() {
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("refused");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("the name, saved from the pane") << "pane" << true;
    QTest::newRow("the family page only") << "update home set home_hobby='钓鱼'" << true;
    QTest::newRow("the social page only") << "update society set society_car='有'" << true;
    QTest::newRow("the lunar tick taken off the birthday")
        << "update base set base_lunar=0" << true;
    QTest::newRow("an interaction's date stamp")
        << "update base set base_lastmodi_date='2013-01-01', base_visit_num=9" << false;
    QTest::newRow("another contact") << "other contact" << false;
}

void TestContactStore::twoUsersSaveOneContact() {
    QFETCH(QString, meanwhile);
    QFETCH(bool, refused);
    const qint64 code = add(fullRecord("ours"));
    const qint64 bystander = add(fullRecord("bystander"));
    const ContactLoad loaded = store_->load(code, 1);
    QVERIFY(!loaded.stamp.isEmpty());

    ScriptedPrompter otherPrompter;
    Database other(&otherPrompter);
    QVERIFY(other.open(home_->databasePath()));
    ContactStore otherStore(other, otherPrompter);
    const ContactRecord theirs = fullRecord("theirs");
    if (meanwhile == u"pane") {
        QVERIFY(otherStore.save(code, theirs, nullptr, otherStore.load(code, 1).stamp));
    } else if (meanwhile == u"other contact") {
        QVERIFY(otherStore.save(bystander, theirs, nullptr, otherStore.load(bystander, 1).stamp));
    } else if (!meanwhile.isEmpty()) {
        const QString table = meanwhile.section(u' ', 1, 1);
        const QString key =
            table == u"base" ? QStringLiteral("base_code") : table + QStringLiteral("_base_code");
        QVERIFY(other.execute(
            sql::Statement(meanwhile + QStringLiteral(" where %1=%2").arg(key).arg(code))));
    }
    const ContactRecord before = stored(code);

    const ContactRecord edits = fullRecord("edited here");
    QCOMPARE(store_->save(code, edits, nullptr, loaded.stamp), !refused);
    QCOMPARE(store_->changedMeanwhile(), refused);
    QVERIFY(!db_->inTransaction());
    if (!refused) {
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(store_->load(code, 1).record, edits);
        return;
    }
    // Told, in a notice; nothing of ours written over theirs.
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
    QVERIFY(prompter_->messages[0].text.contains(QStringLiteral("其他用户")));
    QVERIFY(prompter_->messages[0].text.contains(QStringLiteral("没有保存")));
    QCOMPARE(stored(code), before);
    // Saved again on purpose, from the state just found: ours stands.
    prompter_->clear();
    QVERIFY(store_->save(code, edits, nullptr, store_->currentStamp()));
    QCOMPARE(store_->load(code, 1).record, edits);
    QVERIFY(prompter_->messages.isEmpty());
}

// On a server each save locks only its own contact: a save of another contact
// still open on a second connection does not hold ours up.
void TestContactStore::savesOfOtherContactsDoNotWait() {
    if (!TestHome::onServer())
        QSKIP("a database file has one writer at a time");
    const qint64 a = add(fullRecord("a"));
    const qint64 b = add(fullRecord("b"));
    ScriptedPrompter otherPrompter;
    Database other(&otherPrompter);
    QVERIFY(other.open(home_->databasePath()));
    ContactStore otherStore(other, otherPrompter);
    QVERIFY(other.begin());
    QVERIFY(other.lockRows(
        sql::Statement(QStringLiteral("select * from base where base_code=%1").arg(b))));
    QVERIFY(otherStore.writeChanges(b, fullRecord("b2")));
    QVERIFY(store_->save(a, fullRecord("a2"), nullptr, store_->load(a, 1).stamp));
    QVERIFY(other.commit());
    QCOMPARE(store_->load(a, 1).record, fullRecord("a2"));
    QCOMPARE(store_->load(b, 1).record, fullRecord("b2"));
}

void TestContactStore::nameSearch() {
    ContactRecord a = minimalRecord();
    a.setValue("base_name", "王五");
    a.setValue("work_name", "甲公司");
    ContactRecord b = minimalRecord();
    b.setValue("base_name", "王五一");
    const qint64 codeA = add(a);
    const qint64 codeB = add(b);
    add(minimalRecord());
    QVERIFY(db_->execute(sql::Statement(
        QStringLiteral("update base set base_invalid_flag=0 where base_name='李四'"))));

    ContactSearch search(*db_, *prompter_);
    QVERIFY(!search.checkName(""));
    QVERIFY(!search.checkName("王")); // exact name only
    QVERIFY(search.checkName("王五"));
    QCOMPARE(prompter_->texts(), (QStringList{"请输入姓名!", "该用户名不存在!"}));
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(prompter_->messages[0].icon, PromptIcon::Question);

    const auto found = search.existing("王五", ContactSearch::Mode::ByName);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].code, QString::number(codeA));
    QCOMPARE(found[0].name, QStringLiteral("王五"));
    QCOMPARE(found[0].unit, QStringLiteral("甲公司"));
    QCOMPARE(found[1].code, QString::number(codeB));
    QVERIFY(search.existing("李四", ContactSearch::Mode::ByName).isEmpty()); // trashed
    QCOMPARE(ContactSearch::title(2), QStringLiteral("资料列表--目前共有记录数： 2"));
}

void TestContactStore::unitSearchAndCopy() {
    ContactRecord source = fullRecord("src");
    source.setValue("work_name", "乙'公司 100%");
    const qint64 code = add(source);
    ContactSearch search(*db_, *prompter_);
    QVERIFY(!search.checkUnit(""));
    QVERIFY(!search.checkUnit("丙"));
    QVERIFY(search.checkUnit("'公司 1")); // part of the name is enough
    QCOMPARE(prompter_->texts(), (QStringList{"请输入单位名称!", "该单位资料不存在!"}));
    QCOMPARE(prompter_->messages[0].icon, PromptIcon::Question);
    QCOMPARE(search.existing("公司", ContactSearch::Mode::ByUnit).size(), 1);

    const ContactRecord unit = search.unitOf(code);
    QStringList copied = unit.columns();
    copied.sort();
    QStringList expected = ContactSearch::copiedColumns();
    expected.sort();
    QCOMPARE(copied, expected);
    for (const QString& column : ContactSearch::copiedColumns())
        QCOMPARE(unit.value(column), source.value(column));
    // The contact's own position and the superior are not the unit's.
    for (const char* own : {"work_branch_name", "work_duty_code", "work_salary", "work_phone",
                            "work_charge", "work_superior_name", "work_superior_duty_code"})
        QVERIFY(!unit.contains(own));
}

void TestContactStore::lists() {
    ContactLists lists(*db_);
    const QStringList years = *lists.entries(ListSource::Years, clock_);
    QCOMPARE(years.size(), 100);
    QCOMPARE(years.first(), QStringLiteral("2012"));
    QCOMPARE(years.last(), QStringLiteral("1913"));
    QCOMPARE(lists.entries(ListSource::Days, clock_)->first(), QStringLiteral("01"));
    QCOMPARE(lists.entries(ListSource::Months, clock_)->last(), QStringLiteral("12"));
    QCOMPARE(*lists.entries(ListSource::Levels, clock_),
             (QStringList{"A级-核心", "B级-重要", "C级-一般", "D级-普通"}));
    QCOMPARE(lists.entries(ListSource::Posts, clock_)->first(), QStringLiteral("董事长"));
    QVERIFY(!lists.entries(ListSource::Provinces, clock_)->contains(QString()));
    QVERIFY(db_->execute("drop table degree"));
    QVERIFY(!lists.entries(ListSource::Degrees, clock_));
    QVERIFY(prompter_->messages.isEmpty()); // the page shows its own message
}

QTEST_GUILESS_MAIN(TestContactStore)
#include "tst_contactstore.moc"
