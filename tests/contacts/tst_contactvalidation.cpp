// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactValidation.h"

#include "support/SampleContacts.h"

#include <QTest>

using contactcheck::Set;
using Changes = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Changes)
Q_DECLARE_METATYPE(Set)
Q_DECLARE_METATYPE(ContactPage)

namespace {

// A record every check accepts; each case changes a few columns of it.
ContactRecord validRecord() {
    return sample::minimalContact(QStringLiteral("张三"));
}

Changes date(const char* prefix, const char* y, const char* m, const char* d) {
    const QString p = QString::fromLatin1(prefix);
    return {{p + "year", y}, {p + "month", m}, {p + "day", d}};
}

} // namespace

class TestContactValidation : public QObject {
    Q_OBJECT

  private slots:
    void checks_data();
    void checks();
};

void TestContactValidation::checks_data() {
    QTest::addColumn<Set>("set");
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<QString>("message"); // empty: the record passes
    QTest::addColumn<ContactPage>("page");
    QTest::addColumn<QString>("focus");

    const auto B = ContactPage::Base;
    const auto W = ContactPage::Work;
    const auto H = ContactPage::Home;
    const auto X = ContactPage::Extend;
    const auto pass = [](const char* name, Set set, const Changes& c) {
        QTest::newRow(name) << set << c << QString() << ContactPage::Base << QString();
    };
    const auto fail = [](const char* name, Set set, const Changes& c, const char* message,
                         ContactPage page, const char* focus) {
        QTest::newRow(name) << set << c << QString::fromUtf8(message) << page
                            << QString::fromLatin1(focus);
    };

    pass("valid on add", Set::Add, {});
    pass("valid on modify", Set::Modify, {});

    // Basic page, same on add and modify; the first failure of the page wins.
    for (const Set set : {Set::Add, Set::Modify}) {
        const bool add = set == Set::Add;
        fail(add ? "empty name (add)" : "empty name (modify)", set,
             {{"base_name", ""}, {"base_sex", ""}}, "请输入姓名!", B, "base_name");
        fail(add ? "illegal name before sex (add)" : "illegal name before sex (modify)", set,
             {{"base_name", "张&三"}, {"base_sex", ""}}, "姓名中有非法字符，请检查!", B,
             "base_name");
    }
    fail("name with slash", Set::Add, {{"base_name", "a/b"}}, "姓名中有非法字符，请检查!", B,
         "base_name");
    pass("name with blank and quote", Set::Add, {{"base_name", "O'Neil 李"}});
    fail("no sex before bad date", Set::Add,
         Changes{{"base_sex", ""}} + date("base_", "2011", "02", "29"), "请选择性别!", B,
         "base_sex");
    fail("2011-02-29 birth", Set::Add, date("base_", "2011", "02", "29"), "日期输入有误!", B,
         "base_year");
    fail("2012-02-30 birth", Set::Modify, date("base_", "2012", "02", "30"), "日期输入有误!", B,
         "base_year");
    fail("2012-04-31 birth", Set::Add, date("base_", "2012", "04", "31"), "日期输入有误!", B,
         "base_year");
    pass("2012-02-29 birth", Set::Add, date("base_", "2012", "02", "29"));
    pass("1900-02-29 birth", Set::Add, date("base_", "1900", "02", "29"));
    pass("year without month", Set::Add, date("base_", "2011", "", "31"));
    fail("bad date before no level", Set::Add,
         Changes{{"base_sort_code", ""}} + date("base_", "2011", "02", "29"), "日期输入有误!", B,
         "base_year");
    fail("no level before no relation", Set::Add, {{"base_sort_code", ""}, {"base_type_code", ""}},
         "请选择级别!", B, "base_sort_code");
    fail("no relation", Set::Modify, {{"base_type_code", ""}}, "请选择关系类别!", B,
         "base_type_code");
    fail("basic page before work page", Set::Add,
         {{"base_type_code", ""}, {"work_industry_code", ""}}, "请选择关系类别!", B,
         "base_type_code");

    // Mobiles: what is queued for a text message must be a number.
    fail("letters in mobile (add)", Set::Add, {{"base_mobil", "abc138"}}, "请在手机号码中输入数字!",
         B, "base_mobil");
    fail("letters in mobile (modify)", Set::Modify, {{"base_mobil", "138x"}},
         "请在手机号码中输入数字!", B, "base_mobil");
    fail("leader mobile", Set::Modify, {{"work_leader_mobil", "abc"}}, "请在手机中输入数字!", W,
         "work_leader_mobil");
    fail("superior mobile", Set::Add, {{"work_superior_mobil", "1+3"}}, "请在手机中输入数字!", W,
         "work_superior_mobil");
    pass("international mobile", Set::Add, {{"base_mobil", "+86 138-0000-1111"}});

    // Work page: the number checks only on add.
    fail("no industry before no province", Set::Modify,
         {{"work_industry_code", ""}, {"work_province_code", ""}}, "请选择所属行业!", W,
         "work_industry_code");
    fail("no work province", Set::Add, {{"work_province_code", ""}}, "请选择所属省份!", W,
         "work_province_code");
    pass("basic province is optional", Set::Add, {{"base_province_code", ""}});
    fail("area code with letter (add)", Set::Add, {{"work_areacode", "01a"}},
         "请在城市区号中输入数字!", W, "work_areacode");
    pass("area code with letter (modify)", Set::Modify, {{"work_areacode", "01a"}});
    pass("area code and zip of digits", Set::Add,
         {{"work_areacode", "010"}, {"work_zip", "100081"}});
    pass("amount with a point", Set::Add, {{"work_zip", "12.5"}});
    fail("area code before zip", Set::Add, {{"work_areacode", "0-1"}, {"work_zip", "x"}},
         "请在城市区号中输入数字!", W, "work_areacode");
    fail("zip with decimal comma (add)", Set::Add, {{"work_zip", "12,5"}},
         "请在邮政编码中输入数字!", W, "work_zip");
    pass("zip with decimal comma (modify)", Set::Modify, {{"work_zip", "12,5"}});

    // Family page: only the detail pane checks it.
    const Changes badHome = date("home_", "2011", "02", "29") +
                            Changes{{"home_mobil", "138x"}, {"home_phone", "电话"}} +
                            date("home_marry", "2012", "04", "31") +
                            date("home_child_", "2013", "02", "29");
    pass("family page unchecked on add", Set::Add, badHome);
    fail("spouse birthday first", Set::Modify, badHome, "日期输入有误!", H, "home_year");
    fail("mobile after spouse birthday", Set::Modify, badHome.mid(3), "请在手机中输入数字!", H,
         "home_mobil");
    fail("marriage date before home phone", Set::Modify,
         Changes{{"home_phone", "x"}} + date("home_marry", "2012", "04", "31"), "日期输入有误!", H,
         "home_marryyear");
    fail("child birthday", Set::Modify, date("home_child_", "2013", "02", "29"), "日期输入有误!", H,
         "home_child_year");
    fail("home phone", Set::Modify, {{"home_phone", "电话"}}, "请在电话中输入数字!", H,
         "home_phone");
    pass("phone characters", Set::Modify,
         {{"home_mobil", "(010) 123-45#6*7/8\\9_0"}, {"home_phone", "12345"}});

    // Extended page, on both; after the family page on modify.
    fail("graduation date (add)", Set::Add, date("extend_grad", "2010", "06", "31"),
         "日期输入有误!", X, "extend_gradyear");
    fail("family before extended (modify)", Set::Modify,
         date("extend_grad", "2010", "06", "31") + Changes{{"home_phone", "x"}},
         "请在电话中输入数字!", H, "home_phone");
    fail("extended after work (add)", Set::Add,
         date("extend_grad", "2010", "06", "31") + Changes{{"home_phone", "x"}}, "日期输入有误!", X,
         "extend_gradyear");
    fail("work before extended (add)", Set::Add,
         date("extend_grad", "2010", "06", "31") + Changes{{"work_zip", "x"}},
         "请在邮政编码中输入数字!", W, "work_zip");
    pass("social page has no checks", Set::Modify, {{"society_hobby", "&%!?<>"}});
}

void TestContactValidation::checks() {
    QFETCH(Set, set);
    QFETCH(Changes, changes);
    QFETCH(QString, message);
    QFETCH(ContactPage, page);
    QFETCH(QString, focus);

    ContactRecord record = validRecord();
    for (const auto& [column, value] : changes)
        record.setValue(column, value);
    const auto failure = contactcheck::checkContact(record, set);
    if (message.isEmpty()) {
        QVERIFY2(!failure, qPrintable(failure ? failure->message : QString()));
        return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->message, message);
    QCOMPARE(failure->page, page);
    QCOMPARE(failure->column, focus);
    // The page's own check finds the same failure.
    QCOMPARE(contactcheck::checkPage(record, page, set), failure);
}

QTEST_GUILESS_MAIN(TestContactValidation)
#include "tst_contactvalidation.moc"
