// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/Statement.h"
#include "interactions/InteractionFields.h"
#include "interactions/InteractionForm.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>

namespace {

// A form that passes every check; rows of the tests change one or two fields.
const QHash<QString, QString> kGood{
    {"comm_year", "2012"},
    {"comm_month", "05"},
    {"comm_day", "08"},
    {"comm_clock", "09"},
    {"comm_minute", "30"},
    {"comm_business_code", "拜访"},
    {"comm_gift", "茶叶"},
    {"comm_reason", "回访"},
    {"comm_client", "王经理"},
    {"comm_myjoin", "本人"},
    {"comm_place", "公司"},
    {"comm_spent", "90"},
    {"comm_tran", "1000.5"},
    {"comm_cost", "200"},
    {"comm_content", "谈合同"},
    {"comm_next_year", "2012"},
    {"comm_next_month", "06"},
    {"comm_next_day", "01"},
    {"comm_next_clock", "10"},
    {"comm_next_minute", "00"},
    {"comm_next_business_code", "电话"},
    {"comm_next_content", "确认报价"},
};

} // namespace

class TestInteractionForm : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void checksInOrder_data();
    void checksInOrder();
    void addWritesTheRowAndStampsTheContact();
    void modifyRewritesWithoutStamp();
    void addPresetsToday();
    void lists_data();
    void lists();

  private:
    qint64 contact();
    InteractionForm makeForm(const QHash<QString, QString>& values);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    FixedClock clock_{QDateTime(QDate(2012, 5, 8), QTime(9, 30))};
};

