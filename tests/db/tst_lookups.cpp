// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppInfo.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>
#include <functional>

using CodeLookup = std::function<qint64(Lookups&, const QString&)>;
using NameLookup = std::function<QString(Lookups&, qint64)>;
Q_DECLARE_METATYPE(CodeLookup)
Q_DECLARE_METATYPE(NameLookup)

class TestLookups : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void codeOfName_data();
    void codeOfName();
    void nameOfCode_data();
    void nameOfCode();
    void departmentAndManager();
    void takenAndKnown();
    void failedQueryGivesFailureValue();
    void errorTable_data();
    void errorTable();

  private:
    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
};

void TestLookups::init() {
    home_ = std::make_unique<TestHome>();
    QVERIFY(home_->isValid());
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestLookups::cleanup() {
    db_.reset();
    prompter_.reset();
    home_.reset();
}

// Every name-to-code lookup of the family: a known name, an unknown name, a
// name with a quote, and a row whose code column cannot be NULL but whose
// name matches nothing after a blank is added.
void TestLookups::codeOfName_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<CodeLookup>("lookup");
    auto add = [](const char* table, CodeLookup f) { QTest::newRow(table) << table << f; };
    add("province", [](Lookups& l, const QString& n) { return l.provinceCode(n); });
    add("region", [](Lookups& l, const QString& n) { return l.regionCode(n); });
    add("industry", [](Lookups& l, const QString& n) { return l.industryCode(n); });
    add("duty", [](Lookups& l, const QString& n) { return l.dutyCode(n); });
    add("sort", [](Lookups& l, const QString& n) { return l.levelCode(n); });
    add("relationsort", [](Lookups& l, const QString& n) { return l.relationCode(n); });
    add("degree", [](Lookups& l, const QString& n) { return l.degreeCode(n); });
    add("business", [](Lookups& l, const QString& n) { return l.businessCode(n); });
    add("docsort", [](Lookups& l, const QString& n) { return l.docSortCode(n); });
    add("datumsort", [](Lookups& l, const QString& n) { return l.datumSortCode(n); });
    add("societysitesort", [](Lookups& l, const QString& n) { return l.phoneSortCode(n); });
    add("dep", [](Lookups& l, const QString& n) { return l.departmentCode(n); });
}

void TestLookups::codeOfName() {
    QFETCH(QString, table);
    QFETCH(CodeLookup, lookup);
    Lookups lookups(*db_);
    QVERIFY(db_->execute(
        sql::Statement(QStringLiteral("insert into %1(%1_name) values('O''Neil')").arg(table))));
    const qint64 inserted =
        db_->count(sql::Statement(QStringLiteral("select max(%1_code) from %1").arg(table)));
    QCOMPARE(lookup(lookups, "O'Neil"), inserted);
    QCOMPARE(lookup(lookups, "没有这个名字"), -1);
    QCOMPARE(lookup(lookups, "O'Neil "), -1); // a trailing blank finds nothing
    QCOMPARE(lookup(lookups, "x' or '1'='1"), -1);
    if (table != u"dep")
        QCOMPARE(lookup(lookups, ""), 1); // the empty-name row comes first
    QVERIFY(prompter_->messages.isEmpty());
}

void TestLookups::nameOfCode_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<NameLookup>("lookup");
    QTest::addColumn<QString>("missing");
    const QString s = Lookups::kMissing;
    auto add = [](const char* table, NameLookup f, const QString& missing) {
        QTest::newRow(table) << table << f << missing;
    };
    add(
        "province", [](Lookups& l, qint64 c) { return l.provinceName(c); }, s);
    add(
        "region", [](Lookups& l, qint64 c) { return l.regionName(c); }, s);
    add(
        "duty", [](Lookups& l, qint64 c) { return l.dutyName(c); }, s);
    add(
        "sort", [](Lookups& l, qint64 c) { return l.levelName(c); }, s);
    add(
        "industry", [](Lookups& l, qint64 c) { return l.industryName(c); }, QString());
}

void TestLookups::nameOfCode() {
    QFETCH(QString, table);
    QFETCH(NameLookup, lookup);
    QFETCH(QString, missing);
    Lookups lookups(*db_);
    QVERIFY(db_->execute(
        sql::Statement(QStringLiteral("insert into %1(%1_name) values('O''Neil')").arg(table))));
    const qint64 named =
        db_->count(sql::Statement(QStringLiteral("select max(%1_code) from %1").arg(table)));
    QVERIFY(db_->execute(
        sql::Statement(QStringLiteral("insert into %1(%1_name) values(NULL)").arg(table))));
    const qint64 nullName = named + 1;
    QCOMPARE(lookup(lookups, named), QStringLiteral("O'Neil"));
    QCOMPARE(lookup(lookups, 1), QString("")); // the empty-name row
    QCOMPARE(lookup(lookups, 999999), missing);
    QCOMPARE(lookup(lookups, nullName), missing);
    QCOMPARE(lookup(lookups, -1), missing);
}

void TestLookups::departmentAndManager() {
    Lookups lookups(*db_);
    const qint64 admin = lookups.userCode("admin");
    QCOMPARE(admin, 1);
    QCOMPARE(lookups.userName(admin), QStringLiteral("admin"));
    QCOMPARE(lookups.userName(42), Lookups::kMissing);
    QCOMPARE(lookups.departmentOfUser(admin), 1);
    QCOMPARE(lookups.departmentOfUser(42), -1);
    QCOMPARE(lookups.departmentManager(QStringLiteral("总经理办公室")), admin);
    QCOMPARE(lookups.departmentManager(QStringLiteral("销售部")), -1);
    QCOMPARE(lookups.usersInDepartment(1), 1);
    QCOMPARE(lookups.usersInDepartment(2), 0);

    QVERIFY(db_->execute("insert into dep(dep_name) values('D''Arcy部')"));
    const qint64 dep = lookups.departmentCode("D'Arcy部");
    QVERIFY(dep > 0);
    QVERIFY(db_->execute(
        sql::Statement(QStringLiteral("insert into userlogin(user_name,user_pwd,user_dep_code,"
                                      "user_dep_mng) values('O''Neil','x',%1,'1')")
                           .arg(dep))));
    QCOMPARE(lookups.departmentManager("D'Arcy部"), lookups.userCode("O'Neil"));
    QCOMPARE(lookups.usersInDepartment(dep), 1);
}

