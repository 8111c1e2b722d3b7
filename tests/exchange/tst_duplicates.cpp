// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "exchange/ContactMerger.h"
#include "exchange/DuplicateFinder.h"
#include "exchange/DuplicateKeys.h"
#include "featureapi/Session.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>

using namespace exchange;

class TestDuplicates : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void mobileNumbers_data();
    void mobileNumbers();
    void otherKeys();
    void groupsOfLiveContacts();
    void fieldsThatDiffer();
    void mergeMovesEverythingToTheSurvivor();
    void aFailedMergeChangesNothing();
    void fillingEmptyFields();

  private:
    qint64 contact(const QString& name, const QString& mobile, const QString& email,
                   const QString& unit, int live = 1);
    qint64 full(const QString& name, const QHash<QString, QString>& values);
    qint64 count(const QString& sqlText) { return db_->count(sql::Statement(sqlText)); }

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
    FixedClock clock_;
};

void TestDuplicates::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestDuplicates::cleanup() {
    db_.reset();
    home_.reset();
}

qint64 TestDuplicates::contact(const QString& name, const QString& mobile, const QString& email,
                               const QString& unit, int live) {
    db_->execute(sql::format("insert into base(base_name,base_mobil,base_email,work_name,"
                             "base_invalid_flag) values('%s','%s','%s','%s',%d)",
                             name, mobile, email, unit, live));
    return db_->count("select max(base_code) from base");
}

// A contact with all four rows, the given values on top of the least the pages ask for.
qint64 TestDuplicates::full(const QString& name, const QHash<QString, QString>& values) {
    ContactRecord r;
    r.setValue("base_name", name);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        r.setValue(it.key(), it.value());
    ContactStore store(*db_, *prompter_);
    return store.insertNew(r, Session{1, 1}, clock_);
}

void TestDuplicates::mobileNumbers_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("key");
    QTest::newRow("blanks") << "138 0013 8000"
                            << "13800138000";
    QTest::newRow("dashes") << "138-0013-8000"
                            << "13800138000";
    QTest::newRow("+86") << "+86 138-0013-8000"
                         << "13800138000";
    QTest::newRow("+86 joined") << "+8613800138000"
                                << "13800138000";
    QTest::newRow("0086") << "0086 13800138000"
                          << "13800138000";
    QTest::newRow("full-width dash") << "138－0013－8000"
                                     << "13800138000";
    QTest::newRow("tab and ideographic blank") << "138\t0013\u30008000"
                                               << "13800138000";
    QTest::newRow("other country") << "+1 415 555 0100"
                                   << "+14155550100";
    QTest::newRow("86 without plus stays") << "8613800138000"
                                           << "8613800138000";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only blanks") << " - "
                                 << "";
}

void TestDuplicates::mobileNumbers() {
    QFETCH(QString, number);
    QFETCH(QString, key);
    QCOMPARE(duplicates::mobileKey(number), key);
}

void TestDuplicates::otherKeys() {
    QCOMPARE(duplicates::emailKey(" Zhang.San@Example.CN "),
             QStringLiteral("zhang.san@example.cn"));
    QCOMPARE(duplicates::emailKey("  "), QString());
    QCOMPARE(duplicates::nameUnitKey("Zhang San", "ACME"),
             duplicates::nameUnitKey(" zhang san", "acme "));
    QVERIFY(duplicates::nameUnitKey("张三", "甲公司") != duplicates::nameUnitKey("张三", "乙公司"));
    QCOMPARE(duplicates::nameUnitKey("张三", ""), QString());
    QCOMPARE(duplicates::nameUnitKey("", "甲公司"), QString());
}

