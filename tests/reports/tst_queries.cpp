// SPDX-License-Identifier: GPL-3.0-or-later
// The query rules without a display: the date range of the query forms, the
// contact query's condition, the interaction query with its totals, and the
// document search.
#include "ReportsFixture.h"

#include "contacts/ContactList.h"
#include "reports/ContactQuery.h"
#include "reports/DocumentQuery.h"
#include "reports/InteractionQuery.h"
#include "reports/InteractionResults.h"
#include "ui/ReportModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(DateFields)

namespace {

const QString kLive = QStringLiteral("base_invalid_flag=1");

QStringList namesOf(Database& db, const sql::Statement& condition) {
    QStringList names;
    db.query(sql::format("select base_name from base where %s order by base_code", condition),
             [&names](const Row& row) {
                 names << row.textAt(0);
                 return true;
             });
    return names;
}

} // namespace

class TestQueries : public QObject {
    Q_OBJECT
  private slots:
    void dateRange_data();
    void dateRange();
    void contactCondition_data();
    void contactCondition();
    void contactQueryFindsAcrossUsers();
    void contactQueryFillsTheList();
    void contactQueryWithoutMatch();
    void interactionConditions();
    void todayConditions();
    void interactionRows();
    void interactionTotals_data();
    void interactionTotals();
    void interactionRangeAndOwner();
    void documentStatements();
    void documentSearch();
    void documentToOpen();
};

// Today is 2026-12-07. Each case: the six lists as chosen, then the message
// or the condition as it reads with its values written in.
void TestQueries::dateRange_data() {
    QTest::addColumn<DateFields>("fields");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    const QString range = QStringLiteral(" comm_date between cdate('%1') and cdate('%2') ");
    QTest::newRow("nothing chosen") << DateFields{} << QString() << QString();
    QTest::newRow("only the end year") << DateFields{{}, {}, {}, "2020", {}, {}} << QString()
                                       << range.arg("1990/01/01", "2020/12/07");
    QTest::newRow("only the start year") << DateFields{"2024", {}, {}, {}, {}, {}} << QString()
                                         << range.arg("2024/01/01", "2026/12/07");
    QTest::newRow("whole range") << DateFields{"2025", "03", "15", "2026", "01", "31"} << QString()
                                 << range.arg("2025/03/15", "2026/01/31");
    QTest::newRow("start day without month, year chosen")
        << DateFields{"2025", {}, "05", {}, {}, {}} << QStringLiteral("请选择起始月份!")
        << QString();
    QTest::newRow("start month without year")
        << DateFields{{}, "05", {}, {}, {}, {}} << QStringLiteral("请选择起始年份!") << QString();
    QTest::newRow("start month and day without year")
        << DateFields{{}, "05", "09", {}, {}, {}} << QStringLiteral("请选择起始年份!") << QString();
    QTest::newRow("end month without year")
        << DateFields{{}, {}, {}, {}, "05", {}} << QStringLiteral("请选择结束年份!") << QString();
    QTest::newRow("end day without month") << DateFields{{}, {}, {}, "2026", {}, "05"}
                                           << QStringLiteral("请选择结束月份!") << QString();
    QTest::newRow("29 February of a common year") << DateFields{"2023", "02", "29", {}, {}, {}}
                                                  << QStringLiteral("日期选择有误!") << QString();
    QTest::newRow("29 February of a leap year")
        << DateFields{"2024", "02", "29", {}, {}, {}} << QString()
        << range.arg("2024/02/29", "2026/12/07");
    QTest::newRow("31 April at the end") << DateFields{{}, {}, {}, "2026", "04", "31"}
                                         << QStringLiteral("日期选择有误!") << QString();
    QTest::newRow("start refused before the end")
        << DateFields{{}, "02", {}, {}, "03", {}} << QStringLiteral("请选择起始年份!") << QString();
}