void TestLookups::takenAndKnown() {
    Lookups lookups(*db_);
    QVERIFY(db_->execute(
        "insert into base(base_name,work_name) values('O''Neil','北京华为技术有限公司')"));
    const qint64 code = db_->count("select max(base_code) from base");
    QVERIFY(lookups.contactNameTaken("O'Neil"));
    QVERIFY(!lookups.contactNameTaken("ONeil"));
    QCOMPARE(lookups.contactName(code), QStringLiteral("O'Neil"));
    QCOMPARE(lookups.contactName(code + 1), QString());
    QVERIFY(lookups.userNameTaken("admin"));
    QVERIFY(!lookups.userNameTaken("Admin "));
    QVERIFY(lookups.workUnitKnown("华为"));
    QVERIFY(lookups.workUnitKnown(""));
    QVERIFY(!lookups.workUnitKnown("中兴"));
    // Typed "%", "_" and "\\" are the characters themselves, not wildcards.
    QVERIFY(!lookups.workUnitKnown("%"));
    QVERIFY(!lookups.workUnitKnown("华_"));
    QVERIFY(db_->execute("insert into base(base_name,work_name) values('甲','满意度100%_A\\B')"));
    QVERIFY(lookups.workUnitKnown("100%"));
    QVERIFY(lookups.workUnitKnown("%_A\\"));
    QVERIFY(!lookups.workUnitKnown("100%A"));

    QVERIFY(db_->execute("insert into doc(doc_base_code,doc_docsort_code,doc_title,doc_filename) "
                         "values(1,2,'合同''A','/home/u/合同.pdf')"));
    QVERIFY(
        db_->execute("insert into datum(datum_user_code,datum_filename) values(1,'/tmp/a.txt')"));
    QCOMPARE(lookups.docFileName(1), QStringLiteral("/home/u/合同.pdf"));
    QCOMPARE(lookups.docFileName(2), QString());
    QCOMPARE(lookups.docFileNameByTitle(2, "合同'A"), QStringLiteral("/home/u/合同.pdf"));
    QCOMPARE(lookups.docFileNameByTitle(3, "合同'A"), QString());
    QCOMPARE(lookups.datumFileName(1), QStringLiteral("/tmp/a.txt"));
    QVERIFY(prompter_->messages.isEmpty());
}

void TestLookups::failedQueryGivesFailureValue() {
    Lookups lookups(*db_);
    QVERIFY(db_->execute("drop table province"));
    QCOMPARE(lookups.provinceCode("北京市"), -1);
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QVERIFY(prompter_->messages[0].text.contains("province"));
    QCOMPARE(lookups.provinceName(1), Lookups::kMissing);
    QVERIFY(db_->execute("drop table base"));
    QVERIFY(!lookups.contactNameTaken("张三"));
    QCOMPARE(lookups.contactName(1), QString());
    QCOMPARE(prompter_->messages.size(), 4);
}

void TestLookups::errorTable_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "数据库打开失败,请检查系统设置";
    QTest::newRow("2") << 2 << "省份数据表关联失败,请检查系统设置";
    QTest::newRow("3 shows nothing") << 3 << "";
    QTest::newRow("4") << 4 << "省份表操作失败,请检查系统设置";
    QTest::newRow("5") << 5 << "职务表操作失败,请检查系统设置";
    QTest::newRow("6") << 6 << "职务表操作失败,请检查系统设置";
    QTest::newRow("7") << 7 << "级别表操作失败,请检查系统设置";
    QTest::newRow("8") << 8 << "省份表插入记录失败,请检查系统设置";
    QTest::newRow("9") << 9 << "系统初始化失败,请检查系统设置";
    QTest::newRow("10") << 10 << "系统数据库初始化失败,请检查系统设置";
    QTest::newRow("11") << 11 << "区域表操作失败,请检查系统设置";
    QTest::newRow("12") << 12 << "行业表操作失败,请检查系统设置";
    QTest::newRow("13") << 13 << "学历表操作失败,请检查系统设置";
    QTest::newRow("14") << 14 << "常用资料表操作失败,请检查系统设置";
    QTest::newRow("15") << 15 << "社会关系表操作失败,请检查系统设置";
    QTest::newRow("16") << 16 << "密码更新失败";
    QTest::newRow("0 shows nothing") << 0 << "";
    QTest::newRow("17 shows nothing") << 17 << "";
    QTest::newRow("-1 shows nothing") << -1 << "";
}

void TestLookups::errorTable() {
    QFETCH(int, code);
    QFETCH(QString, text);
    ScriptedPrompter prompter;
    errors::show(prompter, code);
    if (text.isEmpty()) {
        QVERIFY(prompter.messages.isEmpty());
        return;
    }
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, app::kTitle);
    QCOMPARE(prompter.messages[0].text, text);
    QCOMPARE(prompter.messages[0].kind, ScriptedPrompter::Message::Kind::Notice);
}

QTEST_GUILESS_MAIN(TestLookups)
#include "tst_lookups.moc"
