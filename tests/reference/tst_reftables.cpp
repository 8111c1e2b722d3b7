// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/Statement.h"
#include "reference/RefRecordForm.h"
#include "reference/RefTable.h"
#include "reference/RefTableDefinitions.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QCollator>
#include <QHash>
#include <QTest>

namespace {

// The editors as their description gives them, written out again here so
// that the program's own table is checked against it, not against itself.
struct Member {
    QString table;
    QString listCaption;
    QString titleFormat; // %1 = count
    QStringList headers;
    QList<int> widths;
    int codeColumn;
    int nameColumn;
    QString addCaption;
    QString modifyTitle;
    QString nameCaption;
    int maxLength;
    QString emptyMessage;
    bool illegalCheck;
    QStringList fieldValues; // valid values of the form's other fields
    enum Order { ByCode, ByName, ByValueDesc, ByDate } order;
};

const QList<Member>& members() {
    static const QList<Member> all{
        {"industry",
         "行业设置",
         "行业设置 - 共有记录数： %1",
         {"选", "ID", "行业名称"},
         {25, 0, 200},
         1,
         2,
         "行业设置 - 增加",
         "行业设置 - 修改",
         "行业名称:",
         20,
         "请输入行业名称!",
         false,
         {},
         Member::ByCode},
        {"degree",
         "学历设置",
         "学历设置 - 共有记录数： %1",
         {"选", "ID", "名称"},
         {25, 0, 180},
         1,
         2,
         "学历设置 - 增加",
         "学历设置 - 修改",
         "学历名称:",
         20,
         "请输入学历名称!",
         false,
         {},
         Member::ByName},
        {"duty",
         "职务设置",
         "职务设置 - 共有记录数： %1",
         {"选", "ID", "职务名称", "分值"},
         {25, 0, 80, 40},
         1,
         2,
         "职务设置 - 增加",
         "职务设置 - 修改",
         "职务名称:",
         20,
         "请输入职务名称!",
         false,
         {"7"},
         Member::ByValueDesc},
        {"feast",
         "节日设置",
         "节日设置 - 共有记录数： %1",
         {"选", "ID", "节日名称", "日期"},
         {25, 0, 110, 60},
         1,
         2,
         "节日设置 - 增加",
         "节日设置 - 修改",
         "节日名称:",
         30,
         "请输入节日名称!",
         false,
         {"05", "01", "0"},
         Member::ByDate},
        {"province",
         "省份管理",
         "省份管理--目前共有记录数： %1",
         {"选", "省份名称"},
         {},
         0,
         1,
         "省份管理 - 增加",
         "省份管理 - 增加",
         "省份名称:",
         20,
         "请输入省份名称!",
         true,
         {},
         Member::ByName},
        {"region",
         "区域设置",
         "区域设置 - 共有记录数： %1",
         {"选", "ID", "区域名称"},
         {25, 0, 155},
         1,
         2,
         "区域设置 - 增加",
         "区域设置 - 修改",
         "区域名称:",
         20,
         "请输入区域名称!",
         false,
         {},
         Member::ByName},
        {"relationsort",
         "关系类型设置",
         "关系类别设置 - 共有记录数： %1",
         {"选", "ID", "类别名称"},
         {25, 0, 150},
         1,
         2,
         "关系类别设置 - 增加",
         "关系类别设置 - 修改",
         "类别名称:",
         20,
         "请输入类别名称!",
         false,
         {},
         Member::ByName},
        {"societysitesort",
         "我的资料类别设置",
         "常用电话类别设置 - 共有记录数： %1",
         {"选", "ID", "类别名称"},
         {25, 0, 155},
         1,
         2,
         "常用电话类别设置 - 增加",
         "常用电话类别设置 - 修改",
         "类别名称:",
         20,
         "请输入类别名称!",
         false,
         {},
         Member::ByName},
        {"business",
         "往来类别设置",
         "往来类别设置 - 共有记录数： %1",
         {"选", "ID", "类别名称"},
         {25, 0, 150},
         1,
         2,
         "往来类别设置 - 增加",
         "往来类别设置 - 修改",
         "类别名称:",
         40,
         "请输入类别名称!",
         false,
         {},
         Member::ByName},
        {"datumsort",
         "文档类别设置",
         "我的资料类别设置 - 共有记录数： %1",
         {"选", "ID", "我的资料类别"},
         {25, 0, 150},
         1,
         2,
         "我的资料类别设置 - 增加",
         "我的资料类别设置 - 修改",
         "类别名称:",
         40,
         "请输入类型名称!",
         false,
         {},
         Member::ByName},
        {"docsort",
         "文档类别管理",
         "文档类别设置 - 共有记录数： %1",
         {"选", "ID", "文档类别名称"},
         {25, 0, 145},
         1,
         2,
         "文档类别设置 - 增加",
         "文档类别设置 - 修改",
         "文档类别名称:",
         40,
         "请输入文档类别名称!",
         false,
         {},
         Member::ByName},
        {"assosort",
         "关联关系管理",
         "关联关系管理--目前共有记录数： %1",
         {"选", "类型名称"},
         {20, 155},
         0,
         1,
         "关联关系增加",
         "关联关系类型 - 修改",
         "关联关系名称:",
         20,
         "请输入类型名称!",
         true,
         {},
         Member::ByName},
        {"dep",
         "部门管理",
         "部门管理--目前共有记录数： %1",
         {"选", "部门名称"},
         {20, 150},
         0,
         1,
         "部门增加",
         "部门修改",
         "部门名称:",
         40,
         "请输入部门名称!",
         false,
         {},
         Member::ByName},
        {"sort",
         "级别设置",
         "级别设置 - 共有记录数： %1",
         {"选", "ID", "级别名称", "级别分值(分)", "往来时间间隔(天)"},
         {25, 0, 90, 85, 110},
         1,
         2,
         "级别设置 - 增加",
         "级别设置 - 修改",
         "级别名称:",
         20,
         "请输入级别名称!",
         false,
         {"4", "20"},
         Member::ByValueDesc},
    };
    return all;
}

const Member& member(const QString& table) {
    for (const Member& m : members()) {
        if (m.table == table)
            return m;
    }
    qFatal("no member %s", qPrintable(table));
}

// A statement that makes a record use the code (%s), one per column the
// description names as a reference to the table (plus contacts in the trash).
struct Use {
    QString table;
    QString label;
    QString statement;
};

const QList<Use>& uses() {
    static const QList<Use> all{
        {"industry", "contact's industry",
         "insert into base(base_name,base_invalid_flag,work_industry_code) values('u',1,%s)"},
        {"industry", "contact in the trash",
         "insert into base(base_name,base_invalid_flag,work_industry_code) values('u',0,%s)"},
        {"industry", "association's industry",
         "insert into asso(asso_base_code,asso_name,asso_industry_code) values(1,'u',%s)"},
        {"degree", "extended sheet",
         "insert into extend(extend_base_code,extend_degree_code) values(9001,%s)"},
        {"duty", "post", "insert into base(base_name,work_duty_code) values('u',%s)"},
        {"duty", "leader's post",
         "insert into base(base_name,work_leader_duty_code) values('u',%s)"},
        {"duty", "superior's post",
         "insert into base(base_name,work_superior_duty_code) values('u',%s)"},
        {"duty", "spouse's post",
         "insert into home(home_base_code,home_duty_code) values(9002,%s)"},
        {"duty", "association's post",
         "insert into asso(asso_base_code,asso_name,asso_duty_code) values(1,'u',%s)"},
        {"duty", "phone entry's post",
         "insert into societysite(societysite_title,societysite_duty_code) values('u',%s)"},
        {"province", "unit's province",
         "insert into base(base_name,work_province_code) values('u',%s)"},
        {"province", "city", "insert into city(city_name,city_province_code) values('u',%s)"},
        {"province", "contact's own province",
         "insert into base(base_name,base_province_code) values('u',%s)"},
        {"province", "family's province",
         "insert into home(home_base_code,home_province_code) values(9003,%s)"},
        {"region", "contact", "insert into base(base_name,work_region_code) values('u',%s)"},
        {"relationsort", "contact", "insert into base(base_name,base_type_code) values('u',%s)"},
        {"societysitesort", "phone entry",
         "insert into societysite(societysite_title,societysite_sort_code) values('u',%s)"},
        {"business", "interaction",
         "insert into comm(comm_base_code,comm_business_code) values(1,%s)"},
        {"business", "planned interaction",
         "insert into comm(comm_base_code,comm_next_business_code) values(1,%s)"},
        {"datumsort", "my data",
         "insert into datum(datum_title,datum_datumsort_code) values('u',%s)"},
        {"docsort", "document", "insert into doc(doc_title,doc_docsort_code) values('u',%s)"},
        {"assosort", "association",
         "insert into asso(asso_base_code,asso_name,asso_assosort_code) values(1,'u',%s)"},
        {"dep", "user", "insert into userlogin(user_name,user_dep_code) values('u',%s)"},
        {"sort", "contact", "insert into base(base_name,base_sort_code) values('u',%s)"},
    };
    return all;
}

struct Fixture {
    explicit Fixture(const QString& table)
        : db(&prompter), m(member(table)), definition(*reftables::find(table)),
          list(db, prompter, definition) {
        db.open(home.databasePath());
    }

