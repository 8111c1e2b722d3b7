// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Settings.h"
#include "db/Database.h"
#include "db/PgSchema.h"
#include "db/SchemaVersion.h"
#include "db/ServerAddress.h"
#include "db/ServerDialect.h"
#include "login/LoginCheck.h"
#include "server/DataSource.h"
#include "server/SecretBox.h"
#include "server/ServerSettings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QFile>
#include <QProcess>
#include <QTest>

// Team mode: where the server is written down, how the statements and the
// upgrade steps read there, how the program opens it, and that a server and
// a file holding the same data give the same navigation tree.
class TestServer : public QObject {
    Q_OBJECT

  private slots:
    void locations_data();
    void locations();
    void statements_data();
    void statements();
    void stepScripts_data();
    void stepScripts();
    void sealedPassword();
    void opening_data();
    void opening();
    void unreachableAtLogin();
    void stepsRunOnTheServer();
    void lunarDaysOnTheServer_data();
    void lunarDaysOnTheServer();
    void sameTreeOnBothEngines();
};

void TestServer::locations_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("tls");
    QTest::newRow("host and database")
        << "postgresql://mavor@db.example.org/team" << true << "db.example.org" << 5432 << "team"
        << "mavor" << false;
    QTest::newRow("socket directory, port, TLS")
        << "postgresql://u@%2Ftmp%2Fpg:6543/x?sslmode=require" << true << "/tmp/pg" << 6543 << "x"
        << "u" << true;
    QTest::newRow("TLS checked against a root of its own")
        << "postgresql://u@h/x?sslmode=verify-full&sslrootcert=%2Fetc%2Fteam%20ca.crt" << true
        << "h" << 5432 << "x"
        << "u" << true;
    QTest::newRow("short scheme, TLS only preferred")
        << "postgres://u@h/x?sslmode=prefer" << true << "h" << 5432 << "x"
        << "u" << false;
    QTest::newRow("a password written in is not taken")
        << "postgresql://u:secret@h/x" << true << "h" << 5432 << "x"
        << "u" << false;
    QTest::newRow("no database") << "postgresql://u@h" << false << "" << 0 << ""
                                 << "" << false;
    QTest::newRow("port out of range") << "postgresql://u@h:99999/x" << false << "" << 0 << ""
                                       << "" << false;
    QTest::newRow("a file") << "/home/a/mavor.tdb" << false << "" << 0 << ""
                            << "" << false;
}

void TestServer::locations() {
    QFETCH(QString, location);
    QFETCH(bool, valid);
    const auto address = ServerAddress::fromLocation(location);
    QCOMPARE(address.has_value(), valid);
    if (!valid)
        return;
    QTEST(address->host, "host");
    QTEST(address->port, "port");
    QTEST(address->database, "database");
    QTEST(address->user, "user");
    QTEST(address->tls, "tls");
    QVERIFY(address->password.isEmpty());
    // Written out and read again, it names the same server, never with a password.
    const auto again = ServerAddress::fromLocation(address->location());
    QVERIFY(again);
    QCOMPARE(again->location(), address->location());
    QVERIFY(!address->location().contains(u"secret"));
}

