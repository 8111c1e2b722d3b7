// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/BackupCommands.h"
#include "backup/BackupFeature.h"
#include "backup/DatabaseCheck.h"
#include "gui/ContactGuiFixture.h"
#include "shell/CMainFrame.h"
#include "tree/CNavTree.h"

#include <QFile>
#include <QTest>

// Restore in the running program: the tree builder, which reads the file on a
// connection of its own, is stopped first; the program ends after a restore
// and carries on, with its tree, after a refusal.
class TestBackupFeature : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void restoreWhileTheTreeBuilds();
    void refusedRestoreLeavesTheTreeAlone();
    void teamServerBackupAndRestore();

  private:
    std::unique_ptr<ContactGuiFixture> fx_;
    std::unique_ptr<CMainFrame> frame_;
};

void TestBackupFeature::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
    frame_ = std::make_unique<CMainFrame>(*fx_->app, fx_->session);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
}

void TestBackupFeature::cleanup() {
    frame_.reset();
    fx_.reset();
}

void TestBackupFeature::restoreWhileTheTreeBuilds() {
    SKIP_ON_SERVER("a server is restored by its administrator");
    const QString backup = fx_->home.file(QStringLiteral("b.mdb"));
    QVERIFY(BackupCommands(fx_->db, fx_->prompter).backup(backup));
    QVERIFY(fx_->db.execute("insert into base(base_name,base_invalid_flag) values('备份后',1)"));
    fx_->prompter.clear();

    QVERIFY(frame_->tree()->startBuild(false));
    QVERIFY(frame_->tree()->isBuilding());
    int quits = 0;
    BackupFeature::restore(*frame_, backup, [&] { ++quits; });
    QCOMPARE(quits, 1);
    QVERIFY(!frame_->tree()->isBuilding());
    QCOMPARE(fx_->prompter.messages.size(), 1);
    QVERIFY(fx_->prompter.messages[0].text.startsWith(QStringLiteral("数据恢复成功!")));
    QCOMPARE(fx_->db.count("select count(*) from base where base_name='备份后'"), 0);
    QVERIFY(DatabaseCheck::run(fx_->home.databasePath()).integrity == QStringList{"ok"});
}

void TestBackupFeature::refusedRestoreLeavesTheTreeAlone() {
    SKIP_ON_SERVER("a server is restored by its administrator");
    const QString text = fx_->home.file(QStringLiteral("notes.mdb"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("no database");
    file.close();
    QVERIFY(frame_->tree()->startBuild(false));
    int quits = 0;
    BackupFeature::restore(*frame_, text, [&] { ++quits; });
    QCOMPARE(quits, 0);
    QCOMPARE(fx_->prompter.texts(), QStringList{"所选文件不是数据库文件!数据没有恢复."});
    // The build it did not need to stop runs to its end.
    QVERIFY(QTest::qWaitFor([this] { return frame_->tree()->isReady(); }, 10000));
    QVERIFY(fx_->db.isOpen());
}

// In team mode the window's backup is a snapshot of the server written as a
// database file; its restore explains the administrator's command and leaves
// the connection, and every row, as they were.
void TestBackupFeature::teamServerBackupAndRestore() {
    if (!TestHome::onServer())
        QSKIP("runs against the test server (tst_backupfeature_server)");
    QVERIFY(fx_->db.isServer());
    QVERIFY(fx_->db.execute("insert into base(base_name,base_invalid_flag) values('团队',1)"));
    const qint64 contacts = fx_->contactCount();
    const QString backup = fx_->home.file(QStringLiteral("team.mdb"));
    QVERIFY(BackupCommands(fx_->db, fx_->prompter).backup(backup));
    QCOMPARE(fx_->prompter.texts(), QStringList{"数据备份成功!"});
    QVERIFY(DatabaseCheck::run(backup).allWell());
    {
        Database file;
        QVERIFY(file.open(backup));
        QCOMPARE(file.count("select count(*) from base"), contacts);
    }

    fx_->prompter.clear();
    int quits = 0;
    BackupFeature::restore(*frame_, backup, [&] { ++quits; });
    QCOMPARE(quits, 0);
    QCOMPARE(fx_->prompter.messages.size(), 1);
    QCOMPARE(fx_->prompter.messages[0].caption, QStringLiteral("提示"));
    QVERIFY(fx_->prompter.messages[0].text.contains(
        QStringLiteral("mavor-admin migrate 备份文件 --server --replace")));
    QVERIFY(fx_->db.isOpen());
    QVERIFY(fx_->db.isServer());
    QCOMPARE(fx_->contactCount(), contacts);
}

QTEST_MAIN(TestBackupFeature)
#include "tst_backupfeature.moc"