void TestInteractionForm::init() {
    clock_.set(QDateTime(QDate(2012, 5, 8), QTime(9, 30)));
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestInteractionForm::cleanup() {
    db_.reset();
    prompter_.reset();
    home_.reset();
}

qint64 TestInteractionForm::contact() {
    db_->execute(sql::Statement("insert into base(base_name,base_invalid_flag,base_lastmodi_date) "
                                "values('张三',1,'2010-01-01')"));
    return db_->count("select max(base_code) from base");
}

InteractionForm TestInteractionForm::makeForm(const QHash<QString, QString>& values) {
    InteractionForm form(*db_, *prompter_, clock_);
    form.startAdd(contact());
    form.clear();
    for (auto it = values.begin(); it != values.end(); ++it)
        form.setValue(it.key(), it.value());
    return form;
}

void TestInteractionForm::checksInOrder_data() {
    QTest::addColumn<QStringList>("changes"); // "column=value"
    QTest::addColumn<QString>("message");     // empty: the form saves
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("caption");

    const QString date = "请选择往来日期!";
    const QString wrong = "日期选择有误!";
    const QString partial = "下次安排日期输入不完整!";
    QTest::newRow("all good") << QStringList{} << ""
                              << "" << false << "";
    QTest::newRow("year empty") << QStringList{"comm_year="} << date << "comm_year" << false
                                << "提示";
    QTest::newRow("month empty") << QStringList{"comm_month="} << date << "comm_month" << false
                                 << "提示";
    QTest::newRow("day empty") << QStringList{"comm_day="} << date << "comm_day" << false << "提示";
    QTest::newRow("year before type") << QStringList{"comm_year=", "comm_business_code="} << date
                                      << "comm_year" << false << "提示";
    QTest::newRow("30 February") << QStringList{"comm_month=02", "comm_day=30"} << wrong
                                 << "comm_day" << false << "提示";
    QTest::newRow("29 February 2011")
        << QStringList{"comm_year=2011", "comm_month=02", "comm_day=29"} << wrong << "comm_day"
        << false << "提示";
    QTest::newRow("29 February 2012") << QStringList{"comm_month=02", "comm_day=29"} << ""
                                      << "" << false << "";
    QTest::newRow("31 April") << QStringList{"comm_month=04", "comm_day=31"} << wrong << "comm_day"
                              << false << "提示";
    QTest::newRow("type empty") << QStringList{"comm_business_code="} << "请选择往来类型!"
                                << "comm_business_code" << false << "提示";
    QTest::newRow("time spent with a letter")
        << QStringList{"comm_spent=12a"} << "时间长度中有非法字符，请检查!"
        << "comm_spent" << true << "提示";
    QTest::newRow("income with a sign")
        << QStringList{"comm_tran=-5"} << "收入项中有非法字符，请检查!"
        << "comm_tran" << true << "提示";
    QTest::newRow("income with two points")
        << QStringList{"comm_tran=12.5.3"} << "收入项中有非法字符，请检查!"
        << "comm_tran" << true << "提示";
    QTest::newRow("expense in words")
        << QStringList{"comm_cost=五元"} << "支出项中有非法字符，请检查!"
        << "comm_cost" << true << "提示";
    QTest::newRow("time spent before income")
        << QStringList{"comm_tran=x", "comm_spent=y"} << "时间长度中有非法字符，请检查!"
        << "comm_spent" << true << "提示";
    QTest::newRow("no plan at all passes")
        << QStringList{"comm_next_year=", "comm_next_month=", "comm_next_day="} << ""
        << "" << false << "";
    QTest::newRow("next month without year")
        << QStringList{"comm_next_year=", "comm_next_day="} << "请选择年份!"
        << "comm_next_year" << false << "提示";
    QTest::newRow("next year alone") << QStringList{"comm_next_month=", "comm_next_day="} << partial
                                     << "comm_next_month" << false << "提示";
    QTest::newRow("next year and month, no day")
        << QStringList{"comm_next_day="} << partial << "comm_next_month" << false << "提示";
    QTest::newRow("next day alone") << QStringList{"comm_next_year=", "comm_next_month="} << partial
                                    << "comm_next_year" << false << "提示";
    QTest::newRow("next 31 June") << QStringList{"comm_next_day=31"} << wrong << "comm_next_day"
                                  << false << "提示";
    QTest::newRow("next 29 February 2100 passes (every fourth year)")
        << QStringList{"comm_next_year=2100", "comm_next_month=02", "comm_next_day=29"} << ""
        << "" << false << "";
    QTest::newRow("next 30 February 2100")
        << QStringList{"comm_next_year=2100", "comm_next_month=02", "comm_next_day=30"} << wrong
        << "comm_next_day" << false << "提示";
    QTest::newRow("a type gone from the table")
        << QStringList{"comm_business_code=已删除的类型"} << "往来类型表操作失败,请检查系统设置!"
        << "" << false << "错误";
    QTest::newRow("a next type gone from the table")
        << QStringList{"comm_next_business_code=已删除的类型"}
        << "往来类型表操作失败,请检查系统设置!"
        << "" << false << "错误";
    QTest::newRow("no next type is the empty one") << QStringList{"comm_next_business_code="} << ""
                                                   << "" << false << "";
}

void TestInteractionForm::checksInOrder() {
    QFETCH(QStringList, changes);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(bool, selectAll);
    QFETCH(QString, caption);
    QHash<QString, QString> values = kGood;
    for (const QString& change : changes)
        values.insert(change.section(u'=', 0, 0), change.section(u'=', 1));
    InteractionForm form = makeForm(values);
    const qint64 before = db_->count("select count(*) from comm");
    QCOMPARE(form.save(), message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(prompter_->messages.isEmpty());
        QCOMPARE(db_->count("select count(*) from comm"), before + 1);
        return;
    }
    QCOMPARE(prompter_->texts(), QStringList{message});
    QCOMPARE(prompter_->messages[0].caption, caption);
    QVERIFY(form.failure());
    QCOMPARE(form.failure()->focus, focus);
    QCOMPARE(form.failure()->selectAll, selectAll);
    QCOMPARE(db_->count("select count(*) from comm"), before);
}

void TestInteractionForm::addWritesTheRowAndStampsTheContact() {
    InteractionForm form = makeForm(kGood);
    QCOMPARE(form.caption(), QStringLiteral("往来记录管理"));
    QVERIFY(form.save());
    QVERIFY(!form.code().isEmpty());
    const qint64 who = form.contact();
    QHash<QString, QString> row;
    db_->query(sql::format("select * from comm where comm_code=%s", form.code()),
               [&](const Row& r) {
                   for (const QString& column : kGood.keys())
                       row.insert(column, r.text(column));
                   row.insert("comm_base_code", r.text("comm_base_code"));
                   row.insert("comm_date", r.text("comm_date"));
                   return false;
               });
    const qint64 visit =
        db_->count("select business_code from business where business_name='拜访'");
    const qint64 call = db_->count("select business_code from business where business_name='电话'");
    QHash<QString, QString> expected = kGood;
    expected["comm_business_code"] = QString::number(visit);
    expected["comm_next_business_code"] = QString::number(call);
    expected["comm_base_code"] = QString::number(who);
    expected["comm_date"] = "2012-05-08";
    QCOMPARE(row, expected);
    QString stamp;
    db_->query(sql::format("select base_lastmodi_date from base where base_code=%ld", who),
               [&](const Row& r) {
                   stamp = r.textAt(0);
                   return false;
               });
    QCOMPARE(stamp, QStringLiteral("2012-05-08"));
    QVERIFY(prompter_->messages.isEmpty());

    // An earlier meeting entered afterwards leaves the newer stamp; a later one moves it.
    for (const auto& [day, expectedStamp] :
         {std::pair{"2012-04-30", "2012-05-08"}, std::pair{"2012-06-01", "2012-06-01"}}) {
        const QStringList parts = QString::fromLatin1(day).split('-');
        InteractionForm more(*db_, *prompter_, clock_);
        more.startAdd(who);
        more.clear();
        QHash<QString, QString> values = kGood;
        values["comm_year"] = parts[0];
        values["comm_month"] = parts[1];
        values["comm_day"] = parts[2];
        for (auto it = values.begin(); it != values.end(); ++it)
            more.setValue(it.key(), it.value());
        QVERIFY(more.save());
        db_->query(sql::format("select base_lastmodi_date from base where base_code=%ld", who),
                   [&](const Row& r) {
                       stamp = r.textAt(0);
                       return false;
                   });
        QCOMPARE(stamp, QString::fromLatin1(expectedStamp));
    }
}

void TestInteractionForm::modifyRewritesWithoutStamp() {
    InteractionForm first = makeForm(kGood);
    QVERIFY(first.save());
    InteractionForm form(*db_, *prompter_, clock_);
    form.startModify(first.contact(), first.code());
    QCOMPARE(form.caption(), QStringLiteral("往来记录--修改"));
    for (auto it = kGood.begin(); it != kGood.end(); ++it)
        form.setValue(it.key(), it.value());
    form.setValue("comm_day", "01");
    form.setValue("comm_content", "改过的内容");
    // The contact was stamped by the add; modifying leaves the stamp alone.
    QVERIFY(db_->execute(sql::format("update base set base_lastmodi_date='1999-09-09' where "
                                     "base_code=%ld",
                                     first.contact())));
    QVERIFY(form.save());
    QCOMPARE(form.code(), first.code());
    QCOMPARE(db_->count("select count(*) from comm"), 1);
    QString day, content, date, stamp;
    db_->query(sql::format("select comm_day,comm_content,comm_date from comm where comm_code=%s",
                           first.code()),
               [&](const Row& r) {
                   day = r.textAt(0);
                   content = r.textAt(1);
                   date = r.textAt(2);
                   return false;
               });
    QCOMPARE(day, QStringLiteral("01"));
    QCOMPARE(content, QStringLiteral("改过的内容"));
    QCOMPARE(date, QStringLiteral("2012-05-01"));
    db_->query(
        sql::format("select base_lastmodi_date from base where base_code=%ld", first.contact()),
        [&](const Row& r) {
            stamp = r.textAt(0);
            return false;
        });
    QCOMPARE(stamp, QStringLiteral("1999-09-09"));

    // Deleted meanwhile: nothing is written back.
    QVERIFY(db_->execute(sql::format("delete from comm where comm_code=%s", first.code())));
    QVERIFY(!form.save());
    QCOMPARE(db_->count("select count(*) from comm"), 0);
    QCOMPARE(prompter_->messages.size(), 1);
}

void TestInteractionForm::addPresetsToday() {
    InteractionForm form(*db_, *prompter_, clock_);
    form.startAdd(7);
    form.setValue("comm_gift", "花");
    clock_.set(QDateTime(QDate(2013, 1, 2), QTime(8, 0)));
    form.startAdd(7);
    QCOMPARE(form.value("comm_year"), QStringLiteral("2013"));
    QCOMPARE(form.value("comm_month"), QStringLiteral("01"));
    QCOMPARE(form.value("comm_day"), QStringLiteral("02"));
    for (const char* empty : {"comm_gift", "comm_clock", "comm_minute", "comm_business_code",
                              "comm_next_year", "comm_next_month", "comm_next_day"})
        QVERIFY2(form.value(empty).isEmpty(), empty);
}

void TestInteractionForm::lists_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("years") << int(interaction::Source::Years) << 100 << "2012"
                           << "1913";
    QTest::newRow("next years") << int(interaction::Source::NextYears) << 100 << "2012"
                                << "2111";
    QTest::newRow("months") << int(interaction::Source::Months) << 12 << "01"
                            << "12";
    QTest::newRow("days") << int(interaction::Source::Days) << 31 << "01"
                          << "31";
    QTest::newRow("hours") << int(interaction::Source::Hours) << 24 << "01"
                           << "24";
    QTest::newRow("minutes") << int(interaction::Source::Minutes) << 12 << "00"
                             << "55";
}

void TestInteractionForm::lists() {
    QFETCH(int, source);
    const QStringList entries =
        interaction::entries(static_cast<interaction::Source>(source), clock_);
    QTEST(int(entries.size()), "size");
    QTEST(entries.first(), "first");
    QTEST(entries.last(), "last");
}

QTEST_GUILESS_MAIN(TestInteractionForm)
#include "tst_interactionform.moc"
