// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/FileStatement.h"
#include "db/JetFunctions.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <atomic>
#include <sqlite3.h>
#include <thread>

class TestDatabase : public QObject {
    Q_OBJECT

  private slots:
    void openRefusesMissingAndForeignFiles();
    void failuresAreReportedWithTheEngineText();
    void nullFieldsKeepTheCallersDefault();
    void countAndEarlyExit();
    void fieldsReadAsTheConnectionReadsThem();
    void boundValuesStoreAsTheConnectionStoresThem();
    void walkFailuresAndUnfinishedWalks();
    void rowWriterInsertsAndUpdates();
    void transactionsRollBackCompletely();
    void cdateAndDatediff_data();
    void cdateAndDatediff();
    void invalidDateIsAnSqlError();
    void oddDateTextsReadAlikeFromAColumn();
    void commDateRangesCompareAsDates();
    void secondConnectionReadsAndWritesMeanwhile();
    void deliveredFileNeedsNothingOfOurs();
};

void TestDatabase::openRefusesMissingAndForeignFiles() {
    // A refused file must not leave its connection behind still in use.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
    TestHome home;
    Database db;
    const QString missing = home.file("nothing.tdb");
    QVERIFY(!db.open(missing));
    QVERIFY(!QFile::exists(missing)); // never creates a database

    QFile junk(home.file("junk.tdb"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QVERIFY(!db.open(home.file("junk.tdb")));
    QVERIFY(!db.lastError().isEmpty());

    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.isOpen());
}

void TestDatabase::failuresAreReportedWithTheEngineText() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));

    QVERIFY(!db.execute("update nosuchtable set a=1"));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(prompter.messages[0].icon, PromptIcon::Critical);
    QVERIFY(prompter.messages[0].text.contains("nosuchtable"));

    bool called = false;
    QVERIFY(!db.query("select nothing from nowhere", [&](const Row&) { return called = true; }));
    QVERIFY(!called);
    QCOMPARE(db.count("select count(*) from nowhere"), -1);

    RowWriter writer(db, "base");
    writer.set("no_such_column", "x");
    QVERIFY(!writer.save());
    QCOMPARE(writer.newKey(), -1);
    QCOMPARE(prompter.messages.size(), 4);
}

void TestDatabase::nullFieldsKeepTheCallersDefault() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute("insert into base(base_name,base_sort_code) values(NULL,NULL)"));
    bool seen = false;
    bool nameIsNull = false;
    QString name, absent;
    qint64 level = 0, flag = 0;
    db.query("select base_name,base_sort_code,base_invalid_flag from base", [&](const Row& row) {
        seen = true;
        nameIsNull = row.isNull("base_name");
        name = row.text("base_name", "默认");
        level = row.number("base_sort_code", -1);
        flag = row.number("base_invalid_flag", -1);
        absent = row.text("not_selected", "x");
        return true;
    });
    QVERIFY(nameIsNull);
    QCOMPARE(name, QStringLiteral("默认"));
    QCOMPARE(level, -1);
    QCOMPARE(flag, 1); // the column's default
    QCOMPARE(absent, QStringLiteral("x"));
    QVERIFY(seen);
}

void TestDatabase::countAndEarlyExit() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    const qint64 provinces = db.count("select count(*) from province");
    QCOMPARE(provinces, 35); // the empty-name row and 34 divisions
    int visited = 0;
    QVERIFY(
        db.query("select province_name from province", [&](const Row&) { return ++visited < 3; }));
    QCOMPARE(visited, 3);
    QVERIFY(db.exists("select * from userlogin where user_name='admin'"));
    QVERIFY(!db.exists("select * from userlogin where user_name='nobody'"));
}