    bool add(const QString& name, const QStringList& fields = {}) {
        RefRecordForm form(db, prompter, definition, RefRecordForm::Mode::Add);
        return form.submit(name, fields.isEmpty() ? m.fieldValues : fields).saved;
    }
    int rowOf(const QString& name) {
        for (int row = 0; row < list.model().rowCount(); ++row) {
            if (list.model().text(row, m.nameColumn) == name)
                return row;
        }
        return -1;
    }
    QString codeOf(const QString& name) { return list.model().text(rowOf(name), m.codeColumn); }
    QStringList storedNames() {
        QStringList names;
        db.query(sql::Statement(QStringLiteral("select %1_name from %1").arg(m.table)),
                 [&names](const Row& row) {
                     names << row.textAt(0);
                     return true;
                 });
        return names;
    }
    QString title(int count) const { return m.titleFormat.arg(count); }

    TestHome home;
    ScriptedPrompter prompter;
    Database db;
    const Member& m;
    const RefTableDefinition& definition;
    RefTable list;
};

void addMemberColumn() {
    QTest::addColumn<QString>("table");
    for (const Member& m : members())
        QTest::newRow(qPrintable(m.table)) << m.table;
}

QString chineseName(int length) {
    const QString characters = QStringLiteral("甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥天地人");
    return characters.left(length);
}

} // namespace