void TestQueries::dateRange() {
    QFETCH(DateFields, fields);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    ReportsFixture f;
    const auto condition = daterange::condition(fields, f.clock, f.prompter);
    if (!message.isEmpty()) {
        QVERIFY(!condition);
        QCOMPARE(f.prompter.messages.size(), 1);
        QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("提示"));
        QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Information);
        QCOMPARE(f.prompter.lastText(), message);
        return;
    }
    QVERIFY(condition);
    QVERIFY(f.prompter.messages.isEmpty());
    QCOMPARE(condition->shown(), shown);
    // The condition runs as it is.
    QVERIFY(shown.isEmpty() ||
            f.db.count(sql::format("select count(*) from comm where %s", *condition)) >= 0);
}

// The contact query's condition, fragment by fragment. Codes are looked up by
// the test's own statements; the expected texts are the form's fragments
// written out by hand.
void TestQueries::contactCondition_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("information");
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("province");
    QTest::addColumn<DateFields>("dates");
    QTest::addColumn<QString>("shown");

    QTest::newRow("every field empty") << -1 << ""
                                       << ""
                                       << ""
                                       << ""
                                       << "" << DateFields{} << "base_invalid_flag=1";
    QTest::newRow("text without a category") << -1 << "张"
                                             << ""
                                             << ""
                                             << ""
                                             << "" << DateFields{} << "base_invalid_flag=1";
    QTest::newRow("category without text") << 0 << ""
                                           << ""
                                           << ""
                                           << ""
                                           << "" << DateFields{} << "base_invalid_flag=1";
    QTest::newRow("department") << -1 << ""
                                << "销售部"
                                << ""
                                << ""
                                << "" << DateFields{}
                                << "base_user_dep_code=#dep  and base_invalid_flag=1";
    QTest::newRow("user") << -1 << ""
                          << ""
                          << "admin"
                          << ""
                          << "" << DateFields{} << "base_user_code=1  and base_invalid_flag=1";
    QTest::newRow("department and user")
        << -1 << ""
        << "销售部"
        << "admin"
        << ""
        << "" << DateFields{}
        << "base_user_dep_code=#dep and base_user_code=1  and base_invalid_flag=1";
    QTest::newRow("level and province")
        << -1 << ""
        << ""
        << ""
        << "B级-重要"
        << "江苏省" << DateFields{}
        << "base_sort_code=#level and base_province_code=#province  and base_invalid_flag=1";
    QTest::newRow("name with a quote")
        << 0 << "O'Neil"
        << ""
        << ""
        << ""
        << "" << DateFields{} << "base_name like '%O''Neil%'  and base_invalid_flag=1";
    QTest::newRow("mobile after a level")
        << 1 << "139"
        << ""
        << ""
        << "A级-核心"
        << "" << DateFields{}
        << "base_sort_code=#a and base_mobil like '%139%'  and base_invalid_flag=1";
    QTest::newRow("phone") << 2 << "8888"
                           << ""
                           << ""
                           << ""
                           << "" << DateFields{}
                           << "base_phone like '%8888%'  and base_invalid_flag=1";
    QTest::newRow("work name") << 3 << "科技"
                               << ""
                               << ""
                               << ""
                               << "" << DateFields{}
                               << "work_name like '%科技%'  and base_invalid_flag=1";
    QTest::newRow("work address") << 4 << "中山路"
                                  << ""
                                  << ""
                                  << ""
                                  << "" << DateFields{}
                                  << "work_address like '%中山路%'  and base_invalid_flag=1";
    QTest::newRow("dates alone")
        << -1 << ""
        << ""
        << ""
        << ""
        << "" << DateFields{"2025", {}, {}, {}, {}, {}}
        << " base_code in (select comm_base_code from comm where  comm_date between "
           "cdate('2025/01/01') and cdate('2026/12/07') ) and base_invalid_flag=1";
    QTest::newRow("dates after a user")
        << -1 << ""
        << ""
        << "admin"
        << ""
        << "" << DateFields{"2025", {}, {}, {}, {}, {}}
        << "base_user_code=1  and base_code in (select comm_base_code from comm where  comm_date "
           "between cdate('2025/01/01') and cdate('2026/12/07') ) and base_invalid_flag=1";
}