void TestDuplicates::groupsOfLiveContacts() {
    const qint64 a = contact("甲", "138 0013 8000", "", "");
    const qint64 b = contact("乙", "+86-138-0013-8000", "", "");
    const qint64 c = contact("丙", "", "Bing@X.cn", "");
    const qint64 d = contact("丁", "", "bing@x.CN", "");
    const qint64 e = contact("张三", "1", "", "星辰科技");
    const qint64 f = contact("张三", "2", "", "星辰科技");
    contact("张三", "3", "", ""); // same name, no unit
    const qint64 h = contact("戊", "139", "", "");
    const qint64 i = contact("己", "139", "ji@x.cn", "");
    const qint64 j = contact("庚", "", "ji@x.cn", "");
    contact("辛", "13800138000", "bing@x.cn", "", 0); // in the trash
    contact("壬", "137", "ren@x.cn", "无");

    QList<DuplicateGroup> groups;
    QVERIFY(DuplicateFinder::find(*db_, &groups));
    QMap<QString, QString> found; // members -> reasons
    for (const DuplicateGroup& g : groups) {
        QStringList codes;
        for (const DuplicateMember& m : g.members)
            codes << QString::number(m.code);
        found.insert(codes.join(u','), g.reasons.join(u';'));
    }
    auto key = [](std::initializer_list<qint64> codes) {
        QStringList out;
        for (qint64 code : codes)
            out << QString::number(code);
        return out.join(u',');
    };
    QCOMPARE(found.size(), 4);
    QCOMPARE(found.value(key({a, b})), QStringLiteral("手机 13800138000"));
    QCOMPARE(found.value(key({c, d})), QStringLiteral("邮件 Bing@X.cn"));
    QCOMPARE(found.value(key({e, f})), QStringLiteral("同名同单位 张三/星辰科技"));
    QCOMPARE(found.value(key({h, i, j})), QStringLiteral("手机 139;邮件 ji@x.cn"));
    // Ordered by the first member's name as Chinese readers order names.
    QStringList first;
    for (const DuplicateGroup& g : groups)
        first << g.members.first().name;
    QCOMPARE(first, (QStringList{"丙", "甲", "戊", "张三"}));
}

void TestDuplicates::fieldsThatDiffer() {
    const QList<ContactRecord> records = [] {
        ContactRecord a, b, c;
        a.setValue("base_name", "张三");
        b.setValue("base_name", "张三");
        c.setValue("base_name", "张三丰");
        a.setValue("base_mobil", "138");
        b.setValue("base_mobil", "138");
        c.setValue("base_mobil", "138");
        b.setValue("base_email", "b@x.cn");
        c.setValue("base_email", "c@x.cn");
        a.setValue("base_month", "04");
        b.setValue("base_month", "04");
        b.setValue("base_day", "12");
        return QList<ContactRecord>{a, b, c};
    }();
    const QList<MergeField> fields = ContactMerger::differences(records, 0);
    QStringList labels;
    for (const MergeField& f : fields)
        labels << f.label + u'=' + QString::number(f.chosen);
    // The survivor's own value first; a field it lacks from the first who has it.
    QCOMPARE(labels, (QStringList{"姓名=0", "出生日期=0", "邮件地址=1"}));
    QCOMPARE(fields[1].columns, (QStringList{"base_year", "base_month", "base_day", "base_lunar"}));
    QCOMPARE(fields[1].values[1], (QStringList{"", "04", "12", ""}));

    QList<MergeField> chosen = fields;
    chosen[0].chosen = 2;
    chosen[1].chosen = 1;
    const ContactRecord merged = ContactMerger::combine(records, 0, chosen);
    QCOMPARE(merged.value("base_name"), QStringLiteral("张三丰"));
    QCOMPARE(merged.value("base_day"), QStringLiteral("12"));
    QCOMPARE(merged.value("base_email"), QStringLiteral("b@x.cn"));
    QCOMPARE(merged.value("base_mobil"), QStringLiteral("138"));
    // What the merge does not keep is said, each differing value once.
    QCOMPARE(ContactMerger::dropped(chosen),
             (QStringList{"姓名“张三”", "出生日期“-04-”", "邮件地址“c@x.cn”"}));
}

