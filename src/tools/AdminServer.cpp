#include "tools/AdminServer.h"

#include "app/ProgramLayout.h"
#include "backup/OnlineBackup.h"
#include "backup/SqliteConnection.h"
#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/PgSchema.h"
#include "db/SchemaVersion.h"
#include "db/ServerAddress.h"
#include "server/SecretBox.h"
#include "server/ServerMigration.h"
#include "server/ServerSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace admin {

namespace {

int usage(QTextStream& err, const char* line) {
    err << "用法: mavor-admin " << line << "\n";
    return 2;
}

// One line of standard input, not shown on a terminal.
QString readPassword(QTextStream& err) {
    const bool terminal = isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        err << "服务器密码: " << Qt::flush;
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QTextStream in(stdin);
    const QString line = in.readLine();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        err << "\n";
    }
    return line;
}

bool openServer(Database& db, const QString& location, const char* command, QTextStream& err) {
    if (db.open(location))
        return true;
    err << command << ": 无法连接数据库服务器 " << location << ": " << db.lastError() << "\n";
    return false;
}

} // namespace

bool resolveServer(QStringList& args, QString* error) {
    const qsizetype at = args.indexOf(QStringLiteral("--server"));
    if (at < 0)
        return true;
    const QString ini = ProgramLayout::current().settingsPath();
    const ServerSettings::Reading reading = ServerSettings::read(ini);
    switch (reading.state) {
    case ServerSettings::State::Absent:
        *error = QStringLiteral("%1 中没有 [Server] 设置: 请先运行 mavor-admin server").arg(ini);
        return false;
    case ServerSettings::State::Invalid:
        *error = reading.error;
        return false;
    case ServerSettings::State::Ready:
        break;
    }
    args[at] = reading.address.location();
    // The connections of this command find it where every PostgreSQL tool looks.
    if (!reading.address.password.isEmpty())
        qputenv("PGPASSWORD", reading.address.password.toUtf8());
    return true;
}

int serverSettings(const QStringList& given, QTextStream& out, QTextStream& err) {
    const char* const line = "server --host HOST [--port PORT] --database NAME --user USER [--tls] "
                             "[--no-password]";
    ServerAddress address;
    bool askPassword = true;
    QStringList args = given;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--tls") {
            address.tls = true;
            continue;
        }
        if (arg == u"--no-password") {
            askPassword = false;
            continue;
        }
        if (args.isEmpty())
            return usage(err, line);
        const QString value = args.takeFirst();
        if (arg == u"--host") {
            address.host = value;
        } else if (arg == u"--port") {
            bool ok = false;
            address.port = value.toInt(&ok);
            if (!ok || address.port <= 0 || address.port > 65535)
                return usage(err, line);
        } else if (arg == u"--database") {
            address.database = value;
        } else if (arg == u"--user") {
            address.user = value;
        } else {
            return usage(err, line);
        }
    }
    if (address.database.isEmpty() || address.user.isEmpty())
        return usage(err, line);
    if (askPassword)
        address.password = readPassword(err);
    const QString ini = ProgramLayout::current().settingsPath();
    QString error;
    if (!ServerSettings::write(ini, address, SecretBox::defaultKeyPath(), &error)) {
        err << "server: " << error << "\n";
        return 1;
    }
    out << "server: " << ini << " [Server] " << address.shown()
        << (address.password.isEmpty()
                ? QString()
                : QStringLiteral(", 密码已加密保存 (密钥 %1)").arg(SecretBox::defaultKeyPath()))
        << "\n";
    Database db;
    if (!db.openServer(address)) {
        err << "server: 设置已保存, 但现在无法连接服务器: " << db.lastError() << "\n";
        return 1;
    }
    const int version = schema::versionOf(db);
    out << "server: 连接成功, "
        << (version == 0 ? QStringLiteral("数据库是空的 (下一步: mavor-admin initdb --server)")
                         : QStringLiteral("数据库是第 %1 版").arg(version))
        << "\n";
    return 0;
}

