// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminServer.h"

#include "backup/OnlineBackup.h"
#include "backup/SqliteConnection.h"
#include "base/ProgramLayout.h"
#include "db/Database.h"
#include "db/DeliveredDatabase.h"
#include "db/PgSchema.h"
#include "db/SchemaVersion.h"
#include "db/ServerAddress.h"
#include "quickfind/FindKeys.h"
#include "server/ServerMigration.h"
#include "server/ServerSettings.h"
#include "server/TeamRoles.h"

#include <QFile>
#include <QFileInfo>
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
QString readPassword(QTextStream& err, const QString& login) {
    const bool terminal = isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        err << login << " 的服务器密码: " << Qt::flush;
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
    ServerAddress address = reading.address;
    // The administrator's maintenance signs in as the administrator's own
    // role unless the section names another login.
    if (address.user.isEmpty())
        address.user = team::personRole(address.database, QStringLiteral("admin"));
    args[at] = address.location();
    // The connections of this command find the password where every
    // PostgreSQL tool looks: PGPASSWORD, ~/.pgpass, or asked for here.
    QString password = address.password;
    if (password.isEmpty() && qEnvironmentVariableIsEmpty("PGPASSWORD") && isatty(STDIN_FILENO)) {
        QTextStream err(stderr);
        password = readPassword(err, address.user);
    }
    if (!password.isEmpty())
        qputenv("PGPASSWORD", password.toUtf8());
    return true;
}

int serverSettings(const QStringList& given, QTextStream& out, QTextStream& err) {
    const char* const line =
        "server --host HOST [--port PORT] --database NAME [--user ADMIN-LOGIN] "
        "[--tls [--ca ROOT.crt] | --tls-insecure]";
    ServerAddress address;
    QStringList args = given;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--tls") {
            address.tls = true;
            continue;
        }
        if (arg == u"--tls-insecure") {
            address.tls = true;
            address.tlsInsecure = true;
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
        } else if (arg == u"--ca") {
            address.caFile = QFileInfo(value).absoluteFilePath();
            address.tls = true;
        } else {
            return usage(err, line);
        }
    }
    if (address.database.isEmpty())
        return usage(err, line);
    if (address.tlsInsecure && !address.caFile.isEmpty())
        return usage(err, line);
    if (!address.caFile.isEmpty() && !QFileInfo(address.caFile).isReadable()) {
        err << "server: 无法读取根证书 " << address.caFile << "\n";
        return 1;
    }
    const QString ini = ProgramLayout::current().settingsPath();
    QString error;
    // No password goes into the file: each person signs in as themselves.
    if (!ServerSettings::write(ini, address, &error)) {
        err << "server: " << error << "\n";
        return 1;
    }
    out << "server: " << ini << " [Server] " << address.described() << "\n"
        << "server: 每个人在登录窗口用自己的用户名和密码登录服务器; 文件中不保存密码\n";
    if (address.tlsInsecure)
        out << "server: 注意: --tls-insecure 不验证服务器证书, 无法识别冒充的服务器\n";
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
    // The team's roles: the administrator's first password is shown once.
    const QString adminPassword = team::generatePassword();
    const QString adminRole = team::personRole(db.server().database, QStringLiteral("admin"));
    const bool hadAdmin = team::roleExists(db, adminRole);
    if (!db.executeQuietly(db.beginStatement()) ||
        !team::setUp(db, adminPassword, nullptr, &error) || !db.executeQuietly("COMMIT")) {
        db.rollback();
        err << "initdb: 表已建立, 但无法建立团队的登录名: " << error << db.lastError() << "\n"
            << "initdb: 请让服务器的管理员给这个登录名 CREATEROLE 权限 (或用超级用户), "
               "再运行 mavor-admin team\n";
        return 1;
    }
    out << "initdb: 用户密码不保存在服务器的表中, 每个人以自己的登录名登录服务器\n";
    if (hadAdmin)
        out << "initdb: 管理员的登录名 " << adminRole << " 已经存在, 密码没有改变\n";
    else
        out << "initdb: 管理员 admin 的登录名 " << adminRole << ", 初始密码 " << adminPassword
            << " (只显示这一次, 请在登录后修改)\n";
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
    for (const team::Person& person : result.people)
        out << "  " << person.name << "  登录名 "
            << team::personRole(server.server().database, person.name) << "  初始密码 "
            << person.password << "\n";
    if (!result.people.isEmpty())
        out << "migrate: " << result.people.size()
            << " 个新登录名; 初始密码只显示这一次, 请分别告诉各人并请他们登录后修改\n";
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
    // The upgrade renews the program's functions on the server in its
    // transaction too: a newer program may call functions an older one did
    // not create, or create them anew.
    const auto keys = [](Database& d, QString* failure) {
        return quickfind::findkeys::fillMissing(d, failure, true) >= 0;
    };
    if (!schema::upgrade(db, schema::steps(), &error, keys)) {
        err << "upgrade: " << error << "\n";
        return 1;
    }
    // Tables a step added are the members' to use too.
    if (team::roleExists(db, team::membersRole(db.server().database)) &&
        !team::grantMemberRights(db, &error)) {
        err << "upgrade: 已升级, 但无法给成员授权: " << error << "\n";
        return 1;
    }
    // A step may have added tables or indexes the planner knows nothing of yet.
    if (!pgschema::analyze(db, &error)) {
        err << "upgrade: 已升级, 但无法更新统计信息 (ANALYZE): " << error << "\n";
        return 1;
    }
    out << "upgrade: " << db.server().shown() << " 第 " << version << " 版 -> 第 "
        << schema::current() << " 版\n";
    return 0;
}

} // namespace admin
