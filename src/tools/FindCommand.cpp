// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/FindCommand.h"

#include "db/Database.h"
#include "db/Lookups.h"
#include "quickfind/QuickFinder.h"
#include "tools/AdminSchema.h"
#include "tools/StderrPrompter.h"

#include <QTextStream>

namespace {

int usage(QTextStream& err) {
    err << "用法: mavor-admin find --user NAME [--limit N] QUERY PATH\n";
    return 2;
}

} // namespace

int findCommand(QStringList args, QTextStream& out, QTextStream& err) {
    QString user;
    QStringList positional;
    int limit = -1;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--user" && !args.isEmpty()) {
            user = args.takeFirst();
        } else if (arg == u"--limit" && !args.isEmpty()) {
            bool ok = false;
            limit = args.takeFirst().toInt(&ok);
            if (!ok || limit < 0) {
                err << "find: --limit 应为不小于 0 的整数\n";
                return 2;
            }
        } else if (arg.startsWith(u"--") && arg != u"--") {
            return usage(err);
        } else {
            positional << arg;
        }
    }
    if (user.isEmpty() || positional.size() != 2)
        return usage(err);
    const QString& query = positional[0];
    const QString& path = positional[1];

    StderrPrompter prompter;
    Database db(&prompter);
    if (!adminschema::openCurrent(db, path, "find", err))
        return 1;
    if (Lookups(db).userCode(user) < 0) {
        err << "find: 没有用户 " << user << "\n";
        return 1;
    }
    quickfind::QuickFinder finder(db);
    qsizetype total = 0;
    QString error;
    const auto hits = finder.find(query, limit, &total, &error);
    if (!error.isEmpty()) {
        err << "find: " << error << "\n";
        return 1;
    }
    for (const auto& hit : hits) {
        const quickfind::Entry& e = *hit.entry;
        out << e.code << '\t' << e.name << '\t' << e.post << '\t' << e.unit << '\t'
            << e.numbers.value(0) << "\n";
    }
    err << "find: 共 " << total << " 条匹配\n";
    return 0;
}
