// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/BackupCommands.h"
#include "backup/DatabaseCheck.h"
#include "backup/DatabaseRestore.h"
#include "backup/ProgramDatabase.h"
#include "db/Database.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <sys/stat.h>

// Backup and restore of the database file: the online copy, the checks a
// backup passes before anything is touched, the replacement, the command line.
class TestBackup : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void defaultName_data();
    void defaultName();
    void backupAddRestoreGivesTheBackup();
    void restoreRefusesWithoutTouching_data();
    void restoreRefusesWithoutTouching();
    void restoreRefusedWhileAnotherProgramHoldsTheFile();
    void backupRefusesTheDatabaseItself();
    void failedBackupSaysSoAndLeavesNothing();
    void backupWhileAnotherProcessWrites();
    void restoreOverACrashedWritersLog();
    void restoreReplacesAFileThatIsNoDatabase();
    void expectedColumnsComeFromTheSchema();
    void check_data();
    void check();
    void checkFindsDamage();
    void adminCommands();
    void backupWithForeignObjectsIsRefusedAndFlagged();
    void firstReleaseBackupStillRestores();
    void filesAreTheOwnersAloneWhateverTheUmask();

  private:
    qint64 addContact(Database& db, const QString& name);
    qint64 contacts(const QString& path);
    QString helper() const;
    QString admin() const;
    QString writeFile(const QString& name, const QByteArray& content);
    QString backupOf(const QString& name);

    std::unique_ptr<TestHome> home_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Database> db_;
};

void TestBackup::init() {
    home_ = std::make_unique<TestHome>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    db_ = std::make_unique<Database>(prompter_.get());
    QVERIFY(db_->open(home_->databasePath()));
}

void TestBackup::cleanup() {
    db_.reset();
    home_.reset();
}

qint64 TestBackup::addContact(Database& db, const QString& name) {
    if (!db.execute(
            sql::format("insert into base(base_name,base_invalid_flag) values('%s',1)", name)))
        return -1;
    return db.count("select max(base_code) from base");
}

// Contacts in a file, read on a connection of its own.
qint64 TestBackup::contacts(const QString& path) {
    Database other;
    if (!other.open(path))
        return -1;
    return other.count("select count(*) from base");
}

QString TestBackup::helper() const {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/db_helper");
}

QString TestBackup::admin() const {
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("MAVOR_BIN_DIR"),
                                                          QCoreApplication::applicationDirPath() +
                                                              QStringLiteral("/../../bin")) +
           QStringLiteral("/mavor-admin");
}

QString TestBackup::writeFile(const QString& name, const QByteArray& content) {
    const QString path = home_->file(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    return path;
}

QString TestBackup::backupOf(const QString& name) {
    const QString path = home_->file(name);
    BackupCommands(*db_, *prompter_).backup(path);
    prompter_->clear();
    return path;
}

void TestBackup::defaultName_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("name");
    QTest::newRow("9 May 2012") << QDate(2012, 5, 9) << "mavor2012-05-09";
    QTest::newRow("new year's eve") << QDate(2025, 12, 31) << "mavor2025-12-31";
}

void TestBackup::defaultName() {
    QFETCH(QDate, day);
    QFETCH(QString, name);
    FixedClock clock(QDateTime(day, QTime(23, 59)));
    QCOMPARE(BackupCommands::defaultBackupName(clock), name);
}

void TestBackup::backupAddRestoreGivesTheBackup() {
    addContact(*db_, QStringLiteral("备份前"));
    const qint64 before = db_->count("select count(*) from base");
    const QString backup = home_->file(QStringLiteral("mavor2012-05-09.mdb"));
    QVERIFY(BackupCommands(*db_, *prompter_).backup(backup));
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(prompter_->messages[0].text, QStringLiteral("数据备份成功!"));
    // The copy stands alone: nothing of it lies beside it.
    QVERIFY(!QFile::exists(backup + QStringLiteral("-wal")));
    QVERIFY(!QFile::exists(backup + QStringLiteral(".partial")));

    addContact(*db_, QStringLiteral("备份后"));
    QCOMPARE(db_->count("select count(*) from base"), before + 1);
    prompter_->clear();
    int released = 0;
    const auto result = BackupCommands(*db_, *prompter_).restore(backup, [&] { ++released; });
    QCOMPARE(result, BackupCommands::RestoreResult::Restored);
    QCOMPARE(released, 1);
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示"));
    QVERIFY(prompter_->messages[0].text.startsWith(QStringLiteral("数据恢复成功!")));

    // The program's connection is open again, on the restored data; so is the next start's.
    QVERIFY(db_->isOpen());
    QCOMPARE(db_->count("select count(*) from base"), before);
    QCOMPARE(db_->count("select count(*) from base where base_name='备份后'"), 0);
    db_->close();
    QCOMPARE(contacts(home_->databasePath()), before);
    QVERIFY(DatabaseCheck::run(home_->databasePath()).allWell());
}

