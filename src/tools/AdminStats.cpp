// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminStats.h"

#include "db/Database.h"
#include "db/Lookups.h"
#include "stats/RelationStats.h"
#include "tools/AdminSchema.h"
#include "tools/StderrPrompter.h"

namespace {

int usage(QTextStream& err) {
    err << "用法: mavor-admin stats --user NAME [--scope mine|department|everyone] "
           "[--from YYYY-MM-DD] [--to YYYY-MM-DD] PATH\n";
    return 2;
}

QString yuan(double value) {
    return QString::number(value, 'f', 2);
}

void printContacts(QTextStream& out, const QString& title, const QList<ContactFigures>& list) {
    out << title << ":\n";
    for (const ContactFigures& c : list)
        out << "  " << c.name << "  " << c.count << " 次  支出 " << yuan(c.given) << "  收入 "
            << yuan(c.received) << "  差额 " << yuan(c.balance()) << "  最近 " << c.lastDate
            << "\n";
}

} // namespace

int adminStats(QStringList args, QTextStream& out, QTextStream& err) {
    QString user;
    QString path;
    QString scopeName = QStringLiteral("mine");
    const QDate today = QDate::currentDate();
    QDate from(today.year(), 1, 1);
    QDate to = today;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if ((arg == u"--from" || arg == u"--to") && !args.isEmpty()) {
            const QDate date = QDate::fromString(args.takeFirst(), QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid()) {
                err << "stats: " << arg << " 应为 YYYY-MM-DD\n";
                return 2;
            }
            (arg == u"--from" ? from : to) = date;
        } else if (arg == u"--user" && !args.isEmpty()) {
            user = args.takeFirst();
        } else if (arg == u"--scope" && !args.isEmpty()) {
            scopeName = args.takeFirst();
        } else if (!arg.startsWith(u"--") && path.isEmpty()) {
            path = arg;
        } else {
            return usage(err);
        }
    }
    const QStringList scopes{QStringLiteral("mine"), QStringLiteral("department"),
                             QStringLiteral("everyone")};
    if (user.isEmpty() || path.isEmpty() || !scopes.contains(scopeName))
        return usage(err);
    if (to < from) {
        err << "stats: 起始日期晚于结束日期\n";
        return 2;
    }

    StderrPrompter prompter;
    Database db(&prompter);
    if (!adminschema::openCurrent(db, path, "stats", err))
        return 1;
    Lookups lookups(db);
    StatsRequest request{from, to, StatsScope(scopes.indexOf(scopeName)), lookups.userCode(user),
                         -1};
    if (request.userCode < 0) {
        err << "stats: 没有用户 " << user << "\n";
        return 1;
    }
    request.departmentCode = lookups.departmentOfUser(request.userCode);
    const auto figures = RelationStats(db).figures(request);
    if (!figures)
        return 1;

    const QStringList scopeCaptions{QStringLiteral("我的人脉"), QStringLiteral("本部门"),
                                    QStringLiteral("全部用户")};
    out << "往来统计: " << user << ", " << scopeCaptions.at(int(request.scope)) << ", "
        << from.toString(Qt::ISODate) << " 至 " << to.toString(Qt::ISODate) << "\n";
    out << "往来 " << figures->interactions << " 次, 支出 " << yuan(figures->given) << " 元, 收入 "
        << yuan(figures->received) << " 元, 差额 " << yuan(figures->given - figures->received)
        << " 元\n";
    out << "无法识别的金额: " << figures->unreadableMoney << " 条\n";
    out << "每月:\n";
    for (const MonthFigures& m : figures->months)
        out << "  " << m.month.toString(QStringLiteral("yyyy-MM")) << "  " << m.count
            << " 次  支出 " << yuan(m.given) << "  收入 " << yuan(m.received) << "\n";
    out << "往来类型:\n";
    for (const TypeShare& t : figures->types)
        out << "  " << (t.type.isEmpty() ? QStringLiteral("(未填)") : t.type) << "  " << t.count
            << " 次\n";
    printContacts(out, QStringLiteral("往来最多的人"), figures->mostInteractions);
    printContacts(out, QStringLiteral("收支差额最大的人"), figures->largestImbalance);
    out << "逾期人数:\n  级别";
    for (const QDate& point : figures->overduePoints)
        out << "  " << point.toString(Qt::ISODate);
    out << "\n";
    for (const OverdueSeries& s : figures->overdue) {
        out << "  " << (s.level.isEmpty() ? QStringLiteral("(未定)") : s.level);
        for (qint64 n : s.counts)
            out << "  " << n;
        out << "\n";
    }
    return 0;
}
