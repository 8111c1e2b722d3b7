// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminSchema.h"

#include "db/Database.h"
#include "db/SchemaVersion.h"
#include "db/TextFormat.h"

#include <QTextStream>

namespace adminschema {

QString refusal(Database& db) {
    const int version = schema::versionOf(db);
    const int current = schema::current();
    if (version < 0)
        return QStringLiteral("无法读取数据库的版本");
    if (version < current)
        return text::format(
            "数据库是第 %d 版, 本程序需要第 %d 版: 请先用主程序打开它 (它会先留一份备份再升级)",
            version, current);
    if (version > current)
        return text::format("数据库是第 %d 版, 由更新的程序建立: 本程序只认第 %d 版", version,
                            current);
    return {};
}

bool openCurrent(Database& db, const QString& path, const char* command, QTextStream& err) {
    QString reason;
    if (!db.open(path))
        reason = db.lastError();
    else
        reason = refusal(db);
    if (reason.isEmpty())
        return true;
    err << command << ": " << reason << "\n";
    return false;
}

bool splitOptions(const QStringList& args, const QStringList& names,
                  QHash<QString, QString>* options, QStringList* words) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(u"--")) {
            words->append(arg);
            continue;
        }
        if (!names.contains(arg) || i + 1 >= args.size())
            return false;
        options->insert(arg, args.at(++i));
    }
    return true;
}

} // namespace adminschema
