// SPDX-License-Identifier: GPL-3.0-or-later
// mavor-admin import and export, run as the administrator runs them.
#include "db/Database.h"
#include "exchange/TextEncoding.h"
#include "support/TestHome.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString data(const QString& name) {
    return QStringLiteral(EXCHANGE_DATA "/") + name;
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run admin(const QStringList& arguments) {
    const QString program = qEnvironmentVariable("MAVOR_BIN_DIR") + QStringLiteral("/mavor-admin");
    QProcess process;
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestAdminExchange : public QObject {
    Q_OBJECT

  private slots:
    void import_data();
    void import();
    void exportThenImport();
    void exportRefusals_data();
    void exportRefusals();
    void olderFilesAreLeftToTheProgram();
};

void TestAdminExchange::import_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<qint64>("contacts");
    QTest::addColumn<QString>("said");
    QTest::newRow("vcard") << QStringList{"import", "--user", "admin", data("android-21.vcf"), "DB"}
                           << 0 << qint64(3) << "导入 3, 合并 0, 跳过重复 0, 拒绝 0";
    QTest::newRow("gbk spreadsheet")
        << QStringList{"import", "--user", "admin", data("gbk-headings.csv"), "DB"} << 0
        << qint64(3) << "第 3 行 赵六: 职务“CTO”";
    QTest::newRow("refused lines are listed")
        << QStringList{"import", "--user", "admin", data("uneven.csv"), "DB"} << 0 << qint64(2)
        << "第 3 行 Beta Two: 有 2 列, 而第一行有 3 列";
    QTest::newRow("utf-8 forced on gbk")
        << QStringList{"import", "--user", "admin", "--encoding", "utf8", data("gbk-headings.csv"),
                       "DB"}
        << 1 << qint64(0) << "GB18030";
    QTest::newRow("unknown user") << QStringList{"import", "--user", "nobody",
                                                 data("android-21.vcf"), "DB"}
                                  << 1 << qint64(0) << "nobody";
    QTest::newRow("no user") << QStringList{"import", data("android-21.vcf"), "DB"} << 2
                             << qint64(0) << "用法";
    QTest::newRow("empty file") << QStringList{"import", "--user", "admin", data("empty.vcf"), "DB"}
                                << 1 << qint64(0) << "空";
    QTest::newRow("bad duplicates choice")
        << QStringList{"import", "--user", "admin", "--duplicates", "maybe", data("android-21.vcf"),
                       "DB"}
        << 2 << qint64(0) << "用法";
}

void TestAdminExchange::import() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(qint64, contacts);
    QFETCH(QString, said);
    TestHome home;
    arguments.replaceInStrings(QRegularExpression("^DB$"), home.databasePath());
    const Run run = admin(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? run.out : run.err).contains(said), qPrintable(run.out + run.err));
    Database db;
    QVERIFY(db.open(home.databasePath()));
    QCOMPARE(db.count("select count(*) from base"), contacts);
}

void TestAdminExchange::exportThenImport() {
    TestHome from;
    QCOMPARE(
        admin({"import", "--user", "admin", data("apple-30.vcf"), from.databasePath()}).exitCode,
        0);
    QCOMPARE(
        admin({"import", "--user", "admin", data("rfc6350-40.vcf"), from.databasePath()}).exitCode,
        0);
    const QString vcf = from.file("out.vcf");
    const QString csv = from.file("out.csv");
    Run run = admin({"export", from.databasePath(), vcf});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(QStringLiteral("3 个人脉")));
    run = admin({"export", "--format", "csv", "--encoding", "gb18030", "--user", "admin",
                 from.databasePath(), csv});
    QCOMPARE(run.exitCode, 0);
    QFile sheet(csv);
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    QStringDecoder gb = exchange::decoderFor(exchange::Encoding::Gb18030);
    const QString text = gb(sheet.readAll());
    QVERIFY(!gb.hasError());
    QVERIFY(text.startsWith(QStringLiteral("姓名,性别,出生日期,")));
    QVERIFY(text.contains(QStringLiteral("李四")));
    for (const QString& file : {vcf, csv}) {
        TestHome to;
        run = admin({"import", "--user", "admin", file, to.databasePath()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("导入 3, 合并 0, 跳过重复 0, 拒绝 0")),
                 qPrintable(run.out));
    }
}

void TestAdminExchange::exportRefusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("vcard in gb18030")
        << QStringList{"export", "--encoding", "gb18030", "DB", "OUT"} << 2;
    QTest::newRow("unknown format") << QStringList{"export", "--format", "xls", "DB", "OUT"} << 2;
    QTest::newRow("unknown user") << QStringList{"export", "--user", "nobody", "DB", "OUT"} << 1;
    QTest::newRow("missing database") << QStringList{"export", "MISSING", "OUT"} << 1;
}

void TestAdminExchange::exportRefusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    TestHome home;
    arguments.replaceInStrings(QRegularExpression("^DB$"), home.databasePath());
    arguments.replaceInStrings(QRegularExpression("^MISSING$"), home.file("none.tdb"));
    arguments.replaceInStrings(QRegularExpression("^OUT$"), home.file("out.vcf"));
    const Run run = admin(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(home.file("out.vcf")));
    QVERIFY(!QFile::exists(home.file("none.tdb")));
}

// A first-release file lacks the columns these commands read and write: each
// refuses it with the reason, and the file stays as it was for the program to
// upgrade.
void TestAdminExchange::olderFilesAreLeftToTheProgram() {
    TestHome home;
    const QString old = home.file("old.tdb");
    QVERIFY(QFile::copy(QStringLiteral(MAVOR_FIXTURES "/first-release.tdb"), old));
    QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
    const QList<QStringList> commands = {{"tree", "--user", "admin", "--today", "2026-12-07", old},
                                         {"export", old, home.file("out.vcf")},
                                         {"import", "--user", "admin", data("google.csv"), old}};
    for (const QStringList& arguments : commands) {
        const Run run = admin(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(arguments.first() + ": ") &&
                     run.err.contains(QStringLiteral("第 1 版")) && run.err.count(u'\n') == 1,
                 qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
    QVERIFY(!QFile::exists(home.file("out.vcf")));
    Database db;
    QVERIFY(db.open(old));
    QCOMPARE(db.count("PRAGMA user_version"), 0);
    QCOMPARE(db.count("select count(*) from base"), 40);
}

QTEST_GUILESS_MAIN(TestAdminExchange)
#include "tst_adminexchange.moc"
