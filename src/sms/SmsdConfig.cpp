// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsdConfig.h"

#include "base/AppInfo.h"
#include "base/PrivateFiles.h"
#include "base/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

std::optional<SmsdConfig> SmsdConfig::read(const QString& path, const QString& programDir,
                                           QString* error) {
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("找不到设置文件 %1").arg(path);
        return std::nullopt;
    }
    const Settings settings(path);
    SmsdConfig config;
    config.databasePath = settings.value(QStringLiteral("Database"));
    if (config.databasePath.isEmpty())
        config.databasePath = programDir + u'/' + app::kDatabaseFile;
    config.sendCommand = settings.value(QStringLiteral("SendCommand"));
    config.receiveCommand = settings.value(QStringLiteral("ReceiveCommand"));
    bool ok = false;
    const int interval = settings.value(QStringLiteral("Interval")).toInt(&ok);
    if (ok && interval > 0)
        config.intervalSeconds = interval;
    const int timeout = settings.value(QStringLiteral("Timeout")).toInt(&ok);
    if (ok && timeout > 0)
        config.timeoutSeconds = timeout;
    if (config.sendCommand.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 中没有设置 SendCommand").arg(path);
        return std::nullopt;
    }
    return config;
}

QByteArray SmsdConfig::templateContent() {
    return QByteArrayLiteral(
        "; mavor-smsd 的设置。修改后重新启动 mavor-smsd。\n"
        "[Settings]\n"
        "; 数据库文件; 留空为本目录中的 mavor.tdb\n"
        "Database=\n"
        "; 发送命令: 每条短信运行一次 (不经过 shell)。参数中的 {mobile} {text} {name} {code}\n"
        "; 换成手机号、短信内容、姓名和短信编号; 短信内容同时从标准输入送入 (UTF-8)。\n"
        "; 退出码 0 为发送成功, 其它为发送失败。例如:\n"
        ";   SendCommand=gammu-smsd-inject TEXT {mobile} -unicode\n"
        ";   SendCommand=curl -fsS --data-urlencode to={mobile} --data-urlencode text={text} "
        "https://sms.example.com/send\n"
        "SendCommand=\n"
        "; 接收命令: 每轮运行一次, 每行输出一条收到的短信:\n"
        ";   手机号<Tab>日期 YYYY-MM-DD<Tab>时间 HH:MM:SS<Tab>内容\n"
        "; 日期、时间可以为空 (取收到的时刻); 内容中的换行写作 \\n, 反斜杠写作 \\\\。\n"
        "; 每条短信只输出一次。留空则不接收。\n"
        "ReceiveCommand=\n"
        "; 两轮之间的秒数\n"
        "Interval=30\n"
        "; 一条命令最多运行的秒数\n"
        "Timeout=60\n");
}

bool SmsdConfig::writeTemplate(const QString& path, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("无法建立目录 %1").arg(folder));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(file.errorString());
    const QByteArray content = templateContent();
    if (!privatefiles::restrict(file) || file.write(content) != content.size())
        return fail(file.errorString());
    return true;
}
