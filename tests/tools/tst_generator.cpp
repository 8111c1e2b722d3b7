// SPDX-License-Identifier: GPL-3.0-or-later
// The generated databases the measurements run on: complete contacts, codes
// that resolve, dates the program can read, and the same data for the same seed.
#include "db/Database.h"
#include "db/JetFunctions.h"
#include "support/TestHome.h"
#include "tools/Generator.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QDate kToday(2024, 3, 15);

bool generate(Database& db, qint64 contacts, qint64 interactions, quint64 seed = 1,
              Generator::Report* report = nullptr, qint64 user = 1) {
    Generator generator(db);
    Generator::Options options;
    options.contacts = contacts;
    options.interactions = interactions;
    options.seed = seed;
    options.userCode = user;
    options.today = kToday;
    const bool ok = generator.run(options, report);
    if (!ok)
        qWarning("%s", qPrintable(generator.error()));
    return ok;
}

QStringList column(Database& db, const QString& statement) {
    QStringList values;
    db.query(sql::Statement(statement), [&](const Row& row) {
        values << row.textAt(0);
        return true;
    });
    return values;
}

bool isDayText(const QString& year, const QString& month, const QString& day) {
    static const QRegularExpression twoDigits(QStringLiteral("^\\d\\d$"));
    return twoDigits.match(month).hasMatch() && twoDigits.match(day).hasMatch() &&
           QDate(year.isEmpty() ? 2000 : year.toInt(), month.toInt(), day.toInt()).isValid();
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT

  private slots:
    void everyContactHasItsFourSheets_data();
    void everyContactHasItsFourSheets();
    void referencesResolve_data();
    void referencesResolve();
    void datesAreReadableAndConsistent();
    void plansAndBirthdaysFallOnTheDaysTheRemindersLookAt();
    void contactsBelongToTheChosenUser();
    void sameSeedSameData();
    void refusesWhatItCannotFill_data();
    void refusesWhatItCannotFill();
    void failedWriteKeepsNothing();
    void adminCommand_data();
    void adminCommand();
};

void TestGenerator::everyContactHasItsFourSheets_data() {
    QTest::addColumn<qint64>("contacts");
    QTest::addColumn<qint64>("interactions");
    QTest::newRow("nothing") << qint64(0) << qint64(0);
    QTest::newRow("one contact") << qint64(1) << qint64(0);
    QTest::newRow("one contact, many interactions") << qint64(1) << qint64(40);
    QTest::newRow("hundreds") << qint64(300) << qint64(900);
}

void TestGenerator::everyContactHasItsFourSheets() {
    QFETCH(qint64, contacts);
    QFETCH(qint64, interactions);
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    Generator::Report report;
    QVERIFY(generate(db, contacts, interactions, 1, &report));
    QCOMPARE(report.contacts, contacts);
    QCOMPARE(report.interactions, interactions);

    QCOMPARE(db.count("select count(*) from base"), contacts);
    for (const char* sheet : {"home", "society", "extend"}) {
        const QString table = QString::fromLatin1(sheet);
        QCOMPARE(db.count(sql::Statement(QStringLiteral("select count(*) from %1").arg(table))),
                 contacts);
        QCOMPARE(
            db.count(sql::Statement(QStringLiteral("select count(*) from base b inner join %1 s on "
                                                   "s.%1_base_code=b.base_code")
                                        .arg(table))),
            contacts);
    }
    QCOMPARE(db.count("select count(*) from comm"), interactions);
    QCOMPARE(db.count("select count(*) from comm where comm_base_code not in "
                      "(select base_code from base)"),
             0);
    QCOMPARE(db.count("select count(*) from doc"), report.documents);
    QCOMPARE(db.count("select count(*) from doc where doc_base_code not in "
                      "(select base_code from base)"),
             0);
    QCOMPARE(db.count("select count(*) from base where base_invalid_flag=0"), report.trashed);
    QCOMPARE(db.count("select count(*) from base where base_invalid_flag not in (0,1)"), 0);
}

