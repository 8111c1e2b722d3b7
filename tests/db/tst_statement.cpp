// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "support/SampleContacts.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

class TestStatement : public QObject {
    Q_OBJECT

  private slots:
    void textFormat_data();
    void textFormat();
    void boundValues_data();
    void boundValues();
    void piecesCarryTheirValues();
    void nameOrder_data();
    void nameOrder();
    void namesComeInPinyinOrder();
    void manyDistinctNamesSortLikeTheCollator();
    void mixedNamesSortLikeTheCollator();
    void chineseNamesSortLikeTheCollator();
    void hostileTextsRoundTrip_data();
    void hostileTextsRoundTrip();
};

void TestStatement::textFormat_data() {
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");

    QTest::newRow("long") << text::format("共%ld个", 42) << "共42个";
    QTest::newRow("negative") << text::format("x=%ld", -1) << "x=-1";
    QTest::newRow("number as %s") << text::format("doc_code=%s", qint64(7)) << "doc_code=7";
    QTest::newRow("text") << text::format("离 %s 还有 %d 天", QStringLiteral("春节"), 3)
                          << "离 春节 还有 3 天";
    QTest::newRow("percent sign") << text::format("%d%c", 40, '%') << "40%";
    QTest::newRow("two decimals") << text::format("%.2f", 1234 / 3.0) << "411.33";
    QTest::newRow("no decimals") << text::format("%.0f", 2.5e3 + 0.4) << "2500";
    QTest::newRow("a whole number as %.2f") << text::format("%.2f", 0) << "0.00";
    QTest::newRow("plain %f") << text::format("%f", 0.5) << "0.500000";
    QTest::newRow("literal percent") << text::format("100%%") << "100%";
    QTest::newRow("list date") << text::format("%4s-%2s-%2s", "2012", "5", "8") << "2012- 5- 8";
    QTest::newRow("query date") << text::format("%d/%2d/%2d", 2012, 5, 18) << "2012/ 5/18";
    QTest::newRow("hex") << text::format("Unknown error 0x%0lX", 0x80004005u)
                         << "Unknown error 0x80004005";
    QTest::newRow("zero padded") << text::format("%02d:%02d", 7, 5) << "07:05";
    QTest::newRow("text with percent inside")
        << text::format("'%s' and %ld", QStringLiteral("50%_off %s"), 3) << "'50%_off %s' and 3";
    QTest::newRow("missing argument") << text::format("a=%s b=%s", "1") << "a=1 b=";
}