void TestQueries::contactCondition() {
    QFETCH(int, category);
    QFETCH(QString, information);
    QFETCH(QString, department);
    QFETCH(QString, user);
    QFETCH(QString, level);
    QFETCH(QString, province);
    QFETCH(DateFields, dates);
    QFETCH(QString, shown);
    ReportsFixture f;
    shown.replace(QStringLiteral("#dep"), QString::number(f.department(QStringLiteral("销售部"))))
        .replace(QStringLiteral("#level"), QString::number(f.level(QStringLiteral("B级-重要"))))
        .replace(QStringLiteral("#province"), QString::number(f.province(QStringLiteral("江苏省"))))
        .replace(QStringLiteral("#a"), QString::number(f.level(QStringLiteral("A级-核心"))));

    ContactQuery query(f.db, f.prompter, f.clock);
    const auto condition =
        query.condition({category, information, department, user, level, province, dates});
    QVERIFY(condition);
    QCOMPARE(condition->shown(), shown);
    // What was typed travels as a value, never as statement text.
    if (!information.isEmpty())
        QVERIFY(!condition->text().contains(information));
    QVERIFY(f.db.count(sql::format(ContactQuery::kCount, *condition)) >= 0);
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestQueries::contactQueryFindsAcrossUsers() {
    ReportsFixture f;
    const qint64 sales = f.department(QStringLiteral("销售部"));
    const qint64 other = f.addUser(QStringLiteral("lisi"), sales);
    QVERIFY(other > 0);
    f.addContact(QStringLiteral("王一"));
    f.addContact(QStringLiteral("O'Neil"),
                 {{"base_user_code", other}, {"base_user_dep_code", sales}});
    f.addContact(QStringLiteral("李三"),
                 {{"base_user_code", other}, {"base_user_dep_code", sales}});
    f.addContact(QStringLiteral("赵四"), {{"base_invalid_flag", 0}});
    f.addContact(QStringLiteral("O'Hara"), {{"base_invalid_flag", 0}});

    ContactQuery query(f.db, f.prompter, f.clock);
    // Every field empty: the live contacts of every user, none in the trash.
    const auto all = query.condition({});
    QVERIFY(all);
    QCOMPARE(namesOf(f.db, *all), (QStringList{QStringLiteral("王一"), QStringLiteral("O'Neil"),
                                               QStringLiteral("李三")}));
    QVERIFY(query.hasMatches(*all));

    // A typed quote is matched as a quote.
    ContactQueryForm quoted;
    quoted.category = 0;
    quoted.information = QStringLiteral("O'N");
    QCOMPARE(namesOf(f.db, *query.condition(quoted)), QStringList{QStringLiteral("O'Neil")});
    quoted.information = QStringLiteral("'");
    QCOMPARE(namesOf(f.db, *query.condition(quoted)), QStringList{QStringLiteral("O'Neil")});
    // Text that would end the quote and add a clause of its own finds nothing.
    quoted.information = QStringLiteral("' or 1=1 or base_name like '");
    QCOMPARE(namesOf(f.db, *query.condition(quoted)), QStringList{});

    ContactQueryForm byDepartment;
    byDepartment.department = QStringLiteral("销售部");
    QCOMPARE(namesOf(f.db, *query.condition(byDepartment)),
             (QStringList{QStringLiteral("O'Neil"), QStringLiteral("李三")}));
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestQueries::contactQueryFillsTheList() {
    // The condition is written over base without an alias; the list's own
    // statement names base "b" and joins duty: it must still run there.
    ReportsFixture f;
    const qint64 first =
        f.addContact(QStringLiteral("王一"), {{"work_name", QStringLiteral("星光科技")}});
    const qint64 second =
        f.addContact(QStringLiteral("王二"), {{"work_name", QStringLiteral("蓝天贸易")}});
    ContactQuery query(f.db, f.prompter, f.clock);
    ContactQueryForm form;
    form.category = 3;
    form.information = QStringLiteral("科技");
    form.dates.startYear = QStringLiteral("2020");
    f.addInteraction(first, "2026", "11", "02");
    f.addInteraction(second, "2026", "11", "03");
    const auto condition = query.condition(form);
    QVERIFY(condition);
    ReportModel model(ContactList::kColumns);
    ContactList list(f.db, f.prompter, f.clock, 1, model);
    QVERIFY(list.load(*condition, ContactList::Contacts, 1));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.text(0, ContactList::NameColumn), QStringLiteral("王一"));
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestQueries::contactQueryWithoutMatch() {
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"));
    ContactQuery query(f.db, f.prompter, f.clock);
    ContactQueryForm form;
    form.category = 0;
    form.information = QStringLiteral("不存在的人");
    QVERIFY(!query.hasMatches(*query.condition(form)));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Question);
    QCOMPARE(f.prompter.lastText(), QStringLiteral("没有符合条件的记录!"));
}

void TestQueries::interactionConditions() {
    ReportsFixture f;
    InteractionQuery query(f.db, f.prompter, f.clock, 7);
    InteractionQueryForm form;
    QCOMPARE(query.conditions(form)->base.shown(),
             QStringLiteral("base_user_code=7  and base_invalid_flag=1"));
    QVERIFY(query.conditions(form)->comm.isEmpty());

    // Every field, in the form's own order: address before name.
    form.name = QStringLiteral("O'Neil");
    form.mobile = QStringLiteral("139");
    form.phone = QStringLiteral("025");
    form.workName = QStringLiteral("科技");
    form.workAddress = QStringLiteral("中山路");
    form.workPhone = QStringLiteral("8888");
    form.province = QStringLiteral("江苏省");
    form.level = QStringLiteral("B级-重要");
    form.dates.endYear = QStringLiteral("2025");
    const auto both = query.conditions(form);
    QVERIFY(both);
    QString expected = QStringLiteral(
        "base_user_code=7 and base_name like '%O''Neil%' and base_mobil like '%139%' and "
        "base_phone like '%025%' and work_address like '%中山路%' and work_name like '%科技%' "
        "and work_phone like '%8888%' and base_province_code=#p and base_sort_code=#l  and "
        "base_invalid_flag=1");
    expected.replace(QStringLiteral("#p"), QString::number(f.province(QStringLiteral("江苏省"))))
        .replace(QStringLiteral("#l"), QString::number(f.level(QStringLiteral("B级-重要"))));
    QCOMPARE(both->base.shown(), expected);
    QCOMPARE(both->comm.shown(),
             QStringLiteral(" comm_date between cdate('1990/01/01') and cdate('2025/12/07') "));
    QVERIFY(!both->base.text().contains(QStringLiteral("Neil")));

    form.dates.startDay = QStringLiteral("03");
    QVERIFY(!query.conditions(form));
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请选择起始月份!"));
}

void TestQueries::todayConditions() {
    ReportsFixture f;
    const InteractionConditions today = InteractionQuery(f.db, f.prompter, f.clock, 3).today();
    // "%d/%2d/%2d": month and day padded with blanks.
    QCOMPARE(today.comm.shown(),
             QStringLiteral(" comm_date between cdate('2026/12/ 7') and cdate('2026/12/ 7') "));
    QCOMPARE(today.base.shown(), QStringLiteral(" base_invalid_flag=1 and base_user_code=3 "));
}

void TestQueries::interactionRows() {
    ReportsFixture f;
    const qint64 a = f.addContact(QStringLiteral("王一"),
                                  {{"work_name", QStringLiteral("星光科技")},
                                   {"work_duty_code", f.duty(QStringLiteral("经理"))},
                                   {"base_sort_code", f.level(QStringLiteral("A级-核心"))}});
    f.addInteraction(a, "2026", "12", "07",
                     {{"comm_clock", "9"},
                      {"comm_minute", "30"},
                      {"comm_place", "茶楼"},
                      {"comm_reason", "叙旧"},
                      {"comm_client", "王一"},
                      {"comm_myjoin", "本人"},
                      {"comm_gift", "茶叶"},
                      {"comm_cost", "120.5"},
                      {"comm_tran", ""},
                      {"comm_spent", "90"}});
    f.addInteraction(a, "2026", "11", "20", {{"comm_clock", "14"}, {"comm_minute", ""}});
    f.addInteraction(a, "2026", "10", "01", {{"comm_clock", ""}, {"comm_minute", "15"}});

    ReportRows rows;
    InteractionTotals totals;
    InteractionQuery query(f.db, f.prompter, f.clock, 1);
    QVERIFY(InteractionResults(f.db).fetch(*query.conditions({}), rows, totals));
    QCOMPARE(rows.size(), 3);
    QStringList first;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (rows.text(r, InteractionResults::DateColumn) == QStringLiteral("2026-12-07"))
            first = rows.texts(r);
    }
    QCOMPARE(first, (QStringList{"", "2026-12-07", "9:30", "拜访", "茶楼", "叙旧", "A级-核心",
                                 "王一", "经理", "星光科技", "王一", "本人", "茶叶", "120.5", ""}));
    QStringList times;
    for (qsizetype r = 0; r < rows.size(); ++r)
        times << rows.text(r, InteractionResults::TimeColumn);
    times.sort();
    QCOMPARE(times, (QStringList{"", "14:00", "9:30"}));
}