void TestBackup::restoreRefusesWithoutTouching_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing"
                             << "数据文件不存在!请检查.";
    QTest::newRow("text file") << "text"
                               << "所选文件不是数据库文件!数据没有恢复.";
    QTest::newRow("empty file") << "empty"
                                << "所选文件不是数据库文件!数据没有恢复.";
    QTest::newRow("another program's database") << "foreign"
                                                << "所选文件不是本程序的数据库!数据没有恢复.";
    QTest::newRow("damaged backup") << "damaged"
                                    << "所选数据文件已损坏!数据没有恢复.";
    QTest::newRow("the database itself") << "itself"
                                         << "所选文件就是正在使用的数据库文件!数据没有改变.";
}

void TestBackup::restoreRefusesWithoutTouching() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QString chosen;
    if (kind == u"missing") {
        chosen = home_->file(QStringLiteral("nowhere.mdb"));
    } else if (kind == u"text") {
        chosen = writeFile(QStringLiteral("notes.mdb"), "张三 13800138000\n这不是数据库\n");
    } else if (kind == u"empty") {
        chosen = writeFile(QStringLiteral("empty.mdb"), QByteArray());
    } else if (kind == u"foreign") {
        chosen = home_->file(QStringLiteral("other.mdb"));
        QFile::copy(home_->databasePath(), chosen);
        Database other;
        QVERIFY(other.open(chosen));
        QVERIFY(other.execute("drop table societysite"));
    } else if (kind == u"damaged") {
        chosen = backupOf(QStringLiteral("damaged.mdb"));
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(4096 * 3));
        file.write(QByteArray(4096 * 20, '\xff'));
    } else {
        chosen = home_->databasePath();
    }
    const qint64 marker = addContact(*db_, QStringLiteral("恢复前的联系人"));
    const qint64 before = db_->count("select count(*) from base");
    prompter_->clear();
    bool released = false;
    const auto result = BackupCommands(*db_, *prompter_).restore(chosen, [&] { released = true; });
    QCOMPARE(result, BackupCommands::RestoreResult::Refused);
    QVERIFY(!released);
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(prompter_->messages[0].icon, PromptIcon::Information);
    QCOMPARE(prompter_->messages[0].text, message);
    QVERIFY(db_->isOpen());
    QCOMPARE(db_->count("select count(*) from base"), before);
    QCOMPARE(db_->count(sql::format("select count(*) from base where base_code=%ld", marker)), 1);
}

void TestBackup::restoreRefusedWhileAnotherProgramHoldsTheFile() {
    const QString backup = backupOf(QStringLiteral("b.mdb"));
    addContact(*db_, QStringLiteral("备份后"));
    const qint64 before = db_->count("select count(*) from base");
    QProcess holder;
    holder.start(helper(), {QStringLiteral("hold"), home_->databasePath()});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("ready"));

    const auto result = BackupCommands(*db_, *prompter_).restore(backup, {});
    QCOMPARE(result, BackupCommands::RestoreResult::Refused);
    QCOMPARE(prompter_->messages.size(), 1);
    QVERIFY(prompter_->messages[0].text.startsWith(
        QStringLiteral("数据库正被其他程序使用!数据没有恢复.")));
    QVERIFY(db_->isOpen());
    QCOMPARE(db_->count("select count(*) from base"), before);

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));
    // Once it has let go, the same restore goes through.
    prompter_->clear();
    QCOMPARE(BackupCommands(*db_, *prompter_).restore(backup, {}),
             BackupCommands::RestoreResult::Restored);
    QCOMPARE(db_->count("select count(*) from base"), before - 1);
}