void TestGenerator::referencesResolve_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("reference");
    // Rows pointing to the empty-name row: 1 some, 0 none, -1 either.
    QTest::addColumn<int>("unsetRows");
    QTest::newRow("level") << "base.base_sort_code"
                           << "sort"
                           << "sort" << 1;
    QTest::newRow("relation") << "base.base_type_code"
                              << "relationsort"
                              << "relationsort" << 1;
    QTest::newRow("province") << "base.base_province_code"
                              << "province"
                              << "province" << 1;
    QTest::newRow("unit province") << "base.work_province_code"
                                   << "province"
                                   << "province" << 0;
    QTest::newRow("region") << "base.work_region_code"
                            << "region"
                            << "region" << 1;
    QTest::newRow("industry") << "base.work_industry_code"
                              << "industry"
                              << "industry" << 1;
    QTest::newRow("post") << "base.work_duty_code"
                          << "duty"
                          << "duty" << 1;
    QTest::newRow("leader post") << "base.work_leader_duty_code"
                                 << "duty"
                                 << "duty" << 1;
    QTest::newRow("superior post") << "base.work_superior_duty_code"
                                   << "duty"
                                   << "duty" << 1;
    QTest::newRow("spouse post") << "home.home_duty_code"
                                 << "duty"
                                 << "duty" << 1;
    QTest::newRow("family province") << "home.home_province_code"
                                     << "province"
                                     << "province" << 1;
    QTest::newRow("degree") << "extend.extend_degree_code"
                            << "degree"
                            << "degree" << 1;
    QTest::newRow("type") << "comm.comm_business_code"
                          << "business"
                          << "business" << 0;
    QTest::newRow("next type") << "comm.comm_next_business_code"
                               << "business"
                               << "business" << 1;
    QTest::newRow("document category") << "doc.doc_docsort_code"
                                       << "docsort"
                                       << "docsort" << -1;
    QTest::newRow("owner") << "base.base_user_code"
                           << "userlogin"
                           << "user" << 0;
    QTest::newRow("department") << "base.base_user_dep_code"
                                << "dep"
                                << "dep" << 0;
}

void TestGenerator::referencesResolve() {
    QFETCH(QString, column);
    QFETCH(QString, table);
    QFETCH(QString, reference);
    QFETCH(int, unsetRows);
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(generate(db, 400, 1200));
    const QString owner = column.section(u'.', 0, 0);
    const QString field = column.section(u'.', 1);
    const QString key = reference + QStringLiteral("_code");
    QCOMPARE(db.count(sql::Statement(
                 QStringLiteral("select count(*) from %1 where %2 is null or %2 not in "
                                "(select %3 from %4)")
                     .arg(owner, field, key, table))),
             0);
    const QString nameColumn =
        reference == u"user" ? QStringLiteral("user_name") : reference + QStringLiteral("_name");
    const qint64 unset =
        db.count(sql::Statement(QStringLiteral("select count(*) from %1 x inner join %2 r on "
                                               "x.%3=r.%4 where r.%5=''")
                                    .arg(owner, table, field, key, nameColumn)));
    const qint64 named =
        db.count(sql::Statement(QStringLiteral("select count(*) from %1 x inner join %2 r on "
                                               "x.%3=r.%4 where r.%5<>''")
                                    .arg(owner, table, field, key, nameColumn)));
    QVERIFY(named > 0);
    if (unsetRows > 0)
        QVERIFY2(unset > 0, "no row points to the empty-name row");
    else if (unsetRows == 0)
        QCOMPARE(unset, 0);
}