int initServer(const QString& location, QTextStream& out, QTextStream& err) {
    Database db;
    if (!openServer(db, location, "initdb", err))
        return 1;
    QString error;
    if (!pgschema::create(db, &error)) {
        err << "initdb: " << error << "\n";
        return 1;
    }
    out << "initdb: " << db.server().shown() << " (第 " << schema::current() << " 版)\n";
    return 0;
}

int migrate(const QStringList& given, QTextStream& out, QTextStream& err) {
    const char* const line = "migrate FROM.tdb --server [--replace]";
    QString from;
    QString location;
    bool replace = false;
    for (const QString& arg : given) {
        if (arg == u"--replace")
            replace = true;
        else if (ServerAddress::isLocation(arg) && location.isEmpty())
            location = arg;
        else if (!arg.startsWith(u"--") && from.isEmpty())
            from = arg;
        else
            return usage(err, line);
    }
    if (from.isEmpty() || location.isEmpty())
        return usage(err, line);

    Database file;
    if (!file.open(from)) {
        err << "migrate: " << from << ": " << file.lastError() << "\n";
        return 1;
    }
    // An older file moves as this program would read it: upgraded, on a copy.
    QTemporaryDir scratch;
    const int version = schema::versionOf(file);
    if (version > schema::current()) {
        err << "migrate: " << from << " 是第 " << version << " 版, 本程序只认识第 "
            << schema::current() << " 版及以前的数据库\n";
        return 1;
    }
    if (version >= 0 && version < schema::current()) {
        const QString copy = scratch.filePath(QStringLiteral("upgraded.tdb"));
        QString error;
        if (!scratch.isValid() || !OnlineBackup::toFile(file.fileHandle(), copy, &error) ||
            !delivered::upgradeFile(copy, &error) || !file.open(copy)) {
            err << "migrate: 无法升级 " << from << " 的副本: " << error << file.lastError() << "\n";
            return 1;
        }
        out << "migrate: " << from << " 是第 " << version << " 版, 已在副本上升级到第 "
            << schema::current() << " 版\n";
    }
    Database server;
    if (!openServer(server, location, "migrate", err))
        return 1;
    const ServerMigration::Result result = ServerMigration::run(file, server, replace);
    if (!result.ok) {
        err << "migrate: " << result.error << "\n";
        return 1;
    }
    if (!result.replaced.isEmpty()) {
        QStringList held;
        for (const auto& table : result.replaced)
            held << QStringLiteral("%1 %2 行").arg(table.first).arg(table.second);
        out << "migrate: 服务器上原有的资料已被替换: " << held.join(QStringLiteral(", "))
            << " (服务器的登录角色不变)\n";
    }
    if (result.passwordsCleared)
        out << "migrate: userlogin 中的密码没有复制到服务器: "
               "在服务器上由各人自己的登录名和密码验证\n";
    qint64 total = 0;
    for (const auto& table : result.rows) {
        out << "  " << table.first << ": " << table.second << " 行\n";
        total += table.second;
    }
    out << "migrate: " << from << " -> " << server.server().shown() << ", " << result.rows.size()
        << " 个表 " << total << " 行, 两边行数一致, 已提交 (" << result.milliseconds << " ms)\n";
    return 0;
}

int upgradeServer(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1 || !ServerAddress::isLocation(args.first()))
        return usage(err, "upgrade --server");
    Database db;
    if (!openServer(db, args.first(), "upgrade", err))
        return 1;
    const int version = schema::versionOf(db);
    if (version == 0) {
        err << "upgrade: 服务器上的数据库还没有建立: 请先运行 mavor-admin initdb --server\n";
        return 1;
    }
    if (version > schema::current()) {
        err << "upgrade: 服务器上的数据库是第 " << version << " 版, 比本程序 (第 "
            << schema::current() << " 版) 新\n";
        return 1;
    }
    QString error;
    // A newer program may call functions an older one did not create.
    if (!pgschema::ensureSupport(db, &error) || !schema::upgrade(db, schema::steps(), &error)) {
        err << "upgrade: " << error << "\n";
        return 1;
    }
    out << "upgrade: " << db.server().shown() << " 第 " << version << " 版 -> 第 "
        << schema::current() << " 版\n";
    return 0;
}

} // namespace admin
