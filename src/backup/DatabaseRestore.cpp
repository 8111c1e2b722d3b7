// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DatabaseRestore.h"

#include "backup/OnlineBackup.h"
#include "backup/ProgramDatabase.h"
#include "backup/SqliteConnection.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

DatabaseRestore::Outcome outcomeOf(ProgramDatabase::Verdict verdict) {
    switch (verdict) {
    case ProgramDatabase::Verdict::Ok:
        return DatabaseRestore::Outcome::Restored;
    case ProgramDatabase::Verdict::Missing:
        return DatabaseRestore::Outcome::Missing;
    case ProgramDatabase::Verdict::NotDatabase:
        return DatabaseRestore::Outcome::NotDatabase;
    case ProgramDatabase::Verdict::Damaged:
        return DatabaseRestore::Outcome::Damaged;
    case ProgramDatabase::Verdict::Foreign:
        return DatabaseRestore::Outcome::Foreign;
    case ProgramDatabase::Verdict::Unexpected:
        return DatabaseRestore::Outcome::Unexpected;
    }
    return DatabaseRestore::Outcome::Failed;
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo left(a);
    const QFileInfo right(b);
    return left.exists() && right.exists() && left.canonicalFilePath() == right.canonicalFilePath();
}

} // namespace

DatabaseRestore::Outcome DatabaseRestore::restore(const QString& backup, const QString& target,
                                                  int waitMs, QString* detail) {
    QString ignored;
    QString& why = detail ? *detail : ignored;
    const ProgramDatabase::Inspection inspection = ProgramDatabase::inspect(backup);
    if (inspection.verdict != ProgramDatabase::Verdict::Ok) {
        why = inspection.detail;
        return outcomeOf(inspection.verdict);
    }
    if (sameFile(backup, target))
        return Outcome::SameFile;
    SqliteConnection source(backup, SqliteConnection::Mode::ReadOnly);
    if (!source.isOpen()) {
        why = source.lastError();
        return Outcome::Failed;
    }

    if (QFileInfo::exists(target) && SqliteConnection::hasDatabaseHeader(target)) {
        SqliteConnection file(target, SqliteConnection::Mode::ReadWrite);
        if (file.takeAlone(waitMs)) {
            const bool copied = OnlineBackup::into(source.handle(), file.handle(), &why);
            // The backup's journal mode came along with its first page.
            file.exec("PRAGMA journal_mode=DELETE");
            return copied ? Outcome::Restored : Outcome::Failed;
        }
        if (file.lastWasBusy()) {
            why = file.lastError();
            return Outcome::InUse;
        }
        // A file the engine cannot read as a database any more is replaced whole.
    }
    return OnlineBackup::toFile(source.handle(), target, &why) ? Outcome::Restored
                                                               : Outcome::Failed;
}

QString DatabaseRestore::describe(Outcome outcome) {
    switch (outcome) {
    case Outcome::Restored:
        return QStringLiteral("数据已恢复");
    case Outcome::Missing:
        return QStringLiteral("备份文件不存在");
    case Outcome::NotDatabase:
        return QStringLiteral("备份文件不是数据库");
    case Outcome::Damaged:
        return QStringLiteral("备份文件已损坏");
    case Outcome::Foreign:
        return QStringLiteral("备份文件不是本程序的数据库");
    case Outcome::Unexpected:
        return QStringLiteral("备份文件含有本程序之外的数据库对象");
    case Outcome::SameFile:
        return QStringLiteral("备份文件就是要恢复的数据库文件");
    case Outcome::InUse:
        return QStringLiteral("数据库正被其他程序使用");
    case Outcome::Failed:
        return QStringLiteral("数据恢复失败");
    }
    return {};
}
