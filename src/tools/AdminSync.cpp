// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminSync.h"

#include "base/Clock.h"
#include "base/ProgramLayout.h"
#include "carddav/CardDavClient.h"
#include "carddav/SyncAccount.h"
#include "carddav/SyncEngine.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/ServerAddress.h"
#include "featureapi/Session.h"
#include "server/SecretBox.h"
#include "tools/AdminSchema.h"
#include "tools/StderrPrompter.h"

#include <QFileInfo>
#include <QTextStream>

using namespace carddav;

namespace {

int usage(QTextStream& err) {
    err << "用法: mavor-admin sync --user NAME [--matches join|apart] "
           "[--book URL --login LOGIN] PATH\n";
    return 2;
}

} // namespace

int adminSync(QStringList args, QTextStream& out, QTextStream& err) {
    QHash<QString, QString> options;
    QStringList paths;
    if (!adminschema::splitOptions(args,
                                   {QStringLiteral("--user"), QStringLiteral("--matches"),
                                    QStringLiteral("--book"), QStringLiteral("--login")},
                                   &options, &paths) ||
        paths.size() != 1)
        return usage(err);
    const QString user = options.value(QStringLiteral("--user"));
    const QString matches = options.value(QStringLiteral("--matches"), QStringLiteral("join"));
    if (user.isEmpty() || (matches != u"join" && matches != u"apart") ||
        options.contains(QStringLiteral("--book")) != options.contains(QStringLiteral("--login")))
        return usage(err);
    const QString path = paths.first();
    const QString ini = ServerAddress::isLocation(path)
                            ? ProgramLayout::current().settingsPath()
                            : QFileInfo(path).absolutePath() + QStringLiteral("/mavor.ini");
    const QString keyPath = SecretBox::defaultKeyPath();
    QString error;
    SyncAccount account;
    if (options.contains(QStringLiteral("--book"))) {
        account.book = QUrl(options.value(QStringLiteral("--book")));
        account.user = options.value(QStringLiteral("--login"));
        account.password = qEnvironmentVariable("MAVOR_DAV_PASSWORD");
        if (!account.book.isValid() || !account.book.scheme().startsWith(u"http")) {
            err << "sync: " << options.value(QStringLiteral("--book"))
                << " 不是 http:// 或 https:// 地址\n";
            return 1;
        }
        if (!SyncAccount::write(ini, keyPath, account, &error)) {
            err << "sync: " << error << "\n";
            return 1;
        }
    } else if (!SyncAccount::read(ini, keyPath, &account, &error)) {
        err << "sync: " << error << "\n";
        return 1;
    }
    if (!account.isSet()) {
        err << "sync: " << ini
            << " 中没有通讯录同步的设置: 请在程序中设置, 或加上 --book 和 --login\n";
        return 1;
    }

    StderrPrompter prompter;
    Database db(&prompter);
    if (!adminschema::openCurrent(db, path, "sync", err))
        return 1;
    Lookups lookups(db);
    Session session;
    session.userCode = lookups.userCode(user);
    if (session.userCode < 0) {
        err << "sync: 用户“" << user << "”不存在\n";
        return 1;
    }
    session.departmentCode = lookups.departmentOfUser(session.userCode);
    SystemClock clock;
    CardDavClient client(account.connection());
    SyncEngine engine(db, prompter, session, clock, client, account.book, account.user);
    const SyncReport r = engine.run([&](const QList<ProposedMatch>& proposed) {
        for (const ProposedMatch& m : proposed)
            out << (matches == u"join" ? "  配对: " : "  未配对: ") << m.localName << " = "
                << m.remoteName << " (" << m.href << ")\n";
        return QList<bool>(proposed.size(), matches == u"join");
    });
    if (!r.error.isEmpty()) {
        err << "sync: " << r.error << " (已完成的部分已保存, 下次同步会接着做)\n";
        return 1;
    }
    out << "sync: " << account.book.toString() << "\n  " << r.summary() << "\n";
    for (const QString& note : r.notes)
        out << "  未能读取: " << note << "\n";
    if (r.conflicts > 0)
        out << "  " << r.conflicts << " 位人脉在两边都有修改: 本地的保留, 服务器上的版本请在程序的"
            << "“通讯录同步”中合并\n";
    return 0;
}