void TestBackup::backupRefusesTheDatabaseItself() {
    const QByteArray before = [&] {
        QFile file(home_->databasePath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    QVERIFY(!BackupCommands(*db_, *prompter_).backup(home_->databasePath()));
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QFile file(home_->databasePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QVERIFY(db_->isOpen());
}

void TestBackup::failedBackupSaysSoAndLeavesNothing() {
    // A directory in the way of the new name: the copy cannot be put there.
    const QString blocked = home_->file(QStringLiteral("folder.mdb"));
    QVERIFY(QDir().mkpath(blocked));
    QVERIFY(!BackupCommands(*db_, *prompter_).backup(blocked));
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(prompter_->messages[0].icon, PromptIcon::Information);
    QCOMPARE(prompter_->messages[0].text, QStringLiteral("数据备份失败!请检查系统配置!"));
    QVERIFY(!QFile::exists(blocked + QStringLiteral(".partial")));

    // An earlier backup of the same name outlives a copy that fails.
    const QString earlier = writeFile(QStringLiteral("earlier.mdb"), "an earlier backup");
    db_->close();
    prompter_->clear();
    QVERIFY(!BackupCommands(*db_, *prompter_).backup(earlier));
    QCOMPARE(prompter_->texts(), QStringList{"数据备份失败!请检查系统配置!"});
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier backup"));
}

void TestBackup::backupWhileAnotherProcessWrites() {
    // The writer keeps its committed rows in the write-ahead log, where a copy
    // of the file alone would not find them.
    QProcess writer;
    writer.start(helper(),
                 {QStringLiteral("write"), home_->databasePath(), QStringLiteral("4000")});
    QVERIFY(writer.waitForStarted());
    qint64 committed = 0;
    auto readCommitted = [&] {
        while (writer.canReadLine()) {
            const QByteArray line = writer.readLine().trimmed();
            if (line != "done")
                committed = line.toLongLong();
        }
    };
    QVERIFY(QTest::qWaitFor(
        [&] {
            writer.waitForReadyRead(50);
            readCommitted();
            return committed >= 300;
        },
        20000));
    const qint64 committedBefore = committed;
    const QString backup = home_->file(QStringLiteral("busy.mdb"));
    QVERIFY(BackupCommands(*db_, *prompter_).backup(backup));
    readCommitted();
    writer.closeWriteChannel();
    QVERIFY(writer.waitForFinished(30000));
    QCOMPARE(writer.exitCode(), 0);

    // Whole and consistent: every row committed before it began, without gaps.
    const DatabaseCheck::Result check = DatabaseCheck::run(backup);
    QCOMPARE(check.integrity, QStringList{"ok"});
    Database copy;
    QVERIFY(copy.open(backup));
    const qint64 rows = copy.count("select count(*) from burst");
    QVERIFY2(rows >= committedBefore,
             qPrintable(QStringLiteral("%1 rows in the backup, %2 committed before")
                            .arg(rows)
                            .arg(committedBefore)));
    QCOMPARE(copy.count("select max(n) from burst"), rows);
    copy.close();

    // The writer's table is none of the program's: restore names it and refuses.
    TestHome other;
    QString detail;
    QCOMPARE(DatabaseRestore::restore(backup, other.databasePath(), DatabaseRestore::kDefaultWaitMs,
                                      &detail),
             DatabaseRestore::Outcome::Unexpected);
    QCOMPARE(detail, QStringLiteral("表 burst"));
    // Without it, the copy restores into a database that checks out.
    QVERIFY(copy.open(backup));
    const qint64 contactsInCopy = copy.count("select count(*) from base");
    QVERIFY(copy.execute("drop table burst"));
    copy.close();
    QCOMPARE(DatabaseRestore::restore(backup, other.databasePath()),
             DatabaseRestore::Outcome::Restored);
    QCOMPARE(DatabaseCheck::run(other.databasePath()).integrity, QStringList{"ok"});
    Database restored;
    QVERIFY(restored.open(other.databasePath()));
    QCOMPARE(restored.count("select count(*) from base"), contactsInCopy);
}

void TestBackup::restoreOverACrashedWritersLog() {
    const QString backup = backupOf(QStringLiteral("before-crash.mdb"));
    const qint64 before = db_->count("select count(*) from base");
    db_->close();
    QProcess crash;
    crash.start(helper(), {QStringLiteral("crash"), home_->databasePath(), QStringLiteral("200")});
    QVERIFY(crash.waitForFinished(20000));
    QVERIFY(QFile::exists(home_->databasePath() + QStringLiteral("-wal")));

    QCOMPARE(DatabaseRestore::restore(backup, home_->databasePath()),
             DatabaseRestore::Outcome::Restored);
    // The old log was folded into the old data before it was replaced: none of it comes back.
    QVERIFY(!QFile::exists(home_->databasePath() + QStringLiteral("-wal")));
    QVERIFY(DatabaseCheck::run(home_->databasePath()).allWell());
    QVERIFY(db_->open(home_->databasePath()));
    QCOMPARE(db_->count("select count(*) from base"), before);
    QCOMPARE(db_->count("select count(*) from sqlite_master where name='burst'"), 0);
}

void TestBackup::restoreReplacesAFileThatIsNoDatabase() {
    const QString backup = backupOf(QStringLiteral("good.mdb"));
    const qint64 before = db_->count("select count(*) from base");
    const QString broken = writeFile(QStringLiteral("broken.tdb"), "not a database any more");
    QCOMPARE(DatabaseRestore::restore(backup, broken), DatabaseRestore::Outcome::Restored);
    QCOMPARE(contacts(broken), before);
    const QString fresh = home_->file(QStringLiteral("fresh.tdb"));
    QCOMPARE(DatabaseRestore::restore(backup, fresh), DatabaseRestore::Outcome::Restored);
    QCOMPARE(contacts(fresh), before);
}

void TestBackup::expectedColumnsComeFromTheSchema() {
    const QStringList columns = ProgramDatabase::expectedColumns();
    // A few columns the program's tables are known to have.
    for (const char* column :
         {"base.base_name", "societysite.societysite_title", "smssend.smssend_status",
          "smsrecv.smsrecv_content", "userlogin.user_pwd", "comm.comm_next_content"})
        QVERIFY2(columns.contains(QString::fromLatin1(column)), column);
}

void TestBackup::check_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("allWell");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("delivered") << "" << true << "正常: 数据库完好, 所有记录的联系人都在";
    QTest::newRow("interaction and document of a gone contact")
        << "insert into comm(comm_base_code) values(99999);"
           "insert into doc(doc_base_code) values(99998)"
        << false << "有问题: 2 行记录的联系人已不存在";
    QTest::newRow("family sheet of a gone contact") << "insert into home(home_base_code) values(77)"
                                                    << false << "有问题: 1 行记录的联系人已不存在";
}

void TestBackup::check() {
    QFETCH(QString, damage);
    QFETCH(bool, allWell);
    QFETCH(QString, verdict);
    for (const QString& statement : damage.split(u';', Qt::SkipEmptyParts))
        QVERIFY(db_->execute(sql::Statement(statement)));
    const DatabaseCheck::Result result = DatabaseCheck::run(home_->databasePath());
    QVERIFY(result.readable);
    QCOMPARE(result.allWell(), allWell);
    QCOMPARE(result.verdict(), verdict);
}

void TestBackup::checkFindsDamage() {
    const QString copy = backupOf(QStringLiteral("damaged.mdb"));
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(4096 * 3));
    file.write(QByteArray(4096 * 20, '\xff'));
    file.close();
    const DatabaseCheck::Result result = DatabaseCheck::run(copy);
    QVERIFY(!result.allWell());
    QVERIFY2(result.verdict().startsWith(QStringLiteral("有问题: 数据库文件已损坏")) ||
                 result.verdict().startsWith(QStringLiteral("无法检查")),
             qPrintable(result.verdict()));
}

void TestBackup::adminCommands() {
    auto run = [this](const QStringList& args, QString* output = nullptr) {
        QProcess process;
        process.start(admin(), args);
        process.waitForFinished(60000);
        if (output)
            *output =
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitCode();
    };
    const qint64 before = db_->count("select count(*) from base");
    const QString backup = home_->file(QStringLiteral("cron.mdb"));
    QCOMPARE(run({"backup", home_->databasePath(), backup}), 0);
    addContact(*db_, QStringLiteral("备份后"));

    QString output;
    const QString text = writeFile(QStringLiteral("text.mdb"), "hello");
    QCOMPARE(run({"restore", text, home_->databasePath()}, &output), 1);
    QVERIFY(output.contains(QStringLiteral("不是数据库")));
    // The program still holds the file: refused.
    QCOMPARE(run({"restore", backup, home_->databasePath()}, &output), 1);
    QVERIFY(output.contains(QStringLiteral("正被其他程序使用")));
    QCOMPARE(db_->count("select count(*) from base"), before + 1);
    db_->close();
    QCOMPARE(run({"restore", backup, home_->databasePath()}), 0);
    QCOMPARE(contacts(home_->databasePath()), before);

    QCOMPARE(run({"check", home_->databasePath()}, &output), 0);
    QVERIFY(output.trimmed().endsWith(QStringLiteral("正常: 数据库完好, 所有记录的联系人都在")));
    // A command leaves nothing of its connections beside the file.
    QVERIFY(!QFile::exists(home_->databasePath() + "-wal"));
    QVERIFY(!QFile::exists(home_->databasePath() + "-shm"));
    QVERIFY(db_->open(home_->databasePath()));
    QVERIFY(db_->execute("insert into asso(asso_base_code) values(4242)"));
    QCOMPARE(run({"check", home_->databasePath()}, &output), 1);
    QVERIFY(output.trimmed().endsWith(QStringLiteral("有问题: 1 行记录的联系人已不存在")));
    // A kept newest interaction written behind the triggers' back is found and mended.
    QVERIFY(db_->execute("delete from asso where asso_base_code=4242"));
    QVERIFY(db_->execute("insert into commlast(commlast_base_code,commlast_comm_code) "
                         "values(4242,1)"));
    // So is a kept count of contacts.
    QVERIFY(db_->execute("insert into basecount values('base_type_code',4242,1,1)"));
    QCOMPARE(run({"check", home_->databasePath()}, &output), 1);
    QVERIFY2(output.contains(QStringLiteral("1 个联系人的最近往来记录与往来记录不符")),
             qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("导航树记着的人数有 1 项与联系人不符")),
             qPrintable(output));
    QCOMPARE(run({"check", "--repair", home_->databasePath()}, &output), 0);
    QVERIFY2(output.contains(QStringLiteral("此前不符: 1 个")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("已重建导航树的人数 (此前不符: 1 项)")),
             qPrintable(output));
    // A reminder row kept for a user that its rebuild would not make: found,
    // and forgotten by the repair, so that the next rebuild starts anew.
    QVERIFY(db_->execute("insert into base(base_name,base_invalid_flag) values('丁',1)"));
    db_->close();
    QCOMPARE(run({"tree", "--user", "admin", home_->databasePath()}), 0);
    QCOMPARE(run({"check", home_->databasePath()}, &output), 0);
    QVERIFY(db_->open(home_->databasePath()));
    QVERIFY(db_->execute("insert into tmptrans select max(base_code),'1',1 from base"));
    QCOMPARE(run({"check", home_->databasePath()}, &output), 1);
    QVERIFY2(output.contains(QStringLiteral("事务提醒记着的结果有 1 位用户与往来记录不符")),
             qPrintable(output));
    QVERIFY2(run({"check", "--repair", home_->databasePath()}, &output) == 0, qPrintable(output));
    QCOMPARE(db_->count("select count(*) from remindstate"), 0);
    QCOMPARE(run({"check", text}), 1);
    QCOMPARE(run({"backup", home_->databasePath()}), 2);
    // Asked-for help and the version: on standard output, exit 0.
    for (const QString& asked : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess process;
        process.start(admin(), {asked});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QString said = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY(said.contains(asked == u"--help" ? QStringLiteral("--duplicates skip|merge|add")
                                                 : QStringLiteral("mavor-admin 3.")));
    }
}