// A file's rows are read from the engine directly; every kind of stored value
// must come out as Qt's own driver gives it.
void TestDatabase::fieldsReadAsTheConnectionReadsThem() {
    SKIP_ON_SERVER("a file's statements are run by its engine directly");
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute("create table mixed(n, label)"));
    const QStringList values = {"42",      "-7",   "9007199254740993", "2.5",       "100.0", "1e-7",
                                "'中文 '", "'12'", "' 7.9 '",          "x'00ff41'", "NULL",  "''",
                                "'abc'"};
    for (int i = 0; i < values.size(); ++i)
        QVERIFY(db.execute(sql::Statement(
            QStringLiteral("insert into mixed values(%1,'v%2')").arg(values[i]).arg(i))));

    QSqlQuery plain(db.connection());
    QVERIFY(plain.exec("select n, label from mixed order by rowid"));
    int seen = 0;
    QVERIFY(db.query("select n as Value, m.label from mixed m order by rowid", [&](const Row& row) {
        if (!plain.next())
            return false;
        const QVariant expected = plain.value(0);
        const QString what = plain.value(1).toString();
        if (row.value("value") != expected || row.value("value").typeId() != expected.typeId())
            qWarning() << what << "value" << row.value("value") << expected;
        else if (row.isNull("VALUE") != plain.isNull(0))
            qWarning() << what << "null";
        else if (row.textAt(0, "-") !=
                 (plain.isNull(0) ? QStringLiteral("-") : expected.toString()))
            qWarning() << what << "text" << row.textAt(0) << expected.toString();
        else if (expected.typeId() == QMetaType::LongLong &&
                 row.numberAt(0) != expected.toLongLong())
            qWarning() << what << "number" << row.numberAt(0);
        else if (row.text("m.label") != what || row.indexOf("LABEL") != 1)
            qWarning() << what << "label";
        else
            ++seen;
        return true;
    }));
    QCOMPARE(seen, values.size());
    QVERIFY(!plain.next());

    // Numbers read from texts and real numbers.
    QList<qint64> numbers;
    db.query("select n from mixed order by rowid", [&](const Row& row) {
        numbers << row.numberAt(0, -99);
        return true;
    });
    QCOMPARE(numbers,
             (QList<qint64>{42, -7, 9007199254740993, 3, 100, 0, -99, 12, 7, -99, -99, -99, -99}));
}

void TestDatabase::boundValuesStoreAsTheConnectionStoresThem() {
    SKIP_ON_SERVER("a file's statements are run by its engine directly");
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    const QVariantList values = {QVariant(7),
                                 QVariant(qlonglong(1) << 40),
                                 QVariant(2.25),
                                 QVariant(QStringLiteral("张三")),
                                 QVariant(QByteArray("\0\1", 2)),
                                 QVariant(),
                                 QVariant(true),
                                 QVariant(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5, 12))),
                                 QVariant(QDate(2026, 12, 7))};
    QString marks;
    for (int i = 0; i < values.size(); ++i)
        marks += i ? QStringLiteral(",?") : QStringLiteral("?");
    const QString select = QStringLiteral("select ") + marks;

    QSqlQuery plain(db.connection());
    QVERIFY(plain.prepare(select));
    for (const QVariant& value : values)
        plain.addBindValue(value);
    QVERIFY(plain.exec() && plain.next());
    FileStatement mine(db.fileHandle());
    QVERIFY(mine.prepare(select, values));
    QVERIFY(mine.next());
    const Row row(mine.statement());
    for (int i = 0; i < values.size(); ++i) {
        const QString theirs = plain.isNull(i) ? QStringLiteral("NULL") : plain.value(i).toString();
        QCOMPARE(row.textAt(i, "NULL"), theirs);
    }
    QVERIFY(!mine.next());
    QVERIFY(!mine.error().isValid());

    FileStatement missing(db.fileHandle());
    QVERIFY(!missing.prepare(select, values.mid(1)));
    QVERIFY(missing.error().isValid());
}