class TestRefTables : public QObject {
    Q_OBJECT

  private slots:
    void captionsAndColumns_data() { addMemberColumn(); }
    void captionsAndColumns();
    void listShowsTheTableInItsOrder_data() { addMemberColumn(); }
    void listShowsTheTableInItsOrder();
    void secondOfThreeInUseIsKept_data();
    void secondOfThreeInUseIsKept();
    void feastsDeleteWithoutGuard();
    void nothingTickedOrNoDeletesNothing();
    void namesStoredExactly_data();
    void namesStoredExactly();
    void nameOverTheLimitIsRefused_data() { addMemberColumn(); }
    void nameOverTheLimitIsRefused();
    void checksInOrder_data();
    void checksInOrder();
    void modifyPrefillsAndRewrites_data();
    void modifyPrefillsAndRewrites();
    void modifyTakesTheFirstTickedRow();
    void doubleClickTicksTheSelectedRow();
    void addLoopsWhileTheUserWantsMore();
};

void TestRefTables::captionsAndColumns() {
    QFETCH(QString, table);
    Fixture f(table);
    QCOMPARE(f.list.caption(), f.m.listCaption);
    QVERIFY(f.list.load());
    QCOMPARE(f.list.title(), f.title(f.list.count()));
    const auto& columns = f.list.model().columns();
    QStringList headers;
    QList<int> widths;
    for (const ReportColumn& column : columns) {
        headers << column.caption;
        widths << column.width;
    }
    QCOMPARE(headers, f.m.headers);
    if (!f.m.widths.isEmpty())
        QCOMPARE(widths, f.m.widths);
    QCOMPARE(f.definition.codeCell(), f.m.codeColumn);

    RefRecordForm add(f.db, f.prompter, f.definition, RefRecordForm::Mode::Add);
    RefRecordForm modify(f.db, f.prompter, f.definition, RefRecordForm::Mode::Modify, "1");
    QCOMPARE(add.title(), f.m.addCaption);
    QCOMPARE(modify.title(), f.m.modifyTitle);
    QCOMPARE(f.definition.nameCaption, f.m.nameCaption);
    QCOMPARE(f.definition.nameMaxLength, f.m.maxLength);
}

