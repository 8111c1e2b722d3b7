// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "db/LatestComm.h"
#include "db/PgSchema.h"
#include "support/TestHome.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

// mavor-admin migrate onto the test cluster: only rows come from a file, a
// server that holds more than a new database is not emptied unasked, and a
// refusal or a failure anywhere leaves every row of the server as it was.
class TestMigrate : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void serverUnchanged_data();
    void serverUnchanged();
    void passwordsStayBehind();

  private:
    struct Run {
        int code = -1;
        QString out;
        QString err;
    };
    Run admin(const QStringList& args);
    QString madeFile(const TestHome& home, const QStringList& statements);
};

namespace {

bool runAll(Database& db, const QStringList& statements) {
    for (const QString& text : statements) {
        QSqlQuery q(db.connection());
        if (!q.exec(text)) {
            qWarning("%s: %s", qPrintable(text), qPrintable(Database::describe(q.lastError())));
            return false;
        }
    }
    return true;
}

// Each table of the server: its rows counted and a checksum of all of them;
QStringList contents(const QString& location) {
    Database db;
    if (!db.open(location))
        return {db.lastError()};
    QStringList out;
    for (const QString& table : pgschema::tables(db)) {
        QSqlQuery q(db.connection());
        q.exec(QStringLiteral("select count(*), md5(string_agg(t::text, ',' order by t::text)) "
                              "from \"%1\" t")
                   .arg(table));
        q.next();
        out << table + u' ' + q.value(0).toString() + u' ' + q.value(1).toString();
    }
    // and the next key each table gives
    QStringList sequences;
    QSqlQuery names(db.connection());
    names.exec("select sequencename from pg_sequences where schemaname = current_schema() "
               "order by 1");
    while (names.next())
        sequences << names.value(0).toString();
    for (const QString& sequence : sequences) {
        QSqlQuery q(db.connection());
        q.exec(QStringLiteral("select last_value, is_called from \"%1\"").arg(sequence));
        q.next();
        out << sequence + u' ' + q.value(0).toString() + u' ' + q.value(1).toString();
    }
    return out;
}

} // namespace

void TestMigrate::init() {
    if (!TestHome::onServer())
        QSKIP("needs the test cluster");
}

TestMigrate::Run TestMigrate::admin(const QStringList& args) {
    QProcess process;
    process.start(qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor-admin"), args);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A new database file, then the statements run on it.
QString TestMigrate::madeFile(const TestHome& home, const QStringList& statements) {
    const QString path = home.file(QStringLiteral("from.tdb"));
    if (admin({"initdb", path}).code != 0)
        return {};
    Database file;
    if (!file.open(path) || !runAll(file, statements))
        return {};
    return path;
}

void TestMigrate::serverUnchanged_data() {
    QTest::addColumn<QStringList>("fileStatements");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("said");
    // A column whose name ends the copy's insert and runs statements of its own.
    QTest::newRow("statements in a column name")
        << QStringList{"drop table userlogin",
                       "create table userlogin (\"user_pwd) select '' where false; commit; "
                       "create table evil(a int); --\" text)",
                       "insert into userlogin values ('x')"}
        << true << "没有 userlogin.user_code";
    QTest::newRow("statements in an added column")
        << QStringList{"alter table base add column \"x); commit; create table evil(a int); --\""}
        << true << "表 base 多了列 x); commit;";
    QTest::newRow("a trigger")
        << QStringList{"create trigger t1 after insert on base begin select 1; end"} << true
        << "触发器 t1";
    // The program's own trigger name does not make a trigger the program's.
    QTest::newRow("a trigger under the program's name")
        << QStringList{"drop trigger commlast_added",
                       "create trigger commlast_added after insert on comm begin "
                       "delete from base; end"}
        << true << "触发器 commlast_added 的内容与本程序的不同";
    QTest::newRow("a view") << QStringList{"create view v1 as select 1"} << true << "视图 v1";
    // userlogin is the last table copied; the server's bigint refuses a text.
    QTest::newRow("the last table fails")
        << QStringList{"insert into base (base_name) values ('甲')",
                       "insert into userlogin (user_name, user_dep_code) values ('carol', 'x')"}
        << true << "userlogin";
    QTest::newRow("users but no contacts, no --replace")
        << QStringList{"insert into base (base_name) values ('甲')"} << false
        << "smssend 1 行 (新数据库 0 行), userlogin 2 行 (新数据库 1 行)";
}

void TestMigrate::serverUnchanged() {
    QFETCH(QStringList, fileStatements);
    QFETCH(bool, replace);
    QFETCH(QString, said);
    TestHome home;
    QVERIFY(home.isValid());
    {
        Database server;
        QVERIFY(server.open(home.databasePath()));
        QVERIFY(runAll(server, {"insert into userlogin (user_name, user_pwd) values ('bob', '')",
                                "insert into smssend (smssend_content) values ('明天开会')"}));
    }
    const QString file = madeFile(home, fileStatements);
    QVERIFY(!file.isEmpty());
    const QStringList before = contents(home.databasePath());

    QStringList args = {"migrate", file, home.databasePath()};
    if (replace)
        args << QStringLiteral("--replace");
    const Run run = admin(args);
    QCOMPARE(contents(home.databasePath()), before);
    QVERIFY2(run.code == 1, qPrintable(run.out + run.err));
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
}

// An ordinary file onto a new server: every row arrives, no password does.
void TestMigrate::passwordsStayBehind() {
    TestHome home;
    QVERIFY(home.isValid());
    // Two interactions on one day: the later entered is the newest.
    const QString file = madeFile(
        home, {"insert into base (base_name) values ('甲')",
               "insert into comm (comm_base_code, comm_date, comm_day) values "
               "(1, '2012-05-08', '08'), (1, '2012-05-08', '09'), (1, '2012-05-07', '07')"});
    QVERIFY(!file.isEmpty());
    const Run run = admin({"migrate", file, home.databasePath()});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("userlogin 中的密码没有复制到服务器")),
             qPrintable(run.out));
    Database server;
    QVERIFY(server.open(home.databasePath()));
    QCOMPARE(server.count("select count(*) from base"), 1);
    QCOMPARE(server.count("select count(*) from userlogin where user_name = 'admin'"), 1);
    QCOMPARE(server.count("select count(*) from userlogin where user_pwd <> ''"), 0);
    QCOMPARE(server.count("select count(*) from commlast"), 1);
    QCOMPARE(server.count("select count(*) from commlast where commlast_day = '09'"), 1);
    QCOMPARE(latestcomm::staleCount(server), 0);
}

QTEST_GUILESS_MAIN(TestMigrate)
#include "tst_migrate.moc"