// What the server is sent for statements written for the file engine.
void TestServer::statements_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("sent");
    QTest::newRow("bound pattern: any case, no escape character")
        << "select base_code from base where base_name like ?"
        << "select base_code from base where base_name ilike ? escape ''";
    QTest::newRow("quoted pattern") << "select 1 from doc where doc_name like '%a\\b%'"
                                    << "select 1 from doc where doc_name ilike '%a\\b%' escape ''";
    QTest::newRow("is with a number") << "select 1 from base where base_invalid_flag is not 0"
                                      << "select 1 from base where base_invalid_flag is distinct "
                                         "from 0";
    QTest::newRow("is with a bound value") << "update base set x=1 where y is ?"
                                           << "update base set x=1 where y is not distinct from ?";
    QTest::newRow("is null stays") << "select 1 from base where base_name is null"
                                   << "select 1 from base where base_name is null";
    QTest::newRow("empty quoted name") << "insert into sort (sort_name) values (\"\")"
                                       << "insert into sort (sort_name) values ('')";
    QTest::newRow("literals untouched")
        << "select 'a like b', 'x is 0' from base where base_name='O''Neil is 1'"
        << "select 'a like b', 'x is 0' from base where base_name='O''Neil is 1'";
    QTest::newRow("no limit")
        << "select code from (select base_code as code from base order by base_code limit -1) as r"
        << "select code from (select base_code as code from base order by base_code limit all) as "
           "r";
    QTest::newRow("newest interaction's day numbers kept")
        << "select %ld-daynumber(l.commlast_year,l.commlast_month,l.commlast_day),"
           "daynumber(commlast_next_year, commlast_next_month, commlast_next_day),"
           "daynumber(l.commlast_next_year,l.commlast_month,l.commlast_day),"
           "daynumber(c.comm_year,c.comm_month,c.comm_day) from commlast as l"
        << "select %ld-l.commlast_day_number,commlast_next_day_number,"
           "daynumber(l.commlast_next_year,l.commlast_month,l.commlast_day),"
           "daynumber(c.comm_year,c.comm_month,c.comm_day) from commlast as l";
    QTest::newRow("tabs and upper case kept")
        << "Update base set base_invalid_flag=0 \t\twhere base_code=?"
        << "Update base set base_invalid_flag=0 \t\twhere base_code=?";
}

void TestServer::statements() {
    QFETCH(QString, statement);
    QTEST(serverdialect::statement(statement), "sent");
}

// Upgrade steps are written for the file engine; the server runs what has a
// meaning there and leaves out the file engine's own tables.
void TestServer::stepScripts_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("indexes replaced")
        << "-- indexes\nDROP INDEX idx_base_type;\n"
           "CREATE INDEX idx_base_type_live ON base(base_type_code, base_invalid_flag);\n"
        << QStringList{"DROP INDEX idx_base_type",
                       "CREATE INDEX idx_base_type_live ON base(base_type_code, "
                       "base_invalid_flag)"};
    QTest::newRow("columns added")
        << "ALTER TABLE base ADD COLUMN base_lunar INTEGER NOT NULL DEFAULT 0;\n"
           "ALTER TABLE feast ADD COLUMN feast_note TEXT DEFAULT '';"
        << QStringList{"ALTER TABLE base ADD COLUMN base_lunar bigint NOT NULL DEFAULT 0",
                       "ALTER TABLE feast ADD COLUMN feast_note text collate \"C\" DEFAULT ''"};
    QTest::newRow("statistics: the engine's own tables left out")
        << "ANALYZE;\nDELETE FROM sqlite_stat1 WHERE tbl IN ('dep','feast');\n"
           "INSERT INTO sqlite_stat1(tbl, idx, stat) VALUES\n  ('dep', NULL, '1000');\n"
           "ANALYZE sqlite_master;\nPRAGMA optimize;"
        << QStringList{"ANALYZE"};
    QTest::newRow("rows added unless present")
        << "INSERT INTO feast (feast_name, feast_month) SELECT n.name, n.month FROM (\n"
           "  SELECT '春节' AS name, '01' AS month UNION ALL SELECT 'sqlite_x;', '05') AS n\n"
           "  WHERE NOT EXISTS (SELECT 1 FROM feast AS f WHERE f.feast_name = n.name);"
        << QStringList{"INSERT INTO feast (feast_name, feast_month) SELECT n.name, n.month FROM "
                       "(\n  SELECT '春节' AS name, '01' AS month UNION ALL SELECT 'sqlite_x;', "
                       "'05') AS n\n  WHERE NOT EXISTS (SELECT 1 FROM feast AS f WHERE "
                       "f.feast_name = n.name)"};
}

void TestServer::stepScripts() {
    QFETCH(QString, script);
    QTEST(pgschema::translate(script), "sent");
}

