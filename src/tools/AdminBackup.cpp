// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminBackup.h"

#include "backup/DatabaseCheck.h"
#include "backup/DatabaseRestore.h"
#include "backup/OnlineBackup.h"
#include "backup/ServerSnapshot.h"
#include "backup/SqliteConnection.h"
#include "db/BaseCounts.h"
#include "db/Database.h"
#include "db/LatestComm.h"
#include "db/RemindLog.h"
#include "db/ServerAddress.h"
#include "interactions/Reminders.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

namespace admin {

namespace {

int usage(QTextStream& err, const char* line) {
    err << "用法: mavor-admin " << line << "\n";
    return 2;
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo left(a);
    const QFileInfo right(b);
    return left.exists() && right.exists() && left.canonicalFilePath() == right.canonicalFilePath();
}

} // namespace

int backup(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2)
        return usage(err, "backup PATH DEST");
    const QString& path = args.at(0);
    const QString& destination = args.at(1);
    if (sameFile(path, destination)) {
        err << "backup: 目标就是数据库文件本身\n";
        return 1;
    }
    Database db;
    if (!db.open(path)) {
        err << "backup: " << db.lastError() << "\n";
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    QString error;
    // A server's backup is one consistent state of it, written as a database file.
    const bool copied = db.isServer() ? ServerSnapshot::toFile(db, destination, &error)
                                      : OnlineBackup::toFile(db.fileHandle(), destination, &error);
    if (!copied) {
        err << "backup: " << error << "\n";
        return 1;
    }
    out << "backup: " << path << " -> " << destination << " (" << QFileInfo(destination).size()
        << " 字节, " << timer.elapsed() << " ms)\n";
    return 0;
}

int restore(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2)
        return usage(err, "restore BACKUP PATH");
    if (ServerAddress::isLocation(args.at(1))) {
        err << "restore: 服务器上的数据用 mavor-admin migrate BACKUP --server --replace 恢复\n";
        return 1;
    }
    QString detail;
    const DatabaseRestore::Outcome outcome =
        DatabaseRestore::restore(args.at(0), args.at(1), DatabaseRestore::kDefaultWaitMs, &detail);
    if (outcome != DatabaseRestore::Outcome::Restored) {
        err << "restore: " << DatabaseRestore::describe(outcome)
            << (detail.isEmpty() ? QString()
                                 : QStringLiteral(" (%1)").arg(detail.section(u'\n', 0, 0)))
            << ", " << args.at(1) << " 没有改变\n";
        return 1;
    }
    out << "restore: " << args.at(0) << " -> " << args.at(1) << "\n";
    return 0;
}

namespace {

// Each contact's kept newest interaction made again from the interactions,
// and the kept counts of contacts from the contacts, in one transaction.
bool repairKept(const QString& path, QTextStream& out, QTextStream& err) {
    Database db;
    QString error;
    if (!db.open(path) || !db.beginQuietly()) {
        err << "check: " << db.lastError() << "\n";
        return false;
    }
    const qint64 before = latestcomm::staleCount(db);
    const qint64 countsBefore = basecount::staleCount(db);
    // The reminders kept between rebuilds are forgotten: each user's next
    // rebuild makes them anew.
    if (!latestcomm::refill(db, &error) || !basecount::refill(db, &error) ||
        !remindlog::forget(db, &error) || !db.commit()) {
        db.rollback();
        err << "check: 无法重建最近往来记录和导航树的人数: "
            << (error.isEmpty() ? db.lastError() : error) << "\n";
        return false;
    }
    out << "已重建各联系人的最近往来记录 (此前不符: " << before << " 个)\n";
    out << "已重建导航树的人数 (此前不符: " << countsBefore << " 项)\n";
    return true;
}

} // namespace

int check(QStringList args, QTextStream& out, QTextStream& err) {
    const bool repair = args.removeAll(QStringLiteral("--repair")) > 0;
    if (args.size() != 1)
        return usage(err, "check [--repair] PATH");
    if (ServerAddress::isLocation(args.first())) {
        err << "check: 只检查数据库文件: 先用 mavor-admin backup --server FILE 取得服务器的一份"
               "备份, 再检查该文件\n";
        return 1;
    }
    if (repair && !repairKept(args.first(), out, err))
        return 1;
    const DatabaseCheck::Result result = DatabaseCheck::run(args.first());
    if (result.readable) {
        out << "完整性检查: " << result.integrity.join(QStringLiteral("\n  ")) << "\n";
        for (const DatabaseCheck::Orphans& entry : result.orphans) {
            out << "  " << entry.table << " (" << entry.meaning << "): " << entry.rows
                << " 行的联系人已不存在\n";
        }
    }
    out << result.verdict() << "\n";
    // The reminders kept between rebuilds, brought up to date, against the
    // same made anew (nothing is written).
    qint64 staleReminders = 0;
    if (result.readable) {
        Database db;
        staleReminders = db.open(args.first()) ? Reminders::staleUsers(db) : -1;
        if (staleReminders != 0)
            out << (staleReminders < 0
                        ? QStringLiteral("无法核对事务提醒记着的结果")
                        : QStringLiteral("事务提醒记着的结果有 %1 位用户与往来记录不符")
                              .arg(staleReminders))
                << ", 可用 mavor-admin check --repair 重新计算\n";
    }
    return result.allWell() && staleReminders == 0 ? 0 : 1;
}

} // namespace admin