void TestDuplicates::mergeMovesEverythingToTheSurvivor() {
    const qint64 a = full("张三", {{"base_mobil", "13800138000"}, {"work_name", "甲"}});
    const qint64 b =
        full("张三",
             {{"base_mobil", "138 0013 8000"}, {"base_email", "zs@x.cn"}, {"home_hobby", "钓鱼"}});
    const qint64 other = full("李四", {});
    QVERIFY(a > 0 && b > 0 && other > 0);
    for (const QString& s :
         {QStringLiteral("update base set base_lastmodi_date='2012-01-01' where base_code=%1")
              .arg(a),
          QStringLiteral("update base set base_lastmodi_date='2012-03-01' where base_code=%1")
              .arg(b),
          QStringLiteral("insert into comm(comm_base_code,comm_content) values(%1,'a1')").arg(a),
          QStringLiteral("insert into comm(comm_base_code,comm_content) values(%1,'b1')").arg(b),
          QStringLiteral("insert into comm(comm_base_code,comm_content) values(%1,'b2')").arg(b),
          QStringLiteral("insert into doc(doc_base_code,doc_title) values(%1,'bd')").arg(b),
          QStringLiteral("insert into asso(asso_base_code,asso_name) values(%1,'b的朋友')").arg(b),
          QStringLiteral("insert into asso(asso_base_code,asso_name,asso_relation_code) "
                         "values(%1,'指向乙',%2)")
              .arg(other)
              .arg(b),
          // The two are associated with each other: after the merge that is gone.
          QStringLiteral("insert into asso(asso_base_code,asso_name,asso_relation_code) "
                         "values(%1,'甲指乙',%2)")
              .arg(a)
              .arg(b)})
        QVERIFY(db_->execute(sql::Statement(s)));

    ContactMerger merger(*db_, *prompter_);
    QList<ContactRecord> records;
    QVERIFY(merger.load({a, b}, &records));
    const ContactRecord record =
        ContactMerger::combine(records, 0, ContactMerger::differences(records, 0));
    QVERIFY(merger.merge(a, record, {b}));
    QCOMPARE(merger.removedSelfAssociations(), 1);

    ContactStore store(*db_, *prompter_);
    const ContactRecord survivor = store.load(a, 1).record;
    QCOMPARE(survivor.value("base_mobil"), QStringLiteral("13800138000"));
    QCOMPARE(survivor.value("base_email"), QStringLiteral("zs@x.cn"));
    QCOMPARE(survivor.value("home_hobby"), QStringLiteral("钓鱼"));
    QCOMPARE(survivor.value("work_name"), QStringLiteral("甲"));
    QCOMPARE(count(QStringLiteral("select count(*) from comm where comm_base_code=%1").arg(a)), 3);
    QCOMPARE(count(QStringLiteral("select count(*) from comm where comm_base_code=%1").arg(b)), 0);
    QCOMPARE(count(QStringLiteral("select count(*) from doc where doc_base_code=%1").arg(a)), 1);
    QCOMPARE(count(QStringLiteral("select count(*) from asso where asso_base_code=%1").arg(a)), 1);
    QCOMPARE(count(QStringLiteral("select count(*) from asso where asso_relation_code=%1").arg(a)),
             1);
    QCOMPARE(count(QStringLiteral("select count(*) from asso where asso_relation_code=%1").arg(b)),
             0);
    QCOMPARE(count(QStringLiteral("select count(*) from base where base_lastmodi_date='2012-03-01' "
                                  "and base_code=%1")
                       .arg(a)),
             1);
    // The other one is in the trash with its own pages, so restoring it brings it back.
    QCOMPARE(count(QStringLiteral("select base_invalid_flag from base where base_code=%1").arg(b)),
             0);
    const ContactLoad trashed = store.load(b, 0);
    QVERIFY(trashed.complete);
    QCOMPARE(trashed.record.value("base_email"), QStringLiteral("zs@x.cn"));
    QVERIFY(!db_->inTransaction());
}

void TestDuplicates::aFailedMergeChangesNothing() {
    const qint64 a = full("甲", {});
    const qint64 b = full("乙", {});
    QVERIFY(db_->execute(
        sql::format("insert into comm(comm_base_code,comm_content) values(%ld,'x')", b)));
    ContactRecord broken;
    broken.setValue("base_name", "甲");
    broken.setValue("base_province_code", "没有这个省"); // the save's lookup fails
    ContactMerger merger(*db_, *prompter_);
    QVERIFY(!merger.merge(a, broken, {b}));
    QCOMPARE(count(QStringLiteral("select count(*) from comm where comm_base_code=%1").arg(b)), 1);
    QCOMPARE(count(QStringLiteral("select base_invalid_flag from base where base_code=%1").arg(b)),
             1);
    QVERIFY(!prompter_->messages.isEmpty()); // the failure was said
    QVERIFY(!db_->inTransaction());
}

void TestDuplicates::fillingEmptyFields() {
    ContactRecord known, incoming;
    known.setValue("base_name", "张三");
    known.setValue("base_mobil", "138");
    known.setValue("base_month", "04");
    incoming.setValue("base_name", "张老三");
    incoming.setValue("base_mobil", "139");
    incoming.setValue("base_email", "z@x.cn");
    incoming.setValue("base_year", "1980");
    incoming.setValue("base_day", "01");
    incoming.setValue("home_year", "1982");
    const ContactRecord r = ContactMerger::fillEmpty(known, incoming);
    QCOMPARE(r.value("base_name"), QStringLiteral("张三"));
    QCOMPARE(r.value("base_mobil"), QStringLiteral("138"));
    QCOMPARE(r.value("base_email"), QStringLiteral("z@x.cn"));
    // A date is one field: the known month stays without the incoming year or day.
    QCOMPARE(r.value("base_year"), QString());
    QCOMPARE(r.value("base_day"), QString());
    QCOMPARE(r.value("home_year"), QStringLiteral("1982"));
    QCOMPARE(ContactMerger::notFilled(known, incoming),
             (QStringList{"姓名“张老三”", "出生日期“1980--01”", "手机号码“139”"}));
}

QTEST_GUILESS_MAIN(TestDuplicates)
#include "tst_duplicates.moc"