void TestServer::sealedPassword() {
    TestHome home;
    const QString key = home.file("server.key");
    const auto sealed = SecretBox(key).seal(QStringLiteral("p@ss 密码"));
    QVERIFY(sealed);
    QVERIFY(SecretBox::isSealed(*sealed));
    QVERIFY(!sealed->contains(u"p@ss"));
    QCOMPARE(SecretBox(key).open(*sealed), std::optional<QString>(QStringLiteral("p@ss 密码")));
    // The same secret sealed twice reads differently.
    QVERIFY(SecretBox(key).seal(QStringLiteral("p@ss 密码")) != sealed);
    // Altered, or under another key, it does not open.
    QString altered = *sealed;
    altered[altered.size() - 3] = altered[altered.size() - 3] == u'A' ? u'B' : u'A';
    QVERIFY(!SecretBox(key).open(altered));
    QVERIFY(!SecretBox(home.file("other.key")).open(*sealed));
    QVERIFY(QFile::permissions(key) == (QFile::ReadOwner | QFile::WriteOwner) ||
            QFile::permissions(key) ==
                (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser));
}

// What start-up chooses for the settings it finds; never the local file when
// a server is named, and never a stored password.
void TestServer::opening_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("no server section") << "[Settings]\r\nUserName=admin\r\n"
                                       << int(datasource::Outcome::File) << QStringList{};
    QTest::newRow("a section without a database")
        << "[Server]\r\nHost=h\r\n"
        << int(datasource::Outcome::File) << QStringList{};
    QTest::newRow("an old shared password is not used")
        << "[Server]\r\nHost=h\r\nDatabase=d\r\nUser=u\r\nPassword=secret\r\n"
        << int(datasource::Outcome::Server) << QStringList{};
    QTest::newRow("port is no number") << "[Server]\r\nHost=h\r\nPort=x\r\nDatabase=d\r\n"
                                       << int(datasource::Outcome::ServerFailed)
                                       << QStringList{"数据库打开失败,请检查系统设置", "Port=x"};
}

void TestServer::opening() {
    QFETCH(QString, ini);
    QFETCH(int, outcome);
    QFETCH(QStringList, told);
    TestHome home;
    QFile file(home.settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini.toUtf8());
    file.close();
    const datasource::Choice choice = datasource::choose(home.settingsPath());
    QCOMPARE(int(choice.outcome), outcome);
    for (const QString& part : told)
        QVERIFY2(choice.message.contains(part), qPrintable(choice.message));
    QVERIFY(choice.server.user.isEmpty() && choice.server.password.isEmpty());
}

// A server that cannot be reached is told at the login, in the server's own
// words (libpq names the socket it tried), and the dialog stays.
void TestServer::unreachableAtLogin() {
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    Settings settings(home.settingsPath());
    ServerAddress address;
    address.host = QStringLiteral("/nonexistent-mavor");
    address.database = QStringLiteral("team");
    LoginCheck check(db, settings, prompter, address);
    QVERIFY(!check.submit(QStringLiteral("admin"), QStringLiteral("admin888"), false).accepted);
    QVERIFY(!db.isOpen());
    for (const QString& part : {QStringLiteral("数据库打开失败,请检查系统设置"),
                                QStringLiteral("team.admin@/nonexistent-mavor:5432/team"),
                                QStringLiteral("/nonexistent-mavor/.s.PGSQL.5432")})
        QVERIFY2(prompter.lastText().contains(part), qPrintable(prompter.lastText()));
}

