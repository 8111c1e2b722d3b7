// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/DatabaseCheck.h"

#include "backup/ProgramDatabase.h"
#include "backup/SqliteConnection.h"
#include "db/BaseCounts.h"
#include "db/LatestComm.h"

#include <QFile>

namespace {

// The engine's findings, at most this many.
const char* const kIntegrity = "PRAGMA integrity_check(100)";

struct OrphanQuery {
    const char* table;
    const char* meaning;
    const char* statement;
};

// Rows that belong to a contact, each counted when its contact row is gone.
const OrphanQuery kOrphanQueries[] = {
    {"home", "家庭信息",
     "select count(*) from home where home_base_code not in (select base_code from base)"},
    {"society", "社交信息",
     "select count(*) from society where society_base_code not in (select base_code from base)"},
    {"extend", "扩展信息",
     "select count(*) from extend where extend_base_code not in (select base_code from base)"},
    {"comm", "往来记录",
     "select count(*) from comm where comm_base_code not in (select base_code from base)"},
    {"asso", "关联关系",
     "select count(*) from asso where asso_base_code not in (select base_code from base)"},
    {"doc", "相关文档",
     "select count(*) from doc where doc_base_code not in (select base_code from base)"},
    {"tmptrans", "事务提醒",
     "select count(*) from tmptrans where tmptrans_base_code not in (select base_code from base)"},
};

} // namespace

bool DatabaseCheck::Result::allWell() const {
    if (!readable || integrity != QStringList{QStringLiteral("ok")} || !unexpected.isEmpty() ||
        staleNewest != 0 || staleCounts != 0)
        return false;
    for (const Orphans& entry : orphans) {
        if (entry.rows != 0)
            return false;
    }
    return true;
}

QString DatabaseCheck::Result::verdict() const {
    if (!readable)
        return QStringLiteral("无法检查: %1").arg(error);
    QStringList problems;
    if (integrity != QStringList{QStringLiteral("ok")})
        problems << QStringLiteral("数据库文件已损坏");
    if (!unexpected.isEmpty())
        problems << QStringLiteral("含有本程序之外的数据库对象: %1")
                        .arg(unexpected.join(QStringLiteral(", ")));
    qint64 lost = 0;
    for (const Orphans& entry : orphans)
        lost += entry.rows;
    if (lost > 0)
        problems << QStringLiteral("%1 行记录的联系人已不存在").arg(lost);
    if (staleNewest != 0)
        problems << (staleNewest < 0
                         ? QStringLiteral("无法核对各联系人的最近往来记录")
                         : QStringLiteral("%1 个联系人的最近往来记录与往来记录不符 (事务提醒会因此"
                                          "出错), 可用 mavor-admin check --repair 重建")
                               .arg(staleNewest));
    if (staleCounts != 0)
        problems << (staleCounts < 0
                         ? QStringLiteral("无法核对导航树记着的人数")
                         : QStringLiteral("导航树记着的人数有 %1 项与联系人不符 (导航树的人数会"
                                          "因此出错), 可用 mavor-admin check --repair 重建")
                               .arg(staleCounts));
    return problems.isEmpty()
               ? QStringLiteral("正常: 数据库完好, 所有记录的联系人都在")
               : QStringLiteral("有问题: %1").arg(problems.join(QStringLiteral("; ")));
}

namespace {

// A read-only connection to a file in write-ahead mode makes the log and its
// index beside it and, never writing, cannot take them away when it closes.
// When it made them, a writing connection that reads and closes removes them
// again, as the last connection to a file does; while another program holds
// the file, or the file cannot be written, they stay for it.
class LeavesNothingBeside {
  public:
    explicit LeavesNothingBeside(const QString& path)
        : path_(path), had_(QFile::exists(path + QStringLiteral("-wal")) ||
                            QFile::exists(path + QStringLiteral("-shm"))) {}
    ~LeavesNothingBeside() {
        if (had_ || !QFile::exists(path_ + QStringLiteral("-shm")))
            return;
        SqliteConnection tidy(path_, SqliteConnection::Mode::ReadWrite);
        QStringList unused;
        tidy.column("select count(*) from sqlite_master", &unused);
    }

  private:
    QString path_;
    bool had_;
};

// The rows of a kept table that are not what their source says: 0 in a file
// too old to have the table, -1 when they cannot be counted.
qint64 staleRows(SqliteConnection& file, const char* table, const QString& staleCount) {
    QStringList kept;
    const QByteArray present =
        QStringLiteral("select count(*) from sqlite_master where type='table' and name='%1'")
            .arg(QLatin1String(table))
            .toUtf8();
    if (!file.column(present.constData(), &kept) || kept.value(0) != u"1")
        return 0;
    QStringList stale;
    const QByteArray text = staleCount.toUtf8();
    return file.column(text.constData(), &stale) && !stale.isEmpty() ? stale.first().toLongLong()
                                                                     : -1;
}

} // namespace

DatabaseCheck::Result DatabaseCheck::run(const QString& path) {
    Result result;
    const LeavesNothingBeside tidy(path);
    const ProgramDatabase::Inspection inspection = ProgramDatabase::inspect(path, false);
    switch (inspection.verdict) {
    case ProgramDatabase::Verdict::Missing:
        result.error = QStringLiteral("文件不存在");
        return result;
    case ProgramDatabase::Verdict::NotDatabase:
        result.error = QStringLiteral("不是数据库文件");
        return result;
    case ProgramDatabase::Verdict::Foreign:
        result.error = QStringLiteral("不是本程序的数据库 (缺少 %1)").arg(inspection.detail);
        return result;
    case ProgramDatabase::Verdict::Unexpected:
        result.unexpected = inspection.unexpected;
        break;
    case ProgramDatabase::Verdict::Damaged:
    case ProgramDatabase::Verdict::Ok:
        break;
    }
    SqliteConnection file(path, SqliteConnection::Mode::ReadOnly);
    file.setBusyTimeout(5000);
    if (!file.column(kIntegrity, &result.integrity)) {
        result.error = file.lastError();
        return result;
    }
    result.readable = true;
    for (const OrphanQuery& query : kOrphanQueries) {
        QStringList count;
        Orphans entry{QString::fromLatin1(query.table), QString::fromUtf8(query.meaning), 0};
        // A table too damaged to count is covered by the integrity findings.
        if (file.column(query.statement, &count) && !count.isEmpty())
            entry.rows = count.first().toLongLong();
        result.orphans.append(entry);
    }
    result.staleNewest = staleRows(file, latestcomm::kTable, latestcomm::staleCountText(false));
    result.staleCounts = staleRows(file, basecount::kTable, basecount::staleCountText());
    return result;
}