void TestRefTables::listShowsTheTableInItsOrder() {
    QFETCH(QString, table);
    Fixture f(table);
    // A few rows of our own, so that every order has something to decide.
    if (table == "feast") {
        QVERIFY(f.add("国庆节", {"10", "01"}));
        QVERIFY(f.add("元旦", {"01", "01"}));
        QVERIFY(f.add("劳动节", {"05", "01"}));
    } else if (!f.m.fieldValues.isEmpty()) {
        QVERIFY(f.add("乙", {"3", "9"}));
        QVERIFY(f.add("甲", {"300", "9"}));
    } else {
        QVERIFY(f.add("中间"));
        QVERIFY(f.add("阿"));
    }
    // An empty-name row: festivals are all listed, the other tables hide it.
    QVERIFY(f.db.execute(
        table == "feast"
            ? sql::Statement(
                  "insert into feast(feast_name,feast_month,feast_day) values('','03','08')")
            : sql::Statement(QStringLiteral("insert into %1(%1_name) values('')").arg(table))));
    QVERIFY(f.list.load());

    // What the table holds, read on our own, in the order the description gives.
    struct Stored {
        QString code;
        QString name;
        QString value;
        QString date;
    };
    QList<Stored> expected;
    const QString value = table == "duty" ? "duty_value" : table == "sort" ? "sort_value" : "0";
    // A lunar festival is marked "*" here and listed by its names: the
    // delivered ones are these.
    const QString date = table == "feast" ? "feast_month||'-'||feast_day||case when "
                                            "feast_lunar<>0 then '*' else '' end"
                                          : "''";
    const QHash<QString, QString> lunarShown{{"01-01*", "正月初一"}, {"01-15*", "正月十五"},
                                             {"05-05*", "五月初五"}, {"07-07*", "七月初七"},
                                             {"08-15*", "八月十五"}, {"09-09*", "九月初九"},
                                             {"12-30*", "腊月三十"}};
    QHash<QString, QString> sortKeyOf; // what the list shows -> month-day
    for (auto it = lunarShown.cbegin(); it != lunarShown.cend(); ++it)
        sortKeyOf.insert(it.value(), it.key().chopped(1));
    f.db.query(
        sql::Statement(QStringLiteral("select %1_code,%1_name,%2,%3 from %1 order by %1_code")
                           .arg(table, value, date)),
        [&](const Row& row) {
            if (table == "feast" || !row.textAt(1).isEmpty())
                expected.append({QString::number(row.numberAt(0)), row.textAt(1),
                                 QString::number(row.numberAt(2)), row.textAt(3)});
            return true;
        });
    QCollator pinyin(QLocale(QLocale::Chinese, QLocale::China));
    auto key = [&](const Stored& s) -> QString {
        switch (f.m.order) {
        case Member::ByName:
            return s.name;
        case Member::ByValueDesc:
            return s.value;
        case Member::ByDate:
            return s.date.endsWith(u'*') ? s.date.chopped(1) : s.date;
        case Member::ByCode:
            break;
        }
        return s.code;
    };
    std::stable_sort(expected.begin(), expected.end(), [&](const Stored& a, const Stored& b) {
        switch (f.m.order) {
        case Member::ByName:
            return pinyin.compare(a.name, b.name) < 0;
        case Member::ByValueDesc:
            return a.value.toLongLong() > b.value.toLongLong();
        case Member::ByDate:
            return key(a) < key(b);
        case Member::ByCode:
            break;
        }
        return a.code.toLongLong() < b.code.toLongLong();
    });

    const ReportModel& model = f.list.model();
    QCOMPARE(model.rowCount(), expected.size());
    QCOMPARE(f.list.count(), int(expected.size()));
    QCOMPARE(f.list.title(), f.title(int(expected.size())));
    QStringList shownKeys, expectedKeys, shownRows, expectedRows;
    for (int row = 0; row < expected.size(); ++row) {
        const Stored& e = expected.at(row);
        expectedKeys << key(e);
        QStringList texts{e.code, e.name};
        if (table == "duty" || table == "sort")
            texts << e.value;
        if (table == "feast")
            texts << (e.date.endsWith(u'*') ? lunarShown.value(e.date, "?") : e.date);
        expectedRows << texts.join(u'|');
        Stored shown{model.text(row, f.m.codeColumn), model.text(row, f.m.nameColumn),
                     table == "duty" || table == "sort" ? model.text(row, 3) : "0",
                     table == "feast" ? sortKeyOf.value(model.text(row, 3), model.text(row, 3))
                                      : ""};
        shownKeys << key(shown);
        QStringList shownTexts{shown.code, shown.name};
        if (table == "duty" || table == "sort" || table == "feast")
            shownTexts << model.text(row, 3);
        shownRows << shownTexts.join(u'|');
        if (f.m.codeColumn == 1)
            QVERIFY(model.text(row, 0).isEmpty());
    }
    // Rows with equal keys (posts of one rank) may come in either order.
    QCOMPARE(shownKeys, expectedKeys);
    shownRows.sort();
    expectedRows.sort();
    QCOMPARE(shownRows, expectedRows);
}