void TestGenerator::datesAreReadableAndConsistent() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(generate(db, 300, 1500));

    int rows = 0;
    QVERIFY(db.query("select comm_year,comm_month,comm_day,comm_date,comm_next_year,"
                     "comm_next_month,comm_next_day,comm_spent,comm_cost,comm_tran from comm",
                     [&](const Row& r) {
                         ++rows;
                         const QString year = r.textAt(0), month = r.textAt(1), day = r.textAt(2);
                         const QString date = r.textAt(3);
                         [&] {
                             QVERIFY2(isDayText(year, month, day), qPrintable(date));
                             QCOMPARE(date, jet::isoDate(year + u'/' + month + u'/' + day));
                             QVERIFY(QDate::fromString(date, Qt::ISODate) <= kToday);
                             QVERIFY(QDate::fromString(date, Qt::ISODate) >= kToday.addYears(-3));
                             const QString ny = r.textAt(4), nm = r.textAt(5), nd = r.textAt(6);
                             if (ny.isEmpty() && nm.isEmpty() && nd.isEmpty())
                                 return;
                             QVERIFY2(ny.size() == 4 && isDayText(ny, nm, nd),
                                      qPrintable(ny + nm + nd));
                             for (int i = 7; i <= 9; ++i) {
                                 for (QChar c : r.textAt(i))
                                     QVERIFY(c.isDigit() || c == u'.');
                             }
                         }();
                         return !QTest::currentTestFailed();
                     }));
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(rows, 1500);

    // A contact was created before it was last changed, and an interaction
    // stamps its date on the contact.
    QCOMPARE(db.count("select count(*) from base where base_create_date is null or "
                      "base_lastmodi_date < base_create_date or base_lastmodi_date > '2024-03-15'"),
             0);
    QCOMPARE(db.count("select count(*) from base b where b.base_lastmodi_date < "
                      "(select max(c.comm_date) from comm c where c.comm_base_code=b.base_code)"),
             0);
    for (const QString& created : column(db, "select base_create_date from base"))
        QVERIFY2(QDate::fromString(created, QStringLiteral("yyyy-MM-dd")).isValid(),
                 qPrintable(created));

    // Birth dates are either empty or real days; the lists never hold NULL.
    QVERIFY(db.query("select base_year,base_month,base_day from base", [&](const Row& r) {
        if (!r.textAt(1).isEmpty())
            [&] { QVERIFY(isDayText(r.textAt(0), r.textAt(1), r.textAt(2))); }();
        else
            [&] { QVERIFY(r.textAt(0).isEmpty() && r.textAt(2).isEmpty()); }();
        return !QTest::currentTestFailed();
    }));
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(db.count("select count(*) from base where base_year is null or base_name is null or "
                      "work_name is null"),
             0);
    QCOMPARE(db.count("select count(*) from home where home_month is null or home_child_month "
                      "is null"),
             0);
    QCOMPARE(db.count("select count(*) from comm where comm_next_year is null"), 0);
}

void TestGenerator::plansAndBirthdaysFallOnTheDaysTheRemindersLookAt() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    Generator::Report report;
    QVERIFY(generate(db, 300, 1500, 1, &report));

    const qint64 today = db.count("select count(*) from comm where comm_next_year='2024' and "
                                  "comm_next_month='03' and comm_next_day='15'");
    QVERIFY(today > 0);
    QCOMPARE(today, report.plannedToday);
    const qint64 planned = db.count("select count(*) from comm where comm_next_year<>''");
    QCOMPARE(planned, report.planned);
    QVERIFY(planned > 1500 / 20 && planned < 1500 / 5); // about one in ten
    const qint64 past =
        db.count("select count(*) from comm where comm_next_year<>'' and "
                 "comm_next_year||'-'||comm_next_month||'-'||comm_next_day < '2024-03-15'");
    QVERIFY(past > 0);
    QCOMPARE(past, report.plannedPast);

    QVERIFY(db.count("select count(*) from base where base_month='03'") > 0);
    QVERIFY(db.count("select count(*) from home where home_month='03'") > 0);
    QVERIFY(db.count("select count(*) from home where home_child_month='03'") > 0);
    QVERIFY(db.count("select count(*) from base where base_code not in "
                     "(select comm_base_code from comm)") > 0);
}

void TestGenerator::contactsBelongToTheChosenUser() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute("insert into userlogin(user_name,user_pwd,user_dep_code,user_dep_mng) "
                       "values('销售员','',3,'0')"));
    const qint64 user = db.count("select user_code from userlogin where user_name='销售员'");
    Generator::Report report;
    QVERIFY(generate(db, 200, 0, 1, &report, user));
    QCOMPARE(db.count(sql::Statement(
                 QStringLiteral("select count(*) from base where base_user_code=%1 and "
                                "base_user_dep_code=3")
                     .arg(user))),
             200);
    // Mostly live, a few in the trash.
    QVERIFY(report.trashed > 0);
    QVERIFY(report.trashed < 200 / 10);
}