void TestDatabase::walkFailuresAndUnfinishedWalks() {
    SKIP_ON_SERVER("a file's statements are run by its engine directly");
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));

    // A failure met on the way, after the statement started.
    int rows = 0;
    QVERIFY(!db.query("select abs(x) from (select 1 as x union all select -9223372036854775808)",
                      [&](const Row&) { return ++rows > 0; }));
    QVERIFY(db.lastError().contains("integer overflow"));
    QCOMPARE(prompter.messages.size(), 1);

    QVERIFY(!db.queryQuietly("select 1; select 2", [](const Row&) { return true; }));
    QVERIFY(!db.queryQuietly("selec 1", [](const Row&) { return true; }));
    QVERIFY(db.lastError().contains("syntax error"));
    QCOMPARE(prompter.messages.size(), 1);

    // A walk left early leaves nothing open: the table it read can be dropped.
    QVERIFY(db.execute("create table walked(n)"));
    QVERIFY(db.execute("insert into walked values(1),(2),(3)"));
    QVERIFY(db.query("select n from walked", [](const Row&) { return false; }));
    QVERIFY(db.execute("drop table walked"));
}

void TestDatabase::rowWriterInsertsAndUpdates() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    RowWriter first(db, "comm");
    first.set("comm_base_code", 9);
    first.set("comm_content", QStringLiteral("拜访"));
    first.set("comm_spent", QString()); // empty, not NULL
    QVERIFY(first.save());
    RowWriter second(db, "comm");
    second.set("comm_base_code", 9);
    QVERIFY(second.save());
    QCOMPARE(second.newKey(), first.newKey() + 1);

    RowWriter update(db, "comm", sql::format("comm_code=%ld", first.newKey()));
    update.set("comm_content", QStringLiteral("宴请"));
    QVERIFY(update.save());
    QString content;
    bool spentIsNull = true;
    db.query(sql::format("select * from comm where comm_code=%ld", first.newKey()),
             [&](const Row& row) {
                 content = row.text("comm_content");
                 spentIsNull = row.isNull("comm_spent");
                 return false;
             });
    QCOMPARE(content, QStringLiteral("宴请"));
    QVERIFY(!spentIsNull);
    QCOMPARE(db.count("select count(*) from comm where comm_content='宴请'"), 1);
}

void TestDatabase::transactionsRollBackCompletely() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.begin());
    RowWriter base(db, "base");
    base.set("base_name", QStringLiteral("半途"));
    QVERIFY(base.save());
    QVERIFY(db.execute(sql::format("insert into home(home_base_code) values(%ld)", base.newKey())));
    QVERIFY(!db.execute("insert into nosuch values(1)"));
    QVERIFY(db.rollback());
    QCOMPARE(db.count("select count(*) from base"), 0);
    QCOMPARE(db.count("select count(*) from home"), 0);

    QVERIFY(db.begin());
    QVERIFY(db.execute("insert into base(base_name) values('留下')"));
    QVERIFY(db.commit());
    QCOMPARE(db.count("select count(*) from base"), 1);
}

void TestDatabase::cdateAndDatediff_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");
    QTest::newRow("slashes") << "cdate('2012/5/8')"
                             << "2012-05-08";
    QTest::newRow("iso") << "cdate('2012-05-08')"
                         << "2012-05-08";
    QTest::newRow("with time") << "cdate('2012/5/8 13:05:00')"
                               << "2012-05-08";
    QTest::newRow("leap day") << "cdate('2012/2/29')"
                              << "2012-02-29";
    QTest::newRow("null") << "coalesce(cdate(NULL),'null')"
                          << "null";
    QTest::newRow("days forward") << "datediff('d',cdate('2012/5/8'),cdate('2012/5/18'))"
                                  << "10";
    QTest::newRow("days back") << "datediff('d','2012-05-18','2012/5/8')"
                               << "-10";
    QTest::newRow("over a leap year") << "datediff('d',cdate('2011/12/31'),cdate('2012/12/31'))"
                                      << "366";
    QTest::newRow("compare") << "cdate('2012/5/8')<cdate('2012/10/1')"
                             << "1";
}