void TestRefTables::secondOfThreeInUseIsKept_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("use");
    for (const Use& use : uses())
        QTest::addRow("%s: %s", qPrintable(use.table), qPrintable(use.label))
            << use.table << use.statement;
}

void TestRefTables::secondOfThreeInUseIsKept() {
    QFETCH(QString, table);
    QFETCH(QString, use);
    Fixture f(table);
    for (const char* name : {"第一", "第二", "第三"})
        QVERIFY(f.add(name));
    QVERIFY(f.list.load());
    QVERIFY(f.db.execute(sql::format(use, f.codeOf("第二"))));
    const int before = f.list.count();
    for (const char* name : {"第一", "第二", "第三"})
        f.list.model().setChecked(f.rowOf(name), true);
    f.prompter.clear();
    f.list.deleteTicked();

    QCOMPARE(f.prompter.messages.size(), 2);
    QCOMPARE(f.prompter.messages.at(0).caption, QStringLiteral("确认"));
    QCOMPARE(f.prompter.messages.at(0).text, QStringLiteral("确定要删除所选资料吗?"));
    QCOMPARE(f.prompter.messages.at(1).caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages.at(1).text,
             QStringLiteral("名称为[ 第二 ]的资料已被使用,不能直接删除"));
    QCOMPARE(f.prompter.messages.at(1).icon, PromptIcon::Question);
    const QStringList stored = f.storedNames();
    QVERIFY(!stored.contains("第一"));
    QVERIFY(stored.contains("第二"));
    QVERIFY(!stored.contains("第三"));
    QVERIFY(f.rowOf("第一") < 0 && f.rowOf("第三") < 0 && f.rowOf("第二") >= 0);
    QCOMPARE(f.list.count(), before - 2);
    QCOMPARE(f.list.title(), f.title(before - 2));
    QVERIFY(f.list.changed());
}

