#include "app/CMainFrame.h"
#include "app/CNavTree.h"
#include "backup/BackupCommands.h"
#include "backup/BackupFeature.h"
#include "backup/DatabaseCheck.h"
#include "gui/ContactGuiFixture.h"

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

QTEST_MAIN(TestBackupFeature)
#include "tst_backupfeature.moc"