// The totals: sums of minutes, spending and income, the count, and the
// averages per interaction. Amounts are stored as text.
void TestQueries::interactionTotals_data() {
    QTest::addColumn<QList<QStringList>>("interactions"); // contact, spent, cost, income
    QTest::addColumn<QStringList>("shown"); // time, cost, count, avg time, avg cost, income
    QTest::addColumn<int>("contacts");

    QTest::newRow("no rows") << QList<QStringList>{}
                             << QStringList{"0.00", "0.00", "0", "0.00", "0.00", "0.00"} << 0;
    QTest::newRow("two of one contact, then another")
        << QList<QStringList>{{"A", "30", "100", ""},
                              {"A", "60", "50.5", "200"},
                              {"B", "15", "", "1000"}}
        << QStringList{"105.00", "150.50", "3", "35.00", "50.17", "1200.00"} << 2;
    QTest::newRow("text after the number counts for nothing")
        << QList<QStringList>{{"A", "10.5.5", "7..", "abc"}}
        << QStringList{"10.50", "7.00", "1", "10.50", "7.00", "0.00"} << 1;
    // 2^24 + 1 has no float: the sums are kept in single precision.
    QTest::newRow("single precision")
        << QList<QStringList>{{"A", "16777216", "0.1", ""}, {"A", "1", "0.2", ""}}
        << QStringList{"16777216.00", "0.30", "2", "8388608.00", "0.15", "0.00"} << 1;
}

