#include "db/Database.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QTest>

class TestStatement : public QObject {
    Q_OBJECT

  private slots:
    void format_data();
    void format();
    void doubleQuotes();
    void hostileTextsRoundTrip_data();
    void hostileTextsRoundTrip();
};

void TestStatement::format_data() {
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");

    QTest::newRow("long code") << sql::format("select * from base where base_code=%ld", 42)
                               << "select * from base where base_code=42";
    QTest::newRow("negative code") << sql::format("x=%ld", -1) << "x=-1";
    QTest::newRow("code given as %s") << sql::format("doc_code=%s", qint64(7)) << "doc_code=7";
    QTest::newRow("text") << sql::format("name='%s'", QStringLiteral("张三")) << "name='张三'";
    QTest::newRow("tabs kept")
        << sql::format("update base set base_invalid_flag=0 \t\t\t\twhere base_code=%s",
                       QStringLiteral("5"))
        << "update base set base_invalid_flag=0 \t\t\t\twhere base_code=5";
    QTest::newRow("like pattern") << sql::format("work_name like '%s%s%s'", "%",
                                                 QStringLiteral("华为"), "%")
                                  << "work_name like '%华为%'";
    QTest::newRow("percent sign") << sql::format("%d%c", 40, '%') << "40%";
    QTest::newRow("literal percent") << sql::format("100%%") << "100%";
    QTest::newRow("list date") << sql::format("%4s-%2s-%2s", "2012", "5", "8") << "2012- 5- 8";
    QTest::newRow("query date") << sql::format("%d/%2d/%2d", 2012, 5, 18) << "2012/ 5/18";
    QTest::newRow("hex") << sql::format("Unknown error 0x%0lX", 0x80004005u)
                         << "Unknown error 0x80004005";
    QTest::newRow("zero padded") << sql::format("%02d:%02d", 7, 5) << "07:05";
    QTest::newRow("text with percent inside")
        << sql::format("'%s' and %ld", QStringLiteral("50%_off %s"), 3) << "'50%_off %s' and 3";
    QTest::newRow("missing argument") << sql::format("a=%s b=%s", "1") << "a=1 b=";
}

void TestStatement::format() {
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

void TestStatement::doubleQuotes() {
    QCOMPARE(sql::doubleQuotes("O'Neil"), QStringLiteral("O''Neil"));
    QCOMPARE(sql::doubleQuotes("''"), QStringLiteral("''''"));
    QCOMPARE(sql::doubleQuotes(QString()), QString());
    QCOMPARE(sql::doubleQuotes("无引号"), QStringLiteral("无引号"));
}

void TestStatement::hostileTextsRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("quote") << QStringLiteral("O'Neil");
    QTest::newRow("double quotes") << QStringLiteral("他说\"你好\"''");
    QTest::newRow("wildcards") << QStringLiteral("100% _完成_ %s %ld");
    QTest::newRow("backslashes") << QStringLiteral("C:\\文档\\n\\'x");
    QTest::newRow("sql fragment") << QStringLiteral("'; drop table base; --");
    QTest::newRow("another fragment") << QStringLiteral("x' or '1'='1");
    QTest::newRow("long") << QString(10000, QChar(u'长'));
    QTest::newRow("emoji") << QStringLiteral("😀👨‍👩‍👧 表情");
    QTest::newRow("control characters") << QStringLiteral("a\tb\r\nc");
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

    QVERIFY(db.execute(sql::format("insert into base(base_name,base_invalid_flag) values('%s',1)",
                                   sql::doubleQuotes(text))));

    QStringList names;
    QVERIFY(db.query(sql::format("select base_code,base_name from base where base_name='%s' "
                                 "order by base_code",
                                 sql::doubleQuotes(text)),
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