void TestRefTables::feastsDeleteWithoutGuard() {
    Fixture f("feast");
    for (const char* name : {"第一", "第二", "第三"})
        QVERIFY(f.add(name));
    QVERIFY(f.list.load());
    for (int row = 0; row < f.list.model().rowCount(); ++row)
        f.list.model().setChecked(row, true);
    f.prompter.clear();
    f.list.deleteTicked();
    QCOMPARE(f.prompter.texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(f.list.model().rowCount(), 0);
    QCOMPARE(f.list.title(), f.title(0));
    QVERIFY(f.storedNames().isEmpty());
}

void TestRefTables::nothingTickedOrNoDeletesNothing() {
    Fixture f("region");
    QVERIFY(f.list.load());
    const QStringList before = f.storedNames();
    f.list.deleteTicked();
    QCOMPARE(f.prompter.texts(), QStringList{"请选择所要删除的资料!"});
    QCOMPARE(f.prompter.messages.first().kind, ScriptedPrompter::Message::Kind::Notice);

    f.prompter.clear();
    f.list.model().setChecked(0, true);
    f.prompter.answer(false);
    f.list.deleteTicked();
    QCOMPARE(f.prompter.texts(), QStringList{"确定要删除所选资料吗?"});
    QCOMPARE(f.storedNames(), before);
    QVERIFY(!f.list.changed());
}

void TestRefTables::namesStoredExactly_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    for (const Member& m : members()) {
        QTest::addRow("%s: quote", qPrintable(m.table)) << m.table << "O'Neil's" << false;
        QTest::addRow("%s: doubled quote", qPrintable(m.table)) << m.table << "a''b" << false;
        // The percent sign is one of the characters the province and association type names refuse.
        QTest::addRow("%s: percent", qPrintable(m.table))
            << m.table << "100%满意" << m.illegalCheck;
        QTest::addRow("%s: twenty chinese", qPrintable(m.table))
            << m.table << chineseName(20) << false;
    }
}

void TestRefTables::namesStoredExactly() {
    QFETCH(QString, table);
    QFETCH(QString, name);
    QFETCH(bool, refused);
    Fixture f(table);
    const QStringList before = f.storedNames();
    QCOMPARE(f.add(name), !refused);
    if (refused) {
        QCOMPARE(f.prompter.texts(), QStringList{"名称中有非法字符!"});
        QCOMPARE(f.storedNames(), before);
        return;
    }
    QVERIFY(f.prompter.messages.isEmpty());
    QCOMPARE(f.storedNames().count(name), 1);
    QVERIFY(f.list.load());
    QVERIFY(f.rowOf(name) >= 0);

    // Renamed to itself with a suffix, then back: stored exactly both ways.
    const QString code = f.codeOf(name);
    const QString renamed = name.left(f.m.maxLength - 1) + u'\'';
    RefRecordForm modify(f.db, f.prompter, f.definition, RefRecordForm::Mode::Modify, code);
    QVERIFY(modify.submit(renamed, f.m.fieldValues).saved);
    QVERIFY(f.storedNames().contains(renamed));
    QVERIFY(modify.submit(name, f.m.fieldValues).saved);
    QCOMPARE(f.storedNames().count(name), 1);
    QVERIFY(f.list.load());
    QCOMPARE(f.codeOf(name), code);
}