// A backup that carries its own objects: one trigger copies every new
// contact into a table of its own, another sets admin's password back
// whenever it is changed. Restore refuses it, naming them, check flags it,
// and the live data keeps neither.
void TestBackup::backupWithForeignObjectsIsRefusedAndFlagged() {
    const QString crafted = backupOf(QStringLiteral("crafted.mdb"));
    {
        Database file;
        QVERIFY(file.open(crafted));
        for (const char* statement :
             {"create table harvest(name text, phone text)",
              "create trigger copy_contact after insert on base begin "
              "insert into harvest values(new.base_name, new.base_phone); end",
              "create trigger keep_admin after update on userlogin begin update userlogin set "
              "user_pwd='d5257d73bd30dd12ae2cce4d02bfb8ca' where user_name='admin'; end",
              "create view everyone as select base_name from base"})
            QVERIFY2(file.execute(sql::Statement(QString::fromLatin1(statement))), statement);
    }
    const qint64 marker = addContact(*db_, QStringLiteral("恢复前的联系人"));
    prompter_->clear();
    QCOMPARE(BackupCommands(*db_, *prompter_).restore(crafted, [] {}),
             BackupCommands::RestoreResult::Refused);
    QCOMPARE(prompter_->messages.size(), 1);
    const QString told = prompter_->messages[0].text;
    QVERIFY2(told.startsWith(QStringLiteral("所选文件含有本程序之外的数据库对象!数据没有恢复.")),
             qPrintable(told));
    for (const char* name : {"触发器 copy_contact (表 base)", "触发器 keep_admin (表 userlogin)",
                             "表 harvest", "视图 everyone"})
        QVERIFY2(told.contains(QString::fromUtf8(name)), name);
    QCOMPARE(db_->count(sql::format("select count(*) from base where base_code=%ld", marker)), 1);
    QCOMPARE(db_->count("select count(*) from sqlite_master where name in "
                        "('copy_contact','keep_admin','everyone','harvest')"),
             0);

    const DatabaseCheck::Result checked = DatabaseCheck::run(crafted);
    QVERIFY(checked.readable);
    QVERIFY(!checked.allWell());
    QVERIFY2(checked.verdict().contains(QStringLiteral("触发器 keep_admin")),
             qPrintable(checked.verdict()));

    // The same from the command line, with the program's file let go.
    db_->close();
    QProcess admin;
    admin.start(this->admin(), {"check", crafted});
    QVERIFY(admin.waitForFinished(60000));
    QCOMPARE(admin.exitCode(), 1);
    QVERIFY(QString::fromUtf8(admin.readAllStandardOutput()).contains("触发器 copy_contact"));
    admin.start(this->admin(), {"restore", crafted, home_->databasePath()});
    QVERIFY(admin.waitForFinished(60000));
    QCOMPARE(admin.exitCode(), 1);
    QVERIFY(QString::fromUtf8(admin.readAllStandardError()).contains("本程序之外的数据库对象"));
    QVERIFY(db_->open(home_->databasePath()));
    QCOMPARE(db_->count(sql::format("select count(*) from base where base_code=%ld", marker)), 1);
}