void TestQueries::interactionTotals() {
    QFETCH(QList<QStringList>, interactions);
    QFETCH(QStringList, shown);
    QFETCH(int, contacts);
    ReportsFixture f;
    QMap<QString, qint64> codes;
    for (const QStringList& i : interactions) {
        if (!codes.contains(i.at(0)))
            codes.insert(i.at(0), f.addContact(i.at(0)));
        f.addInteraction(codes.value(i.at(0)), "2026", "12", "01",
                         {{"comm_spent", i.at(1)}, {"comm_cost", i.at(2)}, {"comm_tran", i.at(3)}});
    }
    ReportRows rows;
    InteractionTotals totals;
    QVERIFY(InteractionResults(f.db).fetch(
        *InteractionQuery(f.db, f.prompter, f.clock, 1).conditions({}), rows, totals));
    QCOMPARE((QStringList{totals.timeText(), totals.costText(), totals.countText(),
                          totals.averageTimeText(), totals.averageCostText(), totals.incomeText()}),
             shown);
    QCOMPARE(totals.contacts, contacts);
}

void TestQueries::interactionRangeAndOwner() {
    ReportsFixture f;
    const qint64 mine = f.addContact(QStringLiteral("王一"));
    const qint64 trashed = f.addContact(QStringLiteral("王二"), {{"base_invalid_flag", 0}});
    const qint64 other = f.addUser(QStringLiteral("lisi"), 1);
    const qint64 theirs = f.addContact(QStringLiteral("王三"), {{"base_user_code", other}});
    for (qint64 c : {mine, trashed, theirs}) {
        f.addInteraction(c, "2026", "12", "07");
        f.addInteraction(c, "2026", "12", "06");
    }
    f.addInteraction(mine, "2025", "02", "28");

    InteractionResults results(f.db);
    ReportRows rows;
    InteractionTotals totals;
    QVERIFY(results.fetch(InteractionQuery(f.db, f.prompter, f.clock, 1).today(), rows, totals));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.text(0, InteractionResults::NameColumn), QStringLiteral("王一"));

    InteractionQueryForm form;
    // The end month alone ends on its 7th (today is the 7th).
    form.dates = DateFields{"2025", "02", {}, "2025", "03", {}};
    QVERIFY(results.fetch(*InteractionQuery(f.db, f.prompter, f.clock, 1).conditions(form), rows,
                          totals));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.text(0, InteractionResults::DateColumn), QStringLiteral("2025-02-28"));

    // Today is the 7th: the end of a month chosen alone is that month's 7th.
    form.dates = DateFields{"2026", "12", "06", "2026", "12", {}};
    QVERIFY(results.fetch(*InteractionQuery(f.db, f.prompter, f.clock, 1).conditions(form), rows,
                          totals));
    QCOMPARE(rows.size(), 2);

    // On the 31st, February has no such day: its last day ends the range
    // instead of an error from the database.
    f.clock.setDate(QDate(2026, 1, 31));
    form.dates = DateFields{"2025", "01", {}, "2025", "02", {}};
    const auto february = InteractionQuery(f.db, f.prompter, f.clock, 1).conditions(form);
    QCOMPARE(february->comm.shown(),
             QStringLiteral(" comm_date between cdate('2025/01/01') and cdate('2025/02/28') "));
    QVERIFY(results.fetch(*february, rows, totals));
    QCOMPARE(rows.size(), 1);
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestQueries::documentStatements() {
    // The four statements by what is given, each value bound.
    const sql::Statement neither = DocumentQuery::statement({}, {});
    QVERIFY(neither.values().isEmpty());
    QVERIFY(neither.text().endsWith(QStringLiteral("b.base_invalid_flag=1 order by d.doc_title")));
    const sql::Statement keyword = DocumentQuery::statement(QStringLiteral("it's"), {});
    QCOMPARE(keyword.values(), QVariantList{QStringLiteral("%it's%")});
    QVERIFY(keyword.shown().contains(QStringLiteral("d.doc_keyword like '%it''s%'")));
    const sql::Statement category = DocumentQuery::statement({}, QStringLiteral("合同"));
    QCOMPARE(category.values(), QVariantList{QStringLiteral("合同")});
    QVERIFY(category.shown().contains(QStringLiteral("s.docsort_name='合同'")));
    const sql::Statement both =
        DocumentQuery::statement(QStringLiteral("年"), QStringLiteral("合同"));
    QCOMPARE(both.values(), (QVariantList{QStringLiteral("%年%"), QStringLiteral("合同")}));
}