// The steps that other releases add reach a server database in one
// transaction, its version recorded, and renew the functions an older
// release left there.
void TestServer::stepsRunOnTheServer() {
    if (!TestHome::onServer())
        QSKIP("needs the test cluster");
    TestHome home;
    const QString script = home.file("002.sql");
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("DROP INDEX idx_base_type_live;\n"
               "CREATE INDEX idx_base_type_probe ON base(base_type_code, base_invalid_flag);\n"
               "ALTER TABLE base ADD COLUMN base_probe INTEGER NOT NULL DEFAULT 0;\n"
               "INSERT INTO feast (feast_name, feast_month, feast_day) SELECT '春节', '01', '01'"
               " WHERE NOT EXISTS (SELECT 1 FROM feast WHERE feast_name = '春节');\n"
               "ANALYZE;\nDELETE FROM sqlite_stat1 WHERE tbl = 'dep';\nANALYZE sqlite_master;\n");
    file.close();
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.executeServerText("create or replace function cdate(t text) returns text "
                                 "language sql immutable as $$ select 'old' $$"));
    const int before = schema::versionOf(db);
    QString error;
    QVERIFY2(schema::upgrade(db, {{before + 1, script}}, &error), qPrintable(error));
    QCOMPARE(schema::versionOf(db), before + 1);
    QString date;
    QVERIFY(db.queryQuietly("select cdate('2012/5/8')", [&](const Row& row) {
        date = row.textAt(0);
        return false;
    }));
    QCOMPARE(date, QStringLiteral("2012-05-08"));
    QCOMPARE(db.count("select count(*) from base where base_probe=0"),
             db.count("select count(*) from base"));
    QCOMPARE(db.count("select count(*) from feast where feast_name='春节'"), 1);
}

// The days the care lists count lunar birthdays on, from the server's lunarday().
void TestServer::lunarDaysOnTheServer_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("solarMonth");
    QTest::addColumn<int>("expected");
    // 腊月初一 comes twice in 2027: 8 January and 28 December.
    QTest::newRow("腊月初一, January 2027") << 1 << "12"
                                            << "01" << 2027 << 1 << 8;
    QTest::newRow("腊月初一, December 2027") << 1 << "12"
                                             << "01" << 2027 << 12 << 28;
    QTest::newRow("中秋 2026") << 1 << "08"
                               << "15" << 2026 << 9 << 25;
    QTest::newRow("中秋 2026, another month") << 1 << "08"
                                              << "15" << 2026 << 8 << 0;
    QTest::newRow("a Gregorian birthday") << 0 << "08"
                                          << "15" << 2026 << 9 << 0;
}

void TestServer::lunarDaysOnTheServer() {
    if (!TestHome::onServer())
        QSKIP("needs the test cluster");
    QFETCH(int, kind);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(int, year);
    QFETCH(int, solarMonth);
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QTEST(int(db.count(sql::format("select lunarday(%ld,'%s','%s',%ld,%ld)", qint64(kind), month,
                                   day, qint64(year), qint64(solarMonth)))),
          "expected");
}

// mavor-admin tree over the same generated data, once in a file and once
// moved onto a server.
void TestServer::sameTreeOnBothEngines() {
    if (!TestHome::onServer())
        QSKIP("needs the test cluster");
    const QString admin = qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor-admin");
    QVERIFY2(QFile::exists(admin), qPrintable(admin));
    TestHome home;
    const QString file = home.file("team.tdb");
    auto run = [&](const QStringList& args) {
        QProcess process;
        process.start(admin, args);
        process.waitForFinished(120000);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        if (process.exitCode() != 0)
            qWarning("%s: %s", qPrintable(args.join(u' ')),
                     process.readAllStandardError().constData());
        return process.exitCode() == 0 ? out : QString();
    };
    QVERIFY(!run({"initdb", file}).isEmpty());
    QVERIFY(!run({"gen", "--contacts", "400", "--interactions", "1500", "--seed", "18", file})
                 .isEmpty());
    QVERIFY(!run({"migrate", file, home.databasePath(), "--replace"}).isEmpty());
    for (const char* user : {"admin"}) {
        const QStringList args = {"tree", "--user", user, "--today", "2012-05-08"};
        const QString fromFile = run(args + QStringList{file});
        const QString fromServer = run(args + QStringList{home.databasePath()});
        QVERIFY(fromFile.count(u'\n') > 20);
        QCOMPARE(fromServer, fromFile);
    }
}

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
