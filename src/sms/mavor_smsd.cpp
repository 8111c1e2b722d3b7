// SPDX-License-Identifier: GPL-3.0-or-later
// The SMS sender that shares the program's database:
//   mavor-smsd [--config FILE] [--once]
// Every round sends the waiting rows of smssend through the gateway command of
// its settings file and stores what the gateway received in smsrecv. Any
// number of senders may share one database (SmsSender.h).
#include "base/Clock.h"
#include "base/PrivateFiles.h"
#include "base/ProgramDirectory.h"
#include "db/Database.h"
#include "sms/SmsGateway.h"
#include "sms/SmsSender.h"
#include "sms/SmsdConfig.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <csignal>

namespace {

std::atomic_bool stopRequested{false};

void requestStop(int) {
    stopRequested.store(true);
}

int usage(QTextStream& err) {
    err << "用法: mavor-smsd [--config 设置文件] [--once]\n"
        << "  --config  设置文件, 默认为程序目录中的 mavor-smsd.ini (没有时写出一个模板)\n"
        << "  --once    只运行一轮 (发送待发短信、接收短信) 后退出\n";
    return 2;
}

// One round on its own connection, closed afterwards, so that the database
// is free between rounds (a restore waits for no one).
bool runRound(const SmsdConfig& config, const Clock& clock, QTextStream& out, QTextStream& err) {
    Database db;
    if (!db.open(config.databasePath)) {
        err << "mavor-smsd: " << db.lastError() << "\n";
        err.flush();
        return false;
    }
    SmsGateway gateway(config.sendCommand, config.receiveCommand, config.timeoutSeconds * 1000);
    SmsSender sender(db, gateway, clock, [&out, &clock](const QString& line) {
        out << clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) << line << "\n";
        out.flush();
    });
    return sender.runOnce().ok;
}

} // namespace

int main(int argc, char** argv) {
    // Its lock, logs and settings hold the user's data: for their owner only.
    privatefiles::ownerOnlyFromNowOn();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString configPath;
    bool once = false;
    QStringList args = app.arguments().mid(1);
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--once")
            once = true;
        else if (arg == u"--config" && !args.isEmpty())
            configPath = args.takeFirst();
        else
            return usage(err);
    }
    const QString programDir = programDirectory();
    if (configPath.isEmpty())
        configPath = programDir + u'/' + SmsdConfig::kFileName;
    if (!QFileInfo::exists(configPath)) {
        QString why;
        if (!SmsdConfig::writeTemplate(configPath, &why)) {
            err << "mavor-smsd: 没有设置文件, 也无法写出设置模板 " << configPath << ": " << why
                << "\n";
            return 1;
        }
        err << "mavor-smsd: 没有设置文件, 已写出设置模板 " << configPath
            << " (只有您本人可读写), 请设置其中的 Database 与 SendCommand 后再启动\n";
        return 1;
    }
    QString error;
    const std::optional<SmsdConfig> config = SmsdConfig::read(configPath, programDir, &error);
    if (!config) {
        err << "mavor-smsd: " << error << "\n";
        return 1;
    }

    // One daemon per settings file, so that a second start of the same one is
    // noticed. Sending each message once does not rest on it: senders with
    // other settings, on this machine or another, claim each row in the
    // database before they send it.
    QLockFile lock(configPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        err << "mavor-smsd: 已有一个 mavor-smsd 使用 " << configPath << "\n";
        return 1;
    }

    SystemClock clock;
    if (once)
        return runRound(*config, clock, out, err) ? 0 : 1;

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    out << "mavor-smsd: " << config->databasePath << ", 每 " << config->intervalSeconds
        << " 秒一轮\n";
    out.flush();
    while (!stopRequested.load()) {
        runRound(*config, clock, out, err);
        for (int waited = 0; waited < config->intervalSeconds * 10 && !stopRequested.load();
             ++waited)
            QThread::msleep(100);
    }
    return 0;
}