void TestDatabase::cdateAndDatediff() {
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    QString value;
    QVERIFY(db.query(sql::Statement("select " + expression + " as v"), [&](const Row& row) {
        value = row.text("v");
        return false;
    }));
    QCOMPARE(value, expected);
    QVERIFY(prompter.messages.isEmpty());
}

void TestDatabase::invalidDateIsAnSqlError() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    for (const char* bad : {"2011/2/29", "2012/4/31", "明天", "", "2012/13/1"}) {
        prompter.clear();
        QVERIFY2(!db.query(sql::Statement(QStringLiteral("select cdate('%1')").arg(bad)),
                           [](const Row&) { return true; }),
                 bad);
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(prompter.messages[0].caption, QStringLiteral("错误"));
    }
    QVERIFY(!jet::parseDate("2011/2/29"));
    QCOMPARE(jet::isoDate("2012/2/29"), QStringLiteral("2012-02-29"));
}

// The same texts give the same date, or the same failure, on either engine,
// read from a column as the statements read them (not a constant worked out
// once before the statement runs).
void TestDatabase::oddDateTextsReadAlikeFromAColumn() {
    const QList<std::pair<QString, QString>> cases{
        {"2012/5-8", "2012-05-08"},
        {"12/5/8", "0012-05-08"},
        {"9999/12/31", "9999-12-31"},
        {"2000/2/29", "2000-02-29"},
        {"\t 2012 / 05 / 8 \n", "2012-05-08"},
        {"2012/5/8T13:05:07.5", "2012-05-08"},
        {"0000/1/1", ""},
        {"10000/1/1", ""},
        {"1900/2/29", ""},
        {"2012/0/1", ""},
        {"2012/1/0", ""},
        {"2012/123/1", ""},
        {"2012//8", ""},
        {"+2012/5/8", ""},
        {"2012/5/8 13", ""},
        {QStringLiteral("2012/5/8\u3000"), ""},
        {QStringLiteral("\uff12\uff10\uff11\uff12/5/8"), ""},
    };
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute("create table odd (t text)"));
    for (const auto& [text, expected] : cases) {
        prompter.clear();
        QVERIFY(db.execute("delete from odd"));
        QVERIFY(db.execute(sql::format("insert into odd values('%s')", text)));
        QString value;
        const bool read = db.query("select cdate(t) as v from odd", [&](const Row& row) {
            value = row.text("v");
            return false;
        });
        QVERIFY2(read == !expected.isEmpty(), qPrintable(text));
        QCOMPARE(value, expected);
        if (!read)
            QVERIFY2(
                prompter.lastText().contains(QStringLiteral("cdate('%1') 不是有效日期").arg(text)),
                qPrintable(prompter.lastText()));
    }
}

void TestDatabase::commDateRangesCompareAsDates() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    const QStringList dates{"2012/5/8", "2012/10/1", "2011/12/31", "2013/1/2"};
    for (const QString& d : dates) {
        RowWriter w(db, "comm");
        w.set("comm_base_code", 1);
        w.set("comm_date", jet::isoDate(d));
        QVERIFY(w.save());
    }
    QCOMPARE(db.count("select count(*) from comm where comm_date between cdate('2012/1/1') and "
                      "cdate('2012/12/31')"),
             2);
    QString newest;
    db.query("select comm_date from comm order by comm_base_code,comm_date DESC",
             [&](const Row& row) {
                 newest = row.text("comm_date");
                 return false;
             });
    QCOMPARE(newest, QStringLiteral("2013-01-02"));
}