void TestQueries::documentSearch() {
    ReportsFixture f;
    const qint64 a = f.addContact(QStringLiteral("王一"));
    const qint64 gone = f.addContact(QStringLiteral("王二"), {{"base_invalid_flag", 0}});
    f.addDocument(a, QStringLiteral("合同"), QStringLiteral("B 供货合同"),
                  QStringLiteral("供货,2026"), QStringLiteral("/nowhere/b.pdf"));
    f.addDocument(a, QStringLiteral("名片"), QStringLiteral("A 名片"),
                  QStringLiteral("O'Neil's card"), QStringLiteral("/nowhere/a.png"));
    f.addDocument(gone, QStringLiteral("合同"), QStringLiteral("C 旧合同"), QStringLiteral("供货"),
                  QStringLiteral("/nowhere/c.pdf"));
    DocumentQuery query(f.db, f.prompter);
    auto titles = [&](const QString& keyword, const QString& category) {
        QList<QStringList> rows;
        query.fetch(keyword, category, rows);
        QStringList out;
        for (const QStringList& row : rows)
            out << row.at(1);
        return out;
    };
    QCOMPARE(titles({}, {}), (QStringList{"A 名片", "B 供货合同"}));
    QCOMPARE(titles(QStringLiteral("供货"), {}), QStringList{"B 供货合同"});
    QCOMPARE(titles({}, QStringLiteral("名片")), QStringList{"A 名片"});
    QCOMPARE(titles(QStringLiteral("供货"), QStringLiteral("名片")), QStringList{});
    QCOMPARE(titles(QStringLiteral("Neil's"), {}), QStringList{"A 名片"});
    QCOMPARE(titles(QStringLiteral("'"), QStringLiteral("名片")), QStringList{"A 名片"});
    QVERIFY(f.prompter.messages.isEmpty());
    QVERIFY(query.categories().contains(QStringLiteral("合同")));
    QVERIFY(!query.categories().contains(QString()));
}

