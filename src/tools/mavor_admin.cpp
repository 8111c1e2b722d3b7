// SPDX-License-Identifier: GPL-3.0-or-later
// Administration commands of an installation:
//   mavor-admin initdb PATH   write a new delivered database (never overwrites)
//   mavor-admin gen ...       fill an existing database with generated data
//   mavor-admin backup / restore / check   see tools/AdminBackup.h
//   mavor-admin tree ...      print a user's navigation tree
//   mavor-admin find ...      the find box's matches for a query
//   mavor-admin sync ...      two-way sync with a CardDAV address book
//   mavor-admin stats ...     print the figures of a user's relationship view
#include "base/AppInfo.h"
#include "base/PrivateFiles.h"
#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/ServerAddress.h"
#include "tools/AdminBackup.h"
#include "tools/AdminExport.h"
#include "tools/AdminImport.h"
#include "tools/AdminServer.h"
#include "tools/AdminStats.h"
#include "tools/AdminSync.h"
#include "tools/AdminTeam.h"
#include "tools/FindCommand.h"
#include "tools/Generator.h"
#include "tools/TreeCommand.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

// The usage on the stream given; 2 for a command that was not understood.
int usage(QTextStream& err) {
    err << "用法:\n"
        << "  mavor-admin initdb PATH    新建一个初始数据库文件 (不覆盖已有文件)\n"
        << "  mavor-admin gen --contacts N --interactions M [--seed S] [--user CODE] PATH\n"
        << "                             向已有数据库写入生成的人脉与往来记录 (用于性能测量)\n"
        << "  mavor-admin tree --user NAME [--today YYYY-MM-DD] PATH\n"
        << "                             按该用户当天登录后看到的样子打印导航树 (含事务提醒)\n"
        << "  mavor-admin find --user NAME [--limit N] QUERY PATH\n"
        << "                             按查找框的顺序列出匹配的人脉 (拼音, 首字母, 汉字, 号码, "
           "邮箱)\n"
        << "  mavor-admin stats --user NAME [--scope mine|department|everyone] [--from D] [--to D] "
           "PATH\n"
        << "                             打印往来统计 (每月往来与收支, 类型, 前 20 名, 逾期人数);\n"
        << "                             日期写 YYYY-MM-DD, 默认今年 1 月 1 日至今天\n"
        << "  mavor-admin import --user NAME [--duplicates skip|merge|add] "
           "[--encoding utf8|gb18030] FILE PATH\n"
        << "                             导入 vCard 或 CSV 文件中的人脉 (重复的人默认跳过)\n"
        << "  mavor-admin export [--user NAME] [--format vcard|csv] [--encoding utf8|gb18030] "
           "PATH FILE\n"
        << "                             导出人脉到 vCard 或 CSV 文件\n"
        << "  mavor-admin sync --user NAME [--matches join|apart] [--book URL --login LOGIN] PATH\n"
        << "                             与 CardDAV 通讯录双向同步 (mavor.ini 的 [CardDav]; 用 "
           "--book\n"
        << "                             设置时密码取自环境变量 MAVOR_DAV_PASSWORD, 加密保存)\n"
        << "  mavor-admin backup PATH DEST   在线备份数据库 (程序运行时也可以)\n"
        << "  mavor-admin restore BACKUP PATH   检查备份后恢复 (有程序使用数据库时拒绝)\n"
        << "  mavor-admin check PATH     检查数据库, 一切正常时退出码为 0\n"
        << "  mavor-admin check --repair PATH  先重建各联系人的最近往来记录和导航树的人数, 再检查\n"
        << "团队模式 (资料在 PostgreSQL 服务器上):\n"
        << "  mavor-admin server --host HOST [--port PORT] --database NAME [--user ADMIN-LOGIN]\n"
        << "                     [--tls [--ca ROOT.crt] | --tls-insecure]\n"
        << "                             在 mavor.ini 的 [Server] 中设置服务器 (不保存密码)\n"
        << "  mavor-admin initdb --server   在服务器上空的数据库中建立表, 初始资料和团队的登录名\n"
        << "  mavor-admin team --server     给旧版本建立的服务器建立每个用户的登录名\n"
        << "  mavor-admin user add NAME --department DEP [--manager] PATH\n"
        << "  mavor-admin user rename NAME NEW-NAME PATH | user reset|drop NAME PATH\n"
        << "  mavor-admin user disable|enable NAME --server\n"
        << "                             增加, 改名, 重设密码, 删除, 停用或启用用户 (及其登录名)\n"
        << "  mavor-admin migrate FROM.tdb --server [--replace]\n"
        << "                             把整个数据库文件复制到服务器 (一个事务, 核对行数)\n"
        << "  mavor-admin upgrade --server  把服务器上的表升级到本程序的版本\n"
        << "  其他命令的 PATH 也可以写 --server (mavor.ini 中的服务器)\n"
        << "  mavor-admin --help | --version   显示本用法或版本\n";
    return 2;
}

