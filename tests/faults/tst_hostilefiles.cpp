// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DataFileCheck.h"
#include "backup/DatabaseGate.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

// Files in the program directory that are not what they should be: the
// program says what is wrong in words its user understands, and the user's
// file keeps every byte it had.
class TestHostileFiles : public QObject {
    Q_OBJECT

  private slots:
    void damagedDatabaseIsTurnedAwayUntouched_data();
    void damagedDatabaseIsTurnedAwayUntouched();
    void fileLeftByAKilledRunOpens();
    void readOnlyDatabaseIsTurnedAwayUntouched();
    void fullDiskSaysSoAndKeepsTheFile();
    void damagedSettingsAreReportedAndLeftAlone_data();
    void damagedSettingsAreReportedAndLeftAlone();
};

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void write(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

// A small file system of our own (root only); unmounted when it goes.
class SmallDisk {
  public:
    explicit SmallDisk(const QString& size) {
        if (!dir_.isValid() || geteuid() != 0)
            return;
        mounted_ = QProcess::execute(QStringLiteral("mount"),
                                     {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                      QStringLiteral("-o"), QStringLiteral("size=") + size,
                                      QStringLiteral("tmpfs"), dir_.path()}) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), dir_.path()});
    }
    bool mounted() const { return mounted_; }
    QString path(const QString& name) const { return dir_.filePath(name); }
    bool makeReadOnly() {
        return QProcess::execute(
                   QStringLiteral("mount"),
                   {QStringLiteral("-o"), QStringLiteral("remount,ro"), dir_.path()}) == 0;
    }

  private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// Opens the file as start-up does; returns whether the run could go on.
bool openAsStartUp(const QString& path, ScriptedPrompter& prompter) {
    Database db(&prompter);
    return DatabaseGate(db, prompter).open(path);
}

} // namespace

void TestHostileFiles::damagedDatabaseIsTurnedAwayUntouched_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("said"); // what the message must name
    QTest::newRow("empty") << "empty"
                           << "空的";
    QTest::newRow("truncated to half") << "half"
                                       << "不完整";
    QTest::newRow("cut inside the header") << "header"
                                           << "不完整";
    QTest::newRow("a text file") << "text"
                                 << "不是数据库文件";
    QTest::newRow("random bytes") << "binary"
                                  << "不是数据库文件";
    QTest::newRow("another program's database") << "foreign"
                                                << "另一个程序的数据库";
    QTest::newRow("a directory in its place") << "directory"
                                              << "不是一个普通文件";
}

void TestHostileFiles::damagedDatabaseIsTurnedAwayUntouched() {
    QFETCH(QString, damage);
    QFETCH(QString, said);
    TestHome home;
    QVERIFY(home.isValid());
    const QString path = home.databasePath();
    const QByteArray whole = bytesOf(path);
    if (damage == u"empty") {
        write(path, {});
    } else if (damage == u"half") {
        write(path, whole.left(whole.size() / 2));
    } else if (damage == u"header") {
        write(path, whole.left(60));
    } else if (damage == u"text") {
        write(path, QStringLiteral("人脉资料\r\n张三,13800000000\r\n").toUtf8());
    } else if (damage == u"binary") {
        QByteArray noise(64 * 1024, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        write(path, noise);
    } else if (damage == u"foreign") {
        QFile::remove(path);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            other.setDatabaseName(path);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec("create table recipes(name text, minutes integer)"));
            QVERIFY(q.exec("insert into recipes values('饺子', 40)"));
            other.close();
        }
        QSqlDatabase::removeDatabase("other");
    } else if (damage == u"directory") {
        QFile::remove(path);
        QVERIFY(QDir().mkdir(path));
    }
    const QByteArray before = bytesOf(path);

    ScriptedPrompter prompter;
    QVERIFY(!openAsStartUp(path, prompter));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].icon, PromptIcon::Critical);
    QVERIFY2(prompter.lastText().contains(said), qPrintable(prompter.lastText()));
    QVERIFY(prompter.lastText().contains(path));
    QCOMPARE(bytesOf(path), before);
    // Nothing was started beside it either: no journal, no upgrade copy.
    QCOMPARE(QDir(home.dir()).entryList({"mavor.tdb?*"}, QDir::Files), QStringList());
}

void TestHostileFiles::fileLeftByAKilledRunOpens() {
    // The file, its journal and its index as a run left them when it was
    // killed right after a change: the change lives in the journal alone.
    TestHome home;
    QVERIFY(home.isValid());
    const QString left = home.file(QStringLiteral("left.tdb"));
    {
        Database running;
        QVERIFY(running.open(home.databasePath()));
        QVERIFY(running.execute(sql::Statement(
            "insert into base(base_name,base_user_code,base_user_dep_code,base_invalid_flag) "
            "values('留下',1,1,1)")));
        for (const char* suffix : {"", "-wal", "-shm"})
            QVERIFY(QFile::copy(home.databasePath() + QLatin1String(suffix),
                                left + QLatin1String(suffix)));
    }
    QVERIFY(QFileInfo(left + QStringLiteral("-wal")).size() > 0);
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY2(DatabaseGate(db, prompter).open(left), qPrintable(prompter.lastText()));
    QCOMPARE(db.count(sql::Statement("select count(*) from base where base_name='留下'")),
             qint64(1));
}

