// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DatabaseUpgrade.h"

#include "backup/OnlineBackup.h"
#include "backup/SqliteConnection.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "quickfind/FindKeys.h"

#include <QFileInfo>

DatabaseUpgrade::Outcome DatabaseUpgrade::ensureCurrent(const QList<schema::Step>& steps) {
    const int latest = steps.isEmpty() ? 1 : steps.last().version;
    const int version = schema::versionOf(db_);
    if (version < 0) {
        message_ = QStringLiteral("无法读取数据库版本: %1").arg(db_.lastError());
        return Outcome::Failed;
    }
    if (version > latest) {
        message_ = QStringLiteral("数据库文件的版本是 %1, 本程序只能使用第 %2 版及以前的数据库。"
                                  "\r\n\r\n请安装新版本的程序。")
                       .arg(version)
                       .arg(latest);
        return Outcome::Newer;
    }
    if (version == latest)
        return Outcome::Current;
    // A team's server is upgraded by its administrator, after a backup, for everyone at once.
    if (db_.isServer()) {
        message_ = QStringLiteral("服务器上的数据库是第 %1 版, 本程序需要第 %2 版。\r\n\r\n"
                                  "请管理员先备份 (mavor-admin backup --server), 再升级 "
                                  "(mavor-admin upgrade --server)。")
                       .arg(version)
                       .arg(latest);
        return Outcome::Failed;
    }

    // The copy counts as one part more than the upgrade's own.
    std::unique_ptr<ProgressHandle> shown = progress_ ? progress_->beginProgress() : nullptr;
    if (shown) {
        shown->setRange(0, 1);
        shown->setPosition(0);
    }
    const schema::Advance advance = [&shown](int done, int parts) {
        if (!shown)
            return;
        shown->setRange(0, parts + 1);
        shown->setPosition(done + 1);
    };
    // The copy keeps the old version whole, whatever happens next.
    backupPath_ = db_.path() + QStringLiteral(".v%1.bak").arg(version);
    QString error;
    if (!OnlineBackup::toFile(db_.fileHandle(), backupPath_, &error)) {
        message_ = QStringLiteral("升级数据库之前无法备份到 %1: %2").arg(backupPath_, error);
        return Outcome::Failed;
    }
    const auto keys = [latest](Database& db, QString* failure) {
        return latest < quickfind::findkeys::kSinceVersion ||
               quickfind::findkeys::fillMissing(db, failure, true) >= 0;
    };
    if (!schema::upgrade(db_, steps, &error, keys, advance)) {
        message_ = QStringLiteral("数据库升级失败, 原有资料没有改变: %1\r\n\r\n升级前的备份: %2")
                       .arg(error, backupPath_);
        return Outcome::Failed;
    }
    shown.reset(); // the window is gone before the caller's message
    return Outcome::Upgraded;
}