void TestStatement::textFormat() {
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

// What the engine receives: the statement with a mark per value, and the values.
// "shown" is the statement as it reads with its values written in.
void TestStatement::boundValues_data() {
    QTest::addColumn<sql::Statement>("statement");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("shown");

    QTest::newRow("code") << sql::format("select * from base where base_code=%ld", 42)
                          << "select * from base where base_code=?" << QVariantList{42}
                          << "select * from base where base_code=42";
    QTest::newRow("quoted name") << sql::format("select sort_code from sort where sort_name='%s'",
                                                QStringLiteral("O'Neil"))
                                 << "select sort_code from sort where sort_name=?"
                                 << QVariantList{"O'Neil"}
                                 << "select sort_code from sort where sort_name='O''Neil'";
    QTest::newRow("id text is a number")
        << sql::format("update base set base_invalid_flag=0 \t\t\t\twhere base_code=%s",
                       QStringLiteral("5"))
        << "update base set base_invalid_flag=0 \t\t\t\twhere base_code=?" << QVariantList{5}
        << "update base set base_invalid_flag=0 \t\t\t\twhere base_code=5";
    QTest::newRow("unquoted text that is no number")
        << sql::format("delete from base where base_code=%s", QStringLiteral("1 or 1=1"))
        << "delete from base where base_code=?" << QVariantList{"1 or 1=1"}
        << "delete from base where base_code='1 or 1=1'";
    QTest::newRow("like with wildcards as arguments")
        << sql::format("select * from base where work_name like '%s%s%s'", sql::kAnyText,
                       QStringLiteral("华为'"), sql::kAnyText)
        << "select * from base where work_name like ?" << QVariantList{"%华为'%"}
        << "select * from base where work_name like '%华为''%'";
    QTest::newRow("like with wildcards in the template")
        << sql::format("base_name like '%%%s%%'", QStringLiteral("_x"))
        << "base_name like ? escape '\\'" << QVariantList{"%\\_x%"}
        << "base_name like '%\\_x%' escape '\\'";
    QTest::newRow("typed wildcards match themselves")
        << sql::format("work_name like '%s%s%s'", sql::kAnyText, QStringLiteral("100%_\\"),
                       sql::kAnyText)
        << "work_name like ? escape '\\'" << QVariantList{"%100\\%\\_\\\\%"}
        << "work_name like '%100\\%\\_\\\\%' escape '\\'";
    QTest::newRow("number between quotes is text")
        << sql::format("t.tmptrans_type='%d' and t.tmptrans_user_code=%ld", 2, 7)
        << "t.tmptrans_type=? and t.tmptrans_user_code=?" << QVariantList{"2", 7}
        << "t.tmptrans_type='2' and t.tmptrans_user_code=7";
    QTest::newRow("quoted literals without conversions stay")
        << sql::format("select u.user_code from userlogin as u where u.user_dep_mng='1' and "
                       "u.user_name<>'' and u.user_dep_code=%ld",
                       3)
        << "select u.user_code from userlogin as u where u.user_dep_mng='1' and "
           "u.user_name<>'' and u.user_dep_code=?"
        << QVariantList{3}
        << "select u.user_code from userlogin as u where u.user_dep_mng='1' and "
           "u.user_name<>'' and u.user_dep_code=3";
    QTest::newRow("date parts in one quoted text")
        << sql::format("datediff('d',cdate('%s'),cdate('%s'))<=%ld", QStringLiteral("2012/5/8"),
                       QStringLiteral("2012/05/09"), 0)
        << "datediff('d',cdate(?),cdate(?))<=?" << QVariantList{"2012/5/8", "2012/05/09", 0}
        << "datediff('d',cdate('2012/5/8'),cdate('2012/05/09'))<=0";
    QTest::newRow("a question mark in a typed text")
        << sql::format("x='%s' and y=%ld", QStringLiteral("?"), 1) << "x=? and y=?"
        << QVariantList{"?", 1} << "x='?' and y=1";
}

void TestStatement::boundValues() {
    QFETCH(sql::Statement, statement);
    QTEST(statement.text(), "text");
    QFETCH(QVariantList, values);
    QCOMPARE(statement.values().size(), values.size());
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(statement.values().at(i).toString(), values.at(i).toString());
    QTEST(statement.shown(), "shown");
}

// A condition the program built is pasted into the larger statement with its
// values; a plain text in the same place would only ever be a value.
void TestStatement::piecesCarryTheirValues() {
    const sql::Statement filter = sql::format("d.doc_docsort_code=%ld and d.doc_title='%s' ", 4,
                                              QStringLiteral("O'Neil 协议"));
    const sql::Statement count =
        sql::format("select count(*) from doc d inner join base b on d.doc_base_code=b.base_code "
                    "where b.base_invalid_flag=1 and %s",
                    filter);
    QCOMPARE(count.text(), QStringLiteral("select count(*) from doc d inner join base b on "
                                          "d.doc_base_code=b.base_code where "
                                          "b.base_invalid_flag=1 and d.doc_docsort_code=? and "
                                          "d.doc_title=? "));
    QCOMPARE(count.values(), (QVariantList{4, QStringLiteral("O'Neil 协议")}));

    const sql::Statement asText =
        sql::format("select count(*) from base where %s", QStringLiteral("1=1; drop table base"));
    QCOMPARE(asText.text(), QStringLiteral("select count(*) from base where ?"));

    const sql::Statement joined = sql::format("a=%ld", 1) + sql::Statement(" order by b") +
                                  sql::format(" and c='%s'", QStringLiteral("x"));
    QCOMPARE(joined.text(), QStringLiteral("a=? order by b and c=?"));
    QCOMPARE(joined.values().size(), 2);
}

void TestStatement::nameOrder_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("descending")
        << "select relationsort_code,relationsort_name from relationsort order by "
           "relationsort_name DESC"
        << "select relationsort_code,relationsort_name from relationsort order by "
           "relationsort_name collate pinyin DESC";
    QTest::newRow("tabs before the clause")
        << "select datumsort_name from datumsort where datumsort_name<>'' \t\t\torder by "
           "datumsort_name"
        << "select datumsort_name from datumsort where datumsort_name<>'' \t\t\torder by "
           "datumsort_name collate pinyin";
    QTest::newRow("several terms")
        << "select * from base b order by b.work_name desc,d.duty_value desc,"
           "b.base_lastmodi_date DESC"
        << "select * from base b order by b.work_name collate pinyin desc,d.duty_value desc,"
           "b.base_lastmodi_date DESC";
    QTest::newRow("values are no names") << "select * from sort order by sort_value DESC"
                                         << "select * from sort order by sort_value DESC";
    QTest::newRow("inside a quoted text") << "select 'order by x_name' from t"
                                          << "select 'order by x_name' from t";
    QTest::newRow("upper case clause") << "SELECT a_name FROM t ORDER BY a_name"
                                       << "SELECT a_name FROM t ORDER BY a_name collate pinyin";
}

