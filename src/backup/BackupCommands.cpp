// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/BackupCommands.h"

#include "backup/DatabaseRestore.h"
#include "backup/OnlineBackup.h"
#include "backup/ProgramDatabase.h"
#include "backup/ServerSnapshot.h"
#include "backup/SqliteConnection.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/TextFormat.h"

#include <QFileInfo>

namespace {

const QString kBackedUp = QStringLiteral("数据备份成功!");
const QString kBackupFailed = QStringLiteral("数据备份失败!请检查系统配置!");
const QString kBackupOntoDatabase =
    QStringLiteral("不能备份到正在使用的数据库文件本身!\r\n\r\n请另选一个文件名.");
const QString kNoSuchFile = QStringLiteral("数据文件不存在!请检查.");
const QString kRestoreFailed = QStringLiteral("数据恢复失败!请检查系统配置.");
const QString kRestored =
    QStringLiteral("数据恢复成功!\r\n\r\n程序现在退出, 再次启动后使用恢复的数据.");
const QString kNotDatabase = QStringLiteral("所选文件不是数据库文件!数据没有恢复.");
const QString kDamaged = QStringLiteral("所选数据文件已损坏!数据没有恢复.");
const QString kForeign = QStringLiteral("所选文件不是本程序的数据库!数据没有恢复.");
const QString kUnexpected =
    QStringLiteral("所选文件含有本程序之外的数据库对象!数据没有恢复.\r\n\r\n%1");
const QString kSameFile = QStringLiteral("所选文件就是正在使用的数据库文件!数据没有改变.");
const QString kInUse =
    QStringLiteral("数据库正被其他程序使用!数据没有恢复.\r\n\r\n请先关闭其他使用该数据库的程序 "
                   "(例如其他用户的人脉程序或短信发送程序 mavor-smsd), 然后再试.");

// A team's server is restored by its administrator, for everyone at once.
const QString kRestoreOnServer =
    QStringLiteral("团队模式的数据在数据库服务器上, 不能在这里恢复, 当前数据没有改变.\r\n\r\n"
                   "请把备份文件交给管理员, 由管理员在服务器所在的机器上运行:\r\n"
                   "    mavor-admin migrate 备份文件 --server --replace\r\n"
                   "恢复期间请大家退出程序, 恢复后再重新登录.");

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo left(a);
    const QFileInfo right(b);
    return left.exists() && right.exists() && left.canonicalFilePath() == right.canonicalFilePath();
}

} // namespace

QString BackupCommands::defaultBackupName(const Clock& clock) {
    return text::format(QStringLiteral("mavor%s"),
                        clock.today().toString(QStringLiteral("yyyy-MM-dd")));
}

bool BackupCommands::backup(const QString& destination) {
    if (destination.isEmpty())
        return false;
    // Renaming a copy over the open file would pull it from under every connection.
    if (!db_.isServer() && sameFile(destination, db_.path())) {
        prompter_.notice(Prompter::kErrorCaption, kBackupOntoDatabase, PromptIcon::Information);
        return false;
    }
    QString error;
    // A server's backup is one consistent state of it, written as a database file.
    const bool copied = db_.isServer()
                            ? ServerSnapshot::toFile(db_, destination, &error)
                            : OnlineBackup::toFile(db_.fileHandle(), destination, &error);
    if (copied && QFileInfo::exists(destination)) {
        prompter_.inform(kBackedUp);
        return true;
    }
    prompter_.notice(Prompter::kErrorCaption, kBackupFailed, PromptIcon::Information);
    return false;
}

bool BackupCommands::restoresOnServerOnly() {
    // The connection to the server stays as it is.
    if (!db_.isServer())
        return false;
    prompter_.notice(Prompter::kNoticeCaption, kRestoreOnServer, PromptIcon::Information);
    return true;
}

BackupCommands::RestoreResult BackupCommands::restore(const QString& backupPath,
                                                      const std::function<void()>& release) {
    if (backupPath.isEmpty())
        return RestoreResult::Refused;
    auto refuse = [this](const QString& text) {
        prompter_.notice(Prompter::kErrorCaption, text, PromptIcon::Information);
        return RestoreResult::Refused;
    };
    if (!QFileInfo(backupPath).isFile())
        return refuse(kNoSuchFile);
    if (restoresOnServerOnly())
        return RestoreResult::Refused;
    if (sameFile(backupPath, db_.path()))
        return refuse(kSameFile);
    // Nothing is touched before the backup has passed every check.
    const ProgramDatabase::Inspection inspection = ProgramDatabase::inspect(backupPath);
    switch (inspection.verdict) {
    case ProgramDatabase::Verdict::Ok:
        break;
    case ProgramDatabase::Verdict::Missing:
        return refuse(kNoSuchFile);
    case ProgramDatabase::Verdict::NotDatabase:
        return refuse(kNotDatabase);
    case ProgramDatabase::Verdict::Damaged:
        return refuse(kDamaged);
    case ProgramDatabase::Verdict::Foreign:
        return refuse(kForeign);
    case ProgramDatabase::Verdict::Unexpected:
        return refuse(kUnexpected.arg(inspection.unexpected.join(QStringLiteral("\r\n"))));
    }

    if (release)
        release();
    const QString path = db_.path();
    db_.close();
    QString detail;
    const DatabaseRestore::Outcome outcome =
        DatabaseRestore::restore(backupPath, path, DatabaseRestore::kDefaultWaitMs, &detail);
    const bool reopened = db_.open(path);
    if (!reopened)
        errors::show(prompter_, errors::DatabaseOpen);
    switch (outcome) {
    case DatabaseRestore::Outcome::Restored:
        prompter_.inform(kRestored);
        return RestoreResult::Restored;
    case DatabaseRestore::Outcome::InUse:
        refuse(kInUse);
        return reopened ? RestoreResult::Refused : RestoreResult::Failed;
    default:
        prompter_.notice(Prompter::kErrorCaption, kRestoreFailed, PromptIcon::Information);
        return RestoreResult::Failed;
    }
}