void TestHostileFiles::readOnlyDatabaseIsTurnedAwayUntouched() {
    TestHome home;
    QVERIFY(home.isValid());
    QString path = home.databasePath();
    // Root writes through file permissions; a file system mounted read-only stops everyone.
    SmallDisk disk(QStringLiteral("2m"));
    if (disk.mounted()) {
        path = disk.path(QStringLiteral("mavor.tdb"));
        QVERIFY(QFile::copy(home.databasePath(), path));
        QVERIFY(disk.makeReadOnly());
    } else if (geteuid() == 0) {
        QSKIP("cannot mount a file system here");
    } else {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    }
    const QByteArray before = bytesOf(path);
    ScriptedPrompter prompter;
    QVERIFY(!openAsStartUp(path, prompter));
    QCOMPARE(prompter.messages.size(), 1);
    QVERIFY2(prompter.lastText().contains(u"只读"), qPrintable(prompter.lastText()));
    QCOMPARE(bytesOf(path), before);
}

void TestHostileFiles::fullDiskSaysSoAndKeepsTheFile() {
    TestHome home;
    QVERIFY(home.isValid());
    SmallDisk disk(QStringLiteral("1m"));
    if (!disk.mounted())
        QSKIP("a small file system needs root and mount");
    const QString path = disk.path(QStringLiteral("mavor.tdb"));
    QVERIFY(QFile::copy(home.databasePath(), path));
    const QByteArray before = bytesOf(path);
    const auto fill = [&] {
        QFile filler(disk.path(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Append));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    };

    // The disk fills while the program runs: the change that finds no room says so.
    {
        ScriptedPrompter prompter;
        Database db(&prompter);
        QVERIFY(DatabaseGate(db, prompter).open(path));
        fill();
        const QString remark(200 * 1024, u'x');
        QVERIFY(!db.execute(sql::format(
            "insert into base(base_name,base_experience,base_user_code,base_user_dep_code,"
            "base_invalid_flag) values('%s','%s',1,1,1)",
            QStringLiteral("满盘"), remark)));
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY2(prompter.lastText().contains(u"磁盘"), qPrintable(prompter.lastText()));
    }
    QCOMPARE(bytesOf(path), before);

    // Started on the full disk, the program says so before it writes anything.
    {
        ScriptedPrompter prompter;
        QVERIFY(!openAsStartUp(path, prompter));
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY2(prompter.lastText().contains(u"磁盘已满"), qPrintable(prompter.lastText()));
    }
    QCOMPARE(bytesOf(path), before);

    // With room again, the file opens whole, without the row that could not be saved.
    QVERIFY(QFile::remove(disk.path(QStringLiteral("filler"))));
    ScriptedPrompter later;
    Database again(&later);
    QVERIFY(DatabaseGate(again, later).open(path));
    QCOMPARE(again.count(sql::Statement("select count(*) from base where base_name='满盘'")),
             qint64(0));
    QString integrity;
    again.query(sql::Statement("pragma integrity_check"), [&](const Row& row) {
        integrity = row.textAt(0);
        return false;
    });
    QCOMPARE(integrity, QStringLiteral("ok"));
    QVERIFY(later.messages.isEmpty());
}

void TestHostileFiles::damagedSettingsAreReportedAndLeftAlone_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("reported");
    QTest::newRow("binary") << "binary" << false;
    QTest::newRow("truncated in a key") << "truncated" << false;
    QTest::newRow("huge") << "huge" << true;
    QTest::newRow("a directory in its place") << "directory" << true;
    QTest::newRow("unreadable") << "unreadable" << true;
}

void TestHostileFiles::damagedSettingsAreReportedAndLeftAlone() {
    QFETCH(QString, damage);
    QFETCH(bool, reported);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mavor.ini"));
    if (damage == u"binary") {
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 31 + 7) % 256);
        write(path, noise);
    } else if (damage == u"truncated") {
        write(path, "[Settings]\r\nUserName=admin\r\nPass");
    } else if (damage == u"huge") {
        write(path, "[Settings]\r\nUserName=admin\r\n" + QByteArray(3 * 1024 * 1024, 'z'));
    } else if (damage == u"directory") {
        QVERIFY(QDir().mkdir(path));
    } else if (damage == u"unreadable") {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        write(path, "[Settings]\r\nUserName=admin\r\n");
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    }
    const QByteArray before = bytesOf(path);

    const QString problem = datafile::settingsProblemOf(path);
    QCOMPARE(!problem.isEmpty(), reported);
    if (reported) {
        QVERIFY2(problem.contains(path), qPrintable(problem));
        QVERIFY(problem.contains(u"默认设置"));
    }
    // Read as the program reads it: no crash, the defaults or what is legible.
    Settings settings(path);
    QVERIFY(settings.value(QStringLiteral("AutoLogin"), QStringLiteral("0")) == u"0");
    if (!reported)
        return;
    // A file that cannot be read is never replaced by a new one.
    settings.ensureExists();
    if (damage != u"huge")
        QVERIFY(!settings.setValue(QStringLiteral("UserName"), QStringLiteral("admin")));
    QCOMPARE(bytesOf(path), before);
    QCOMPARE(QFileInfo(path).isDir(), damage == u"directory");
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