void TestRefTables::nameOverTheLimitIsRefused() {
    QFETCH(QString, table);
    Fixture f(table);
    const QStringList before = f.storedNames();
    QVERIFY(f.add(QString(f.m.maxLength, u'满')));
    const QString tooLong = QString(f.m.maxLength + 1, u'长');
    QVERIFY(!f.add(tooLong));
    QCOMPARE(f.prompter.messages.size(), 1);
    QVERIFY(f.prompter.lastText().contains(QString::number(f.m.maxLength)));
    QVERIFY(!f.storedNames().contains(tooLong));
    QCOMPARE(f.storedNames().size(), before.size() + 1);
}

void TestRefTables::checksInOrder_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    for (const Member& m : members())
        QTest::addRow("%s: empty name", qPrintable(m.table))
            << m.table << "" << QStringList{"", ""} << m.emptyMessage << -1;
    QTest::newRow("province: slash") << "province"
                                     << "a/b" << QStringList{} << "名称中有非法字符!" << -1;
    QTest::newRow("assosort: comma") << "assosort"
                                     << "a,b" << QStringList{} << "名称中有非法字符!" << -1;
    QTest::newRow("region: slash is a name") << "region"
                                             << "a/b" << QStringList{} << "" << -2;
    QTest::newRow("duty: empty value") << "duty"
                                       << "科员" << QStringList{""} << "请输入分值!" << 0;
    QTest::newRow("sort: empty value")
        << "sort"
        << "E级" << QStringList{"", ""} << "级别分值是用来计算人脉等级分.\n请输入级别分值!" << 0;
    QTest::newRow("sort: empty interval")
        << "sort"
        << "E级" << QStringList{"5", ""} << "往来时间间隔是用来自动安排往来的时间.\n请输入时间间隔!"
        << 1;
    QTest::newRow("sort: letters in value")
        << "sort"
        << "E级" << QStringList{"5a", "7"} << "级别分值只能是5位以内的数字!" << 0;
    QTest::newRow("duty: six digits")
        << "duty"
        << "科员" << QStringList{"123456"} << "分值只能是5位以内的数字!" << 0;
    QTest::newRow("feast: 02-30") << "feast"
                                  << "某节" << QStringList{"02", "30", "0"} << "日期输入有误!" << 1;
    QTest::newRow("feast: 04-31") << "feast"
                                  << "某节" << QStringList{"04", "31", "0"} << "日期输入有误!" << 1;
    QTest::newRow("feast: 02-29") << "feast"
                                  << "某节" << QStringList{"02", "29", "0"} << "" << -2;
    QTest::newRow("feast: lunar 02-30") << "feast"
                                        << "某节" << QStringList{"02", "30", "1"} << "" << -2;
}

void TestRefTables::checksInOrder() {
    QFETCH(QString, table);
    QFETCH(QString, name);
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(int, focus);
    Fixture f(table);
    const int before = f.storedNames().size();
    RefRecordForm form(f.db, f.prompter, f.definition, RefRecordForm::Mode::Add);
    fields = fields.mid(0, f.definition.fields.size());
    const RefRecordForm::Outcome outcome = form.submit(name, fields);
    QCOMPARE(outcome.saved, message.isEmpty());
    QCOMPARE(outcome.focus, focus);
    if (message.isEmpty()) {
        QVERIFY(f.prompter.messages.isEmpty());
        QCOMPARE(f.storedNames().size(), before + 1);
        return;
    }
    QCOMPARE(f.prompter.texts(), QStringList{message});
    QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Information);
    QCOMPARE(f.storedNames().size(), before);
}

void TestRefTables::modifyPrefillsAndRewrites_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("changed");
    QTest::addColumn<QString>("stored"); // the other columns as stored after the change
    QTest::newRow("duty") << "duty" << QStringList{"42"} << QStringList{"43"} << "43";
    QTest::newRow("feast") << "feast" << QStringList{"09", "10", "0"}
                           << QStringList{"12", "25", "0"} << "12|25|0";
    // A lunar row is listed by its names and still opens with what it stores.
    QTest::newRow("feast, lunar to Gregorian")
        << "feast" << QStringList{"08", "15", "1"} << QStringList{"10", "01", "0"} << "10|01|0";
    QTest::newRow("feast, Gregorian to lunar")
        << "feast" << QStringList{"12", "31", "0"} << QStringList{"12", "30", "1"} << "12|30|1";
    QTest::newRow("sort") << "sort" << QStringList{"8", "14"} << QStringList{"9", "21"} << "9|21";
    QTest::newRow("degree") << "degree" << QStringList{} << QStringList{} << "";
}