void TestStatement::nameOrder() {
    QFETCH(QString, statement);
    QTEST(sql::withNameOrder(statement), "expected");
}

namespace {

// The names as one reference table holds them, read back through its name
// order ("" or " DESC"); empty when something failed.
QStringList namesInOrder(const QStringList& stored, const char* direction = "") {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QStringList names;
    if (!home.isValid() || !db.open(home.databasePath()) ||
        !db.execute("delete from relationsort") || !db.begin())
        return names;
    for (const QString& name : stored)
        if (!db.execute(
                sql::format("insert into relationsort(relationsort_name) values('%s')", name)))
            return names;
    if (!db.commit())
        return names;
    db.query(sql::Statement(QStringLiteral(
                 "select relationsort_name from relationsort order by relationsort_name")) +
                 sql::Statement(QString::fromLatin1(direction)),
             [&](const Row& row) {
                 names << row.textAt(0);
                 return true;
             });
    return names;
}

} // namespace

// Chinese readers expect pinyin order: 北京 (bei) before 上海 (shang), 其他 (qi)
// between 朋友 (peng) and 同事 (tong); the empty name first.
void TestStatement::namesComeInPinyinOrder() {
    const QStringList stored{"同事", "其他", "", "朋友", "上海市", "北京市", "安徽"};
    QCOMPARE(namesInOrder(stored),
             (QStringList{"", "安徽", "北京市", "朋友", "其他", "上海市", "同事"}));
    QCOMPARE(namesInOrder(stored, " DESC"),
             (QStringList{"同事", "上海市", "其他", "朋友", "北京市", "安徽", ""}));
}

// Thousands of names never seen before: the name cache grows while a sort
// compares, which once left a comparison reading a key that had moved.
void TestStatement::manyDistinctNamesSortLikeTheCollator() {
    const QString family = QStringLiteral("赵钱孙李周吴郑王冯陈褚卫蒋沈韩杨朱秦尤许何吕施张");
    const QString given = QStringLiteral("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华");
    QStringList expected;
    for (int i = 0; i < 6000; ++i) {
        QString name = family.at(i % family.size());
        name += given.at((i / family.size()) % given.size());
        name += QString::number(i);
        expected << name;
    }
    const QStringList names = namesInOrder(expected);
    QCOMPARE(names.size(), expected.size());
    // The surnames come in pinyin order: 陈 chen before 赵 zhao before 周 zhou.
    const auto firstOf = [&](const QString& surname) {
        return std::find_if(names.cbegin(), names.cend(),
                            [&](const QString& n) { return n.startsWith(surname); }) -
               names.cbegin();
    };
    QVERIFY(firstOf(QStringLiteral("陈")) < firstOf(QStringLiteral("赵")));
    QVERIFY(firstOf(QStringLiteral("赵")) < firstOf(QStringLiteral("周")));
    QVERIFY(firstOf(QStringLiteral("周")) < firstOf(QStringLiteral("朱")));
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    std::stable_sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    QCOMPARE(names, expected);
}

