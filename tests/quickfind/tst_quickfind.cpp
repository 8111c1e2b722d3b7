// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "exchange/ContactImporter.h"
#include "exchange/CsvMapping.h"
#include "exchange/ImportCleaner.h"
#include "exchange/ImportFile.h"
#include "featureapi/Session.h"
#include "quickfind/FindKeys.h"
#include "quickfind/QuickFinder.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QFile>
#include <QTemporaryDir>

#include <QTest>

using quickfind::QuickFinder;

namespace {

// name, unit, department, mobile, phone, fax, e-mail, live
struct Contact {
    const char* name;
    const char* unit;
    const char* branch;
    const char* mobile;
    const char* phone;
    const char* fax;
    const char* email;
    int live;
};

// The readings below were written from a dictionary, not from the program.
const Contact kContacts[] = {
    {"张三", "华信科技有限公司", "销售部", "+86 138-0013-8000", "", "010-6262 7788",
     "zhangsan@huaxin.com", 1},
    {"张珊", "北京华信", "", "13900001111", "", "", "", 1},
    {"章三丰", "武当山道观", "", "", "", "", "", 1},
    {"张三丰", "", "", "", "", "", "", 0}, // in the trash
    {"赵四", "", "", "", "", "", "", 1},
    {"周山", "", "", "", "", "", "", 1},
    {"单田芳", "评书社", "", "", "", "", "", 1},
    {"曾国藩", "", "", "", "", "", "", 1},
    {"解晓东", "", "", "", "", "", "", 1},
    {"仇英", "", "", "", "", "", "", 1},
    {"区志华", "", "", "", "", "", "", 1},
    {"朴智星", "", "", "", "", "", "", 1},
    {"查良镛", "", "", "", "", "", "", 1},
    {"盖聪", "", "", "", "", "", "", 1},
    {"乐嘉", "", "", "", "", "", "", 1},
    {"覃宇", "", "", "", "", "", "", 1},
    {"尉迟恭", "", "", "", "", "", "", 1},
    {"长孙无忌", "", "", "", "", "", "", 1},
    {"李长江", "", "", "", "", "", "", 1},
    {"王行", "", "", "", "", "", "", 1},
    {"老王", "重庆火锅店", "", "", "", "", "", 1},
    {"王2B", "", "", "", "", "", "", 1},
    {"Tom张", "", "", "", "", "", "", 1},
    {"李娜Lina", "", "", "", "", "", "", 1},
    {"𠀋小明", "", "", "", "", "", "", 1},
    {"𪚥华", "", "", "", "", "", "", 1},
    {"吕布", "", "", "", "", "", "", 1},
    {"陈晨", "", "", "", "", "", "", 1},
    {"陈辰", "", "", "", "", "", "", 1},
    {"陈晨阳", "", "", "", "", "", "", 1},
    {"沈陈晨", "", "", "", "", "", "", 1},
    {"李四", "陈晨贸易", "", "", "", "", "", 1},
    {"黄华", "华为技术有限公司", "", "", "0755-2878 0808", "", "", 1},
    {"欧阳娜娜", "", "", "", "", "", "", 1},
};

// Contacts that no query below is meant to find.
QStringList fillers() {
    QStringList names;
    for (const QString& given :
         QStringLiteral("一二五六七八九十百千万亿甲乙丙丁戊己庚辛壬癸子丑寅卯")
             .split(QString(), Qt::SkipEmptyParts))
        names << QStringLiteral("马") + given;
    return names;
}

} // namespace