void TestGenerator::sameSeedSameData() {
    auto names = [](quint64 seed) {
        TestHome home;
        Database db;
        if (!db.open(home.databasePath()) || !generate(db, 120, 300, seed))
            return QStringList();
        return column(db, "select base_name||work_name from base order by base_code") +
               column(db, "select comm_base_code||comm_date||comm_content from comm "
                          "order by comm_code");
    };
    const QStringList first = names(7);
    QCOMPARE(first.size(), 420);
    QCOMPARE(names(7), first);
    const QStringList other = names(8);
    QCOMPARE(other.size(), 420);
    QVERIFY(other != first);
    QVERIFY(other.mid(0, 120) != first.mid(0, 120));
}

void TestGenerator::refusesWhatItCannotFill_data() {
    QTest::addColumn<qint64>("user");
    QTest::addColumn<qint64>("contacts");
    QTest::addColumn<qint64>("interactions");
    QTest::newRow("unknown user") << qint64(99) << qint64(10) << qint64(10);
    QTest::newRow("interactions without contacts") << qint64(1) << qint64(0) << qint64(10);
    QTest::newRow("negative count") << qint64(1) << qint64(-1) << qint64(0);
}

void TestGenerator::refusesWhatItCannotFill() {
    QFETCH(qint64, user);
    QFETCH(qint64, contacts);
    QFETCH(qint64, interactions);
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    Generator generator(db);
    Generator::Options options;
    options.userCode = user;
    options.contacts = contacts;
    options.interactions = interactions;
    QVERIFY(!generator.run(options, nullptr));
    QVERIFY(!generator.error().isEmpty());
    QCOMPARE(db.count("select count(*) from base"), 0);
    QCOMPARE(db.count("select count(*) from comm"), 0);
}

void TestGenerator::failedWriteKeepsNothing() {
    TestHome home;
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QVERIFY(db.execute("drop table comm"));
    Generator generator(db);
    Generator::Options options;
    options.contacts = 50;
    options.interactions = 50;
    Generator::Report report;
    QVERIFY(!generator.run(options, &report));
    QVERIFY(generator.error().contains("comm"));
    QCOMPARE(report.contacts, 0);
    QCOMPARE(db.count("select count(*) from base"), 0);
    QCOMPARE(db.count("select count(*) from home"), 0);
    QVERIFY(!db.inTransaction());
}

void TestGenerator::adminCommand_data() {
    QTest::addColumn<QStringList>("arguments"); // "DB" stands for the home's database
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<qint64>("contacts");
    QTest::newRow("fills") << QStringList{"gen", "--contacts", "30", "--interactions",
                                          "60",  "--seed",     "3",  "DB"}
                           << 0 << qint64(30);
    QTest::newRow("missing file") << QStringList{"gen", "--contacts", "30", "--interactions",
                                                 "0",   "MISSING"}
                                  << 1 << qint64(0);
    QTest::newRow("unknown user") << QStringList{"gen", "--contacts", "5",  "--interactions",
                                                 "0",   "--user",     "42", "DB"}
                                  << 1 << qint64(0);
    QTest::newRow("no counts") << QStringList{"gen", "DB"} << 2 << qint64(0);
    QTest::newRow("count not a number")
        << QStringList{"gen", "--contacts", "many", "--interactions", "1", "DB"} << 2 << qint64(0);
    QTest::newRow("unknown option")
        << QStringList{"gen", "--contacts", "1", "--interactions", "1", "--fast", "1", "DB"} << 2
        << qint64(0);
}

void TestGenerator::adminCommand() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(qint64, contacts);
    const QString admin = qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor-admin");
    QVERIFY2(QFile::exists(admin), qPrintable(admin));
    TestHome home;
    const QString missing = home.file("none.tdb");
    arguments.replaceInStrings(QRegularExpression("^DB$"), home.databasePath());
    arguments.replaceInStrings(QRegularExpression("^MISSING$"), missing);

    QProcess process;
    process.start(admin, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY(!QFile::exists(missing)); // never creates a database
    if (exitCode == 0)
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(u"ms"));
    else
        QVERIFY(!process.readAllStandardError().isEmpty());

    Database db;
    QVERIFY(db.open(home.databasePath()));
    QCOMPARE(db.count("select count(*) from base"), contacts);
}

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