void TestRefTables::modifyPrefillsAndRewrites() {
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, changed);
    QFETCH(QString, stored);
    Fixture f(table);
    QVERIFY(f.add("原名", fields));
    QVERIFY(f.list.load());
    const int row = f.rowOf("原名");
    const RefRecord start = f.list.record(row);
    QCOMPARE(start.name, QStringLiteral("原名"));
    QCOMPARE(start.fields, fields);
    QCOMPARE(start.code, f.list.model().text(row, 1));

    RefRecordForm form(f.db, f.prompter, f.definition, RefRecordForm::Mode::Modify, start.code);
    QVERIFY(form.submit("新名", changed).saved);
    QStringList others;
    QString name;
    f.db.query(
        sql::format(QStringLiteral("select * from %1 where %1_code=%s").arg(table), start.code),
        [&](const Row& row) {
            name = row.text(table + "_name");
            for (const RefField& field : f.definition.fields)
                others << row.text(field.column);
            return true;
        });
    QCOMPARE(name, QStringLiteral("新名"));
    QCOMPARE(others.join(u'|'), stored);
}

void TestRefTables::modifyTakesTheFirstTickedRow() {
    Fixture f("region");
    QVERIFY(f.list.load());
    QList<int> opened;
    auto open = [&opened](int row) {
        opened << row;
        return false;
    };
    f.list.modify(open);
    QCOMPARE(f.prompter.texts(), QStringList{"请在选择框中选中所要修改的资料!"});
    QVERIFY(opened.isEmpty());

    f.prompter.clear();
    f.list.model().setChecked(4, true);
    f.list.model().setChecked(2, true);
    f.list.modify(open);
    QCOMPARE(opened, QList<int>{2});
    QVERIFY(f.prompter.messages.isEmpty());
    QVERIFY(!f.list.changed());
    f.list.modify([](int) { return true; });
    QVERIFY(f.list.changed());
}

void TestRefTables::doubleClickTicksTheSelectedRow() {
    Fixture f("region");
    QVERIFY(f.list.load());
    QList<int> opened;
    auto open = [&opened](int row) {
        opened << row;
        return false;
    };
    f.list.openSelected(-1, open);
    QCOMPARE(f.prompter.texts(), QStringList{"请选择所要操作的数据!"});
    f.list.model().setChecked(1, true);
    f.list.openSelected(3, open);
    QCOMPARE(opened, QList<int>{3});
    QVERIFY(f.list.model().isChecked(3));
}

void TestRefTables::addLoopsWhileTheUserWantsMore() {
    Fixture f("region");
    QVERIFY(f.list.load());
    const int before = f.list.count();
    QStringList names{"新一", "新二"};
    int opened = 0;
    f.prompter.answer(true);
    f.prompter.answer(false);
    f.list.add([&](int row) {
        ++opened;
        return row == -1 && f.add(names.value(opened - 1));
    });
    QCOMPARE(opened, 2);
    QCOMPARE(f.prompter.texts(), (QStringList{"继续增加吗?", "继续增加吗?"}));
    QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(f.list.count(), before + 2);
    QVERIFY(f.rowOf("新一") >= 0 && f.rowOf("新二") >= 0);
    QVERIFY(f.list.changed());

    // A cancelled form ends the loop without a question.
    Fixture g("region");
    g.list.add([](int) { return false; });
    QVERIFY(g.prompter.messages.isEmpty());
    QVERIFY(!g.list.changed());
}

QTEST_GUILESS_MAIN(TestRefTables)
#include "tst_reftables.moc"