void TestQueries::documentToOpen() {
    ReportsFixture f;
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("合同.txt"));
    QFile file(present);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const qint64 a = f.addContact(QStringLiteral("王一"));
    f.addDocument(a, QStringLiteral("合同"), QStringLiteral("1 有文件"), {}, present);
    f.addDocument(a, QStringLiteral("合同"), QStringLiteral("2 文件不在"), {},
                  dir.filePath(QStringLiteral("gone.txt")));
    f.addDocument(a, QStringLiteral("合同"), QStringLiteral("3 没有路径"), {}, QString());

    DocumentQuery query(f.db, f.prompter);
    ReportModel model(DocumentQuery::kColumns);
    QList<QStringList> rows;
    QVERIFY(query.fetch({}, {}, rows));
    model.setRows(rows);
    QCOMPARE(model.rowCount(), 3);

    QVERIFY(query.fileToOpen(model, -1).isEmpty());
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请选择所要操作的数据!"));
    QVERIFY(model.checkedRows().isEmpty());

    QCOMPARE(query.fileToOpen(model, 0), present);
    QCOMPARE(model.checkedRows(), QList<int>{0});

    QVERIFY(query.fileToOpen(model, 1).isEmpty());
    QCOMPARE(f.prompter.lastText(),
             QStringLiteral("文件不存在,请重新确认文件位置.\r\n\r\n文件名:") +
                 dir.filePath(QStringLiteral("gone.txt")));
    QVERIFY(query.fileToOpen(model, 2).isEmpty());
    QCOMPARE(f.prompter.lastText(), QStringLiteral("数据库操作失败!"));
    for (const auto& m : f.prompter.messages) {
        QCOMPARE(m.caption, QStringLiteral("提示"));
        QCOMPARE(m.icon, PromptIcon::Information);
    }
}

QTEST_GUILESS_MAIN(TestQueries)
#include "tst_queries.moc"