// The tree builder reads and writes on its own connection while the
// user-interface connection is busy; neither sees "database is locked".
void TestDatabase::secondConnectionReadsAndWritesMeanwhile() {
    TestHome home;
    ScriptedPrompter prompter;
    Database ui(&prompter);
    QVERIFY(ui.open(home.databasePath()));

    // A reader on another connection sees committed data during an open write transaction.
    QVERIFY(ui.execute("insert into base(base_name) values('已提交')"));
    QVERIFY(ui.begin());
    QVERIFY(ui.execute("insert into base(base_name) values('未提交')"));
    {
        Database other;
        QVERIFY(other.open(home.databasePath()));
        QCOMPARE(other.count("select count(*) from base"), 1);
    }
    QVERIFY(ui.commit());

    constexpr int kRows = 150;
    std::atomic<int> workerFailures{0};
    std::thread worker([&] {
        ScriptedPrompter workerPrompter;
        Database db(&workerPrompter);
        if (!db.open(home.databasePath())) {
            workerFailures = 1000;
            return;
        }
        for (int i = 0; i < kRows; ++i) {
            if (!db.execute(sql::format("insert into tmptrans values(%ld,1,%ld)", i, 2)))
                ++workerFailures;
            if (db.count("select count(*) from base") < 0)
                ++workerFailures;
        }
        if (!db.begin() || !db.execute("delete from tmptrans where tmptrans_user_code=99") ||
            !db.commit())
            ++workerFailures;
        workerFailures += int(workerPrompter.messages.size());
    });
    for (int i = 0; i < kRows; ++i) {
        QVERIFY(ui.execute(sql::format("insert into tmptrans values(%ld,2,%ld)", i, 1)));
        QVERIFY(ui.count("select count(*) from tmptrans") >= 0);
    }
    worker.join();
    QCOMPARE(workerFailures.load(), 0);
    QVERIFY(prompter.messages.isEmpty());
    QCOMPARE(ui.count("select count(*) from tmptrans"), 2 * kRows);
}

// Other tools (the sqlite3 shell, a backup script) open the file without the
// program's functions and collation: every table must still read.
void TestDatabase::deliveredFileNeedsNothingOfOurs() {
    SKIP_ON_SERVER("the file's own engine only");
    TestHome home;
    {
        Database db;
        QVERIFY(db.open(home.databasePath()));
        QVERIFY(db.execute("insert into relationsort(relationsort_name) values('北京')"));
    }
    sqlite3* raw = nullptr;
    QCOMPARE(sqlite3_open_v2(home.databasePath().toUtf8().constData(), &raw, SQLITE_OPEN_READONLY,
                             nullptr),
             SQLITE_OK);
    auto rows = [raw](const QByteArray& statement, int* count = nullptr) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(raw, statement.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            return QStringList{QStringLiteral("prepare failed: ") + sqlite3_errmsg(raw)};
        QStringList first;
        int step = 0;
        int n = 0;
        while ((step = sqlite3_step(stmt)) == SQLITE_ROW) {
            ++n;
            first << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
        sqlite3_finalize(stmt);
        if (step != SQLITE_DONE)
            first << QStringLiteral("step failed: ") + sqlite3_errmsg(raw);
        if (count)
            *count = n;
        return first;
    };
    QCOMPARE(rows("PRAGMA integrity_check"), QStringList{"ok"});
    const QStringList tables = rows("select name from sqlite_master where type='table'");
    QVERIFY(tables.size() > 20);
    for (const QString& table : tables) {
        int count = -1;
        const QStringList out = rows(("select * from " + table).toUtf8(), &count);
        QVERIFY2(out.isEmpty() || !out.last().contains("failed"), qPrintable(out.join(' ')));
        QVERIFY2(count >= 0, qPrintable(table));
    }
    QVERIFY(rows("select sql from sqlite_master where sql like '%pinyin%'").isEmpty());
    // Without the collation, names simply come in code point order.
    const QStringList names =
        rows("select relationsort_name from relationsort order by relationsort_name desc");
    QVERIFY(names.contains(QStringLiteral("北京")));
    QVERIFY(!names.last().contains("failed"));
    sqlite3_close(raw);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