class TestQuickFind : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        QVERIFY(db_.open(home_.databasePath()));
        QVERIFY(db_.begin());
        for (const Contact& c : kContacts) {
            QVERIFY(db_.execute(sql::format(
                "insert into base (base_name,work_name,work_branch_name,base_mobil,base_phone,"
                "work_fax,base_email,base_invalid_flag,work_duty_code) "
                "values ('%s','%s','%s','%s','%s','%s','%s',%d,1)",
                QString::fromUtf8(c.name), QString::fromUtf8(c.unit), QString::fromUtf8(c.branch),
                QString::fromUtf8(c.mobile), QString::fromUtf8(c.phone), QString::fromUtf8(c.fax),
                QString::fromUtf8(c.email), c.live)));
        }
        int n = 0;
        for (const QString& name : fillers()) {
            QVERIFY(db_.execute(
                sql::format("insert into base "
                            "(base_name,work_name,base_mobil,base_invalid_flag,work_duty_code) "
                            "values ('%s','%s','%s',1,1)",
                            name, QStringLiteral("马氏集团"),
                            QStringLiteral("0591-5%1").arg(++n, 6, 10, QChar(u'9')))));
        }
        QVERIFY(db_.commit());
        QVERIFY(db_.count("select count(*) from base") >= 60);
    }

    // What each query finds, in the find box's order.
    void matches_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char* query, QStringList expected) {
            QTest::newRow(query) << QString::fromUtf8(query) << expected;
        };
        // The exact name, then names it begins, then the pinyin of names; the
        // trashed 张三丰 never.
        row("张三", {"张三"});
        row("张san", {"张三"});
        row("陈晨", {"陈晨", "陈晨阳", "沈陈晨", "李四"});
        // Full pinyin, prefixes, initials and mixed forms; ties in pinyin order.
        row("zs", {"张三", "章三丰", "张珊", "长孙无忌", "赵四", "周山"});
        row("ZS", {"张三", "章三丰", "张珊", "长孙无忌", "赵四", "周山"});
        row("ｚｓ", {"张三", "章三丰", "张珊", "长孙无忌", "赵四", "周山"});
        row("zhs", {"张三", "章三丰", "张珊", "长孙无忌", "赵四", "周山"});
        row("zhangs", {"张三", "章三丰", "张珊", "长孙无忌"});
        row("zhang san", {"张三", "章三丰"});
        row("zhangsan", {"张三", "章三丰"});
        row("zhāng sān", {"张三", "章三丰"});
        row("zsan", {"张三", "章三丰"});
        row("cc", {"陈晨", "陈辰", "陈晨阳", "李四"});
        // Surnames read as surnames.
        row("stf", {"单田芳"});
        row("shantianfang", {"单田芳"});
        row("zgf", {"曾国藩"});
        row("xxd", {"解晓东"});
        row("qy", {"覃宇", "仇英"});
        row("ozh", {"区志华"});
        row("piao", {"朴智星"});
        row("zly", {"查良镛"});
        row("gc", {"盖聪"});
        row("yuejia", {"乐嘉"});
        row("yuchi", {"尉迟恭"});
        row("ycg", {"尉迟恭"});
        row("zswj", {"长孙无忌"});
        row("oynn", {"欧阳娜娜"});
        // A character with two readings elsewhere matches both.
        row("lcj", {"李长江"});
        row("lzj", {"李长江"});
        row("wx", {"王行"});
        row("wh", {"王行"});
        row("lvb", {"吕布"});
        // Latin letters and digits in names; characters beyond the BMP.
        row("w2b", {"王2B"});
        row("2b", {"王2B"});
        row("tomz", {"Tom张"});
        row("lina", {"李娜Lina"});
        row("𠀋", {"𠀋小明"});
        row("𠀋xm", {"𠀋小明"});
        row("zhehua", {"𪚥华"});
        // Units and departments: characters and pinyin anywhere in them.
        row("华信", {"张三", "张珊"});
        row("hx", {"张三", "张珊"});
        row("cq", {"老王"});
        row("hua", {"黄华", "张三", "张珊"});
        row("销售", {"张三"});
        row("xsb", {"张三"});
        // Numbers: runs of three digits or more, blanks, dashes and +86 ignored.
        row("0013", {"张三"});
        row("8000", {"张三"});
        row("+86 138-0013-8000", {"张三"});
        row("138 0013 8000", {"张三"});
        row("62627788", {"张三"});
        row("1111", {"张珊"});
        row("28780808", {"黄华"});
        // E-mail fragments.
        row("zhangsan@", {"张三"});
        row("huaxin.com", {"张三"});
        // Nothing.
        row("dtf", {});
        row("cgf", {});
        row("xm", {});
        row("86138", {});
        row("12", {});
        row("qqqq", {});
        row("张四", {});
        row("张三丰", {});
    }
    void matches() {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        // A new finder each time, and one that has just seen each shorter
        // query typed before it: both give the same list.
        QuickFinder fresh(db_);
        QStringList found;
        qsizetype total = 0;
        for (const auto& hit : fresh.find(query, -1, &total))
            found << hit.entry->name;
        QCOMPARE(found, expected);
        QCOMPARE(total, expected.size());
        QStringList typed;
        for (qsizetype i = 1; i <= query.size(); ++i) {
            typed.clear();
            for (const auto& hit : typing_.find(query.left(i), 20))
                typed << hit.entry->name;
        }
        QCOMPARE(typed, expected.mid(0, 20));
    }

    // The highlighted part: the name's characters the letters ran through, the
    // digits in the number as written.
    void highlight() {
        QuickFinder finder(db_);
        auto hits = finder.find(QStringLiteral("zhangs"), 1);
        QCOMPARE(hits.size(), 1);
        QCOMPARE(hits[0].match.begin, 0);
        QCOMPARE(hits[0].match.end, 2);
        hits = finder.find(QStringLiteral("0013"), 1);
        QCOMPARE(hits.size(), 1);
        const QString mobile = hits[0].entry->numbers.at(hits[0].match.begin);
        const auto span = quickfind::numberSpan(mobile, "0013");
        QCOMPARE(mobile.mid(span.first, span.second - span.first), QStringLiteral("0013"));
    }

    // A changed name is found by its new pinyin, a trashed contact no more,
    // on the same finder.
    void followsChanges() {
        QuickFinder finder(db_);
        QCOMPARE(finder.find(QStringLiteral("zhaos"), -1).size(), 1);
        QVERIFY(db_.execute(sql::format("update base set base_name='%s' where base_name='%s'",
                                        QStringLiteral("钱四"), QStringLiteral("赵四"))));
        QCOMPARE(finder.find(QStringLiteral("zhaos"), -1).size(), 0);
        QCOMPARE(finder.find(QStringLiteral("qians"), -1).size(), 1);
        QVERIFY(db_.execute(sql::format("update base set base_invalid_flag=0 where base_name='%s'",
                                        QStringLiteral("钱四"))));
        QCOMPARE(finder.find(QStringLiteral("qians"), -1).size(), 0);
        // Back from the trash, a newcomer, and one deleted for good.
        QVERIFY(db_.execute(sql::format("update base set base_invalid_flag=1 where base_name='%s'",
                                        QStringLiteral("钱四"))));
        QVERIFY(db_.execute(sql::format(
            "insert into base (base_name,base_invalid_flag,work_duty_code) values ('%s',1,1)",
            QStringLiteral("孙悟空"))));
        QCOMPARE(finder.find(QStringLiteral("qians"), -1).size(), 1);
        QCOMPARE(finder.find(QStringLiteral("swk"), -1).size(), 1);
        // A deletion beside a save between two keystrokes.
        QVERIFY(db_.execute(
            sql::format("delete from base where base_name='%s'", QStringLiteral("孙悟空"))));
        QVERIFY(db_.execute(sql::format("update base set base_name='%s' where base_name='%s'",
                                        QStringLiteral("钱四"), QStringLiteral("钱四"))));
        QCOMPARE(finder.find(QStringLiteral("swk"), -1).size(), 0);
        QVERIFY(db_.execute(sql::format("update base set base_invalid_flag=0 where base_name='%s'",
                                        QStringLiteral("钱四"))));
    }

    // An import and a save of the detail pane write the keys in their own
    // transaction: the rows are there, with the new readings, before any search.
    void writersRenewKeys() {
        QTemporaryDir temp;
        const QString path = temp.filePath(QStringLiteral("in.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("姓名,手机,单位名称\r\n曾小贤,139-1234-5678,重庆电台\r\n");
        file.close();
        ScriptedPrompter prompter;
        FixedClock clock;
        exchange::ImportFile source;
        QVERIFY(source.open(path));
        QList<QStringList> first;
        source.preview(source.detectedEncoding(), 1, &first);
        exchange::ImportCleaner cleaner(db_);
        auto rows = source.csvSource(source.detectedEncoding(),
                                     exchange::CsvMapping::guess(first.value(0), {}));
        exchange::ContactImporter importer(db_, prompter, Session{1, 1}, clock);
        QCOMPARE(importer.run(*rows, cleaner, exchange::DuplicatePolicy::Skip).imported, 1);
        const qint64 code = db_.count(sql::format(
            "select max(base_code) from base where base_name='%s'", QStringLiteral("曾小贤")));
        QCOMPARE(keyOf(code),
                 QStringLiteral("zeng xiao xian|zhong/chong qing dian tai|13912345678"));

        ContactStore store(db_, prompter);
        ContactRecord record = store.load(code, 1).record;
        record.setValue("base_name", QStringLiteral("单小贤"));
        record.setValue("base_mobil", QStringLiteral("+86 137 0000 1111"));
        QVERIFY(store.save(code, record, nullptr));
        QCOMPARE(keyOf(code),
                 QStringLiteral("shan xiao xian|zhong/chong qing dian tai|13700001111"));
    }

  private:
    QString keyOf(qint64 code) {
        QString key;
        db_.query(sql::format("select findkey_name,findkey_unit,findkey_digits from findkey "
                              "where findkey_base_code=%ld",
                              code),
                  [&](const Row& row) {
                      key = row.textAt(0) + u'|' + row.textAt(1) + u'|' + row.textAt(2).trimmed();
                      return false;
                  });
        return key;
    }

    TestHome home_;
    Database db_;
    QuickFinder typing_{db_};
};

QTEST_GUILESS_MAIN(TestQuickFind)
#include "tst_quickfind.moc"