// Latin letters in both cases, digits, punctuation, full-width forms, blanks
// and decomposed accents: the order is the collator's, and names it finds
// equal come in code point order.
void TestStatement::mixedNamesSortLikeTheCollator() {
    const QStringList mixed{"IBM",
                            "ibm",
                            "Ibm 中国",
                            "华为",
                            "华为技术",
                            "10号楼",
                            "9号楼",
                            "(株)东京",
                            "ＡＢＣ",
                            "ABC",
                            " 前导空格",
                            "Zürich",
                            "Zu\u0308rich",
                            "成都",
                            "广州",
                            "阿里巴巴",
                            "ā",
                            "a",
                            "A",
                            "-",
                            "",
                            "中国银行",
                            "中國銀行",
                            "招商银行"};
    const QStringList names = namesInOrder(mixed);
    QCOMPARE(names.size(), mixed.size());
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    for (qsizetype i = 1; i < names.size(); ++i) {
        const int order = collator.compare(names.at(i - 1), names.at(i));
        QVERIFY2(order < 0 || (order == 0 && names.at(i - 1) < names.at(i)),
                 qPrintable(names.at(i - 1) + " / " + names.at(i)));
    }
    // A few by hand: 阿 (a) first among the Chinese, 成 (cheng) before 广 (guang),
    // 招 (zhao) before 中 (zhong).
    QVERIFY(names.indexOf("阿里巴巴") < names.indexOf("成都"));
    QVERIFY(names.indexOf("成都") < names.indexOf("广州"));
    QVERIFY(names.indexOf("招商银行") < names.indexOf("中国银行"));
}

// Company-like names drawn from common characters, rare ones (U+3400 up),
// characters the collator reads together (沈阳, 重庆, 藏文), Latin letters and
// digits, many sharing their first characters: every neighbour in the order
// read back must be in the collator's order.
void TestStatement::chineseNamesSortLikeTheCollator() {
    const QString pool = QStringLiteral("沈阳重庆藏文字中国银行招商长城电子科技有限公司北京上海"
                                        "广州深圳天津成都陈张王李赵钱孙周吴郑冯蒋韩杨朱秦许何"
                                        "吕施曾吖阿啊㐀㐁䶵鿿亍丌AaBb09- ");
    QRandomGenerator random(20261207);
    QStringList stored;
    for (int i = 0; i < 4000; ++i) {
        QString name;
        const int length = 1 + int(random.bounded(6));
        for (int k = 0; k < length; ++k)
            name += pool.at(int(random.bounded(quint32(pool.size()))));
        stored << name;
    }
    // Names that share a beginning and differ just after it, or inside a pair read together.
    stored << "沈阳机床"
           << "沈飞"
           << "沈阳"
           << "陈沈阳"
           << "陈沈"
           << "重庆银行"
           << "重工"
           << "中国重庆"
           << "中国重工"
           << "藏文"
           << "藏品"
           << "仓储";
    const QStringList names = namesInOrder(stored);
    QCOMPARE(names.size(), stored.size());
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    for (qsizetype i = 1; i < names.size(); ++i) {
        const int order = collator.compare(names.at(i - 1), names.at(i));
        QVERIFY2(order < 0 || (order == 0 && names.at(i - 1) <= names.at(i)),
                 qPrintable(names.at(i - 1) + " / " + names.at(i)));
    }
}

void TestStatement::hostileTextsRoundTrip_data() {
    QTest::addColumn<QString>("text");
    for (const auto& [name, text] : sample::hostileTexts())
        QTest::newRow(name) << text;
}

// Through a written row and through a statement with doubled quotes, any text
// comes back as it went in, and nothing in it is ever run.
void TestStatement::hostileTextsRoundTrip() {
    QFETCH(QString, text);
    TestHome home;
    QVERIFY(home.isValid());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));

    RowWriter writer(db, "base");
    writer.set("base_name", text);
    writer.set("base_invalid_flag", 1);
    QVERIFY(writer.save());
    const qint64 written = writer.newKey();
    QVERIFY(written > 0);

    QVERIFY(db.execute(
        sql::format("insert into base(base_name,base_invalid_flag) values('%s',1)", text)));

    QStringList names;
    QVERIFY(db.query(sql::format("select base_code,base_name from base where base_name='%s' "
                                 "order by base_code",
                                 text),
                     [&](const Row& row) {
                         names << row.text("base_name");
                         return true;
                     }));
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.at(0), text);
    QCOMPARE(names.at(1), text);

    RowWriter update(db, "base", sql::format("base_code=%ld", written));
    update.set("work_name", text);
    QVERIFY(update.save());
    QString workName;
    db.query(sql::format("select work_name from base where base_code=%ld", written),
             [&](const Row& row) {
                 workName = row.text("work_name");
                 return false;
             });
    QCOMPARE(workName, text);

    QCOMPARE(db.count("select count(*) from base"), 2);
    QVERIFY(db.count("select count(*) from userlogin") >= 1);
    QVERIFY(prompter.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_statement.moc"