int initdb(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1)
        return usage(err);
    if (ServerAddress::isLocation(args.first()))
        return admin::initServer(args.first(), out, err);
    QString error;
    if (!delivered::create(args.first(), &error)) {
        err << "initdb: " << error << "\n";
        return 1;
    }
    out << "initdb: " << args.first() << "\n";
    return 0;
}

int gen(QStringList args, QTextStream& out, QTextStream& err) {
    Generator::Options options;
    options.contacts = -1;
    options.interactions = -1;
    QString path;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (!arg.startsWith(u"--")) {
            if (!path.isEmpty())
                return usage(err);
            path = arg;
            continue;
        }
        bool ok = !args.isEmpty();
        const qint64 value = ok ? args.takeFirst().toLongLong(&ok) : 0;
        if (!ok || value < 0)
            return usage(err);
        if (arg == u"--contacts")
            options.contacts = value;
        else if (arg == u"--interactions")
            options.interactions = value;
        else if (arg == u"--seed")
            options.seed = quint64(value);
        else if (arg == u"--user")
            options.userCode = value;
        else
            return usage(err);
    }
    if (path.isEmpty() || options.contacts < 0 || options.interactions < 0)
        return usage(err);
    Database db;
    if (!db.open(path)) {
        err << "gen: " << db.lastError() << "\n";
        return 1;
    }
    Generator generator(db);
    Generator::Report report;
    if (!generator.run(options, &report)) {
        err << "gen: " << generator.error() << "\n";
        return 1;
    }
    out << "gen: " << path << "\n"
        << "  人脉 " << report.contacts << " (base/home/society/extend 各 " << report.contacts
        << " 行, 垃圾箱 " << report.trashed << ")\n"
        << "  文档 " << report.documents << "\n"
        << "  往来记录 " << report.interactions << " (下次安排 " << report.planned << ", 今天 "
        << report.plannedToday << ", 已过期 " << report.plannedPast << ")\n"
        << "  用时 " << report.milliseconds << " ms\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Databases, backups and exports hold every contact: for their owner only.
    privatefiles::ownerOnlyFromNowOn();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    // Asked-for help and the version go to standard output, and all is well.
    if (args.size() == 1 && (args.first() == u"--help" || args.first() == u"-h")) {
        usage(out);
        return 0;
    }
    if (args.size() == 1 && args.first() == u"--version") {
        out << "mavor-admin " << app::kVersion << "\n";
        return 0;
    }
    const QString command = args.takeFirst();
    QString serverError;
    if (!admin::resolveServer(args, &serverError)) {
        err << command << ": " << serverError << "\n";
        return 1;
    }
    if (command == u"initdb")
        return initdb(args, out, err);
    if (command == u"gen")
        return gen(args, out, err);
    if (command == u"backup")
        return admin::backup(args, out, err);
    if (command == u"restore")
        return admin::restore(args, out, err);
    if (command == u"check")
        return admin::check(args, out, err);
    if (command == u"tree")
        return treeCommand(args, out, err);
    if (command == u"find")
        return findCommand(args, out, err);
    if (command == u"stats")
        return adminStats(args, out, err);
    if (command == u"import")
        return adminImport(args, out, err);
    if (command == u"export")
        return adminExport(args, out, err);
    if (command == u"sync")
        return adminSync(args, out, err);
    if (command == u"server")
        return admin::serverSettings(args, out, err);
    if (command == u"migrate")
        return admin::migrate(args, out, err);
    if (command == u"upgrade")
        return admin::upgradeServer(args, out, err);
    if (command == u"team")
        return admin::setUpTeam(args, out, err);
    if (command == u"user")
        return admin::user(args, out, err);
    return usage(err);
}