// A file of the first release is compared with a new file of its own version:
// the indexes later versions dropped are the program's too.
void TestBackup::firstReleaseBackupStillRestores() {
    const QString old = home_->file(QStringLiteral("first.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(MAVOR_FIXTURES "/first-release.tdb"), old));
    QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
    const qint64 rows = contacts(old);
    QVERIFY(rows > 0);
    prompter_->clear();
    QCOMPARE(BackupCommands(*db_, *prompter_).restore(old, [] {}),
             BackupCommands::RestoreResult::Restored);
    QCOMPARE(db_->count("select count(*) from base"), rows);
}

// With the usual umask 022, what the command line and the backup create holds
// every contact and is its owner's alone, the engine's -wal and -shm included.
void TestBackup::filesAreTheOwnersAloneWhateverTheUmask() {
    const mode_t previous = ::umask(022);
    const QString dir = home_->file(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(dir));
    const QString database = dir + QStringLiteral("/new.tdb");
    auto run = [this](const QStringList& args) {
        QProcess process;
        process.start(admin(), args);
        process.waitForFinished(60000);
        return process.exitCode();
    };
    // An export over an earlier file that anyone could read.
    QFile earlier(dir + QStringLiteral("/earlier.csv"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.close();
    QVERIFY(QFile::setPermissions(earlier.fileName(), QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ReadGroup | QFile::ReadOther));
    QCOMPARE(run({"initdb", database}), 0);
    QCOMPARE(run({"backup", database, dir + QStringLiteral("/admin.mdb")}), 0);
    QCOMPARE(run({"export", "--format", "vcard", database, dir + QStringLiteral("/all.vcf")}), 0);
    QCOMPARE(run({"export", "--format", "csv", database, dir + QStringLiteral("/all.csv")}), 0);
    QCOMPARE(run({"export", "--format", "csv", database, earlier.fileName()}), 0);
    // The program's own backup, in this process whose umask nobody changed.
    QVERIFY(BackupCommands(*db_, *prompter_).backup(dir + QStringLiteral("/window.mdb")));
    // A connection that writes keeps the engine's files beside the database.
    Database open;
    QVERIFY(open.open(database));
    QVERIFY(addContact(open, QStringLiteral("张三")) > 0);
    ::umask(previous);

    QStringList listed;
    QDirIterator files(dir, QDir::Files | QDir::Hidden);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        listed << file.fileName();
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(file.filePath()).constData(), &status), 0);
        QVERIFY2((status.st_mode & 0777) == 0600, qPrintable(file.fileName()));
    }
    listed.sort();
    QCOMPARE(listed, QStringList({"admin.mdb", "all.csv", "all.vcf", "earlier.csv", "new.tdb",
                                  "new.tdb-shm", "new.tdb-wal", "window.mdb"}));
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
