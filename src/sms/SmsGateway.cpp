// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsGateway.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

// Runs a command line; false with a reason when it could not start or did
// not finish in time (it is killed then).
bool runCommand(const QStringList& line, const QByteArray& input, int timeoutMs, QProcess& process,
                QString* reason) {
    process.start(line.first(), line.mid(1));
    if (!process.waitForStarted(timeoutMs)) {
        *reason = QStringLiteral("无法启动 %1: %2").arg(line.first(), process.errorString());
        return false;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        *reason = QStringLiteral("%1 超时").arg(line.first());
        return false;
    }
    return true;
}

QString unescaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        out += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
    }
    return out;
}

} // namespace

QStringList SmsGateway::commandLine(const QString& command, const OutgoingSms& sms) {
    static const QRegularExpression placeholder(QStringLiteral(R"(\{(mobile|name|code|text)\})"));
    QStringList line = QProcess::splitCommand(command);
    for (QString& argument : line) {
        // One pass, so a value that reads like a placeholder stays as it is.
        QString filled;
        qsizetype from = 0;
        for (const auto& match : placeholder.globalMatch(argument)) {
            filled += argument.mid(from, match.capturedStart() - from);
            const QString name = match.captured(1);
            filled += name == u"mobile" ? sms.mobile
                      : name == u"name" ? sms.name
                      : name == u"code" ? QString::number(sms.code)
                                        : sms.content;
            from = match.capturedEnd();
        }
        filled += argument.mid(from);
        argument = filled;
    }
    return line;
}

QString SmsGateway::optionFromValue(const QString& command, const QStringList& line) {
    const QStringList shape = QProcess::splitCommand(command);
    if (shape.size() != line.size())
        return QStringLiteral("发送命令无法解析");
    if (line.first() != shape.first())
        return QStringLiteral("发送命令的程序名中不能有 {mobile} {text} {name} {code}");
    for (qsizetype i = 1; i < line.size(); ++i) {
        // After "--" the program reads no more options.
        if (shape.at(i) == u"--")
            break;
        if (line.at(i).startsWith(u'-') && !shape.at(i).startsWith(u'-'))
            return QStringLiteral("第 %1 个参数 \"%2\" 以 \"-\" 开头, 网关程序会把它当作选项; "
                                  "请在发送命令中写成 --text={text} 的形式或在前面加 --")
                .arg(i)
                .arg(line.at(i).left(40));
    }
    return {};
}

QString SmsGateway::dialable(const QString& mobile) {
    static const QRegularExpression pattern(QStringLiteral(R"(^\+?[0-9]{3,20}$)"));
    QString number = mobile;
    number.remove(u' ').remove(u'-');
    return pattern.match(number).hasMatch() ? number : QString();
}

bool SmsGateway::send(const OutgoingSms& sms, QString* detail) {
    OutgoingSms checked = sms;
    checked.mobile = dialable(sms.mobile);
    // Anything else could reach the gateway as one of its options.
    if (checked.mobile.isEmpty()) {
        *detail = QStringLiteral("手机号无效: %1").arg(sms.mobile);
        return false;
    }
    const QStringList line = commandLine(sendCommand_, checked);
    if (line.isEmpty()) {
        *detail = QStringLiteral("没有设置发送命令");
        return false;
    }
    const QString option = optionFromValue(sendCommand_, line);
    if (!option.isEmpty()) {
        *detail = option;
        return false;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!runCommand(line, sms.content.toUtf8(), timeoutMs_, process, detail))
        return false;
    *detail = QString::fromUtf8(process.readAll()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString code = QStringLiteral("退出码 %1").arg(process.exitCode());
        *detail = detail->isEmpty() ? code : code + QStringLiteral(": ") + *detail;
        return false;
    }
    return true;
}

bool SmsGateway::receive(QList<IncomingSms>* messages, QString* error) {
    const QStringList line = QProcess::splitCommand(receiveCommand_);
    if (line.isEmpty())
        return true;
    QProcess process;
    if (!runCommand(line, QByteArray(), timeoutMs_, process, error))
        return false;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QStringLiteral("%1 退出码 %2: %3")
                     .arg(line.first())
                     .arg(process.exitCode())
                     .arg(QString::fromUtf8(process.readAllStandardError()).trimmed());
        return false;
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& text : output.split(u'\n', Qt::SkipEmptyParts)) {
        QString trimmed = text;
        if (trimmed.endsWith(u'\r'))
            trimmed.chop(1);
        if (const auto sms = parseLine(trimmed))
            messages->append(*sms);
        else if (error)
            *error += QStringLiteral("无法识别的一行: %1\n").arg(trimmed);
    }
    return true;
}

std::optional<IncomingSms> SmsGateway::parseLine(const QString& line) {
    const QStringList fields = line.split(u'\t');
    if (fields.size() != 4)
        return std::nullopt;
    static const QRegularExpression date(QStringLiteral(R"(^(\d{4}-\d{2}-\d{2})?$)"));
    static const QRegularExpression time(QStringLiteral(R"(^(\d{2}:\d{2}:\d{2})?$)"));
    IncomingSms sms;
    sms.mobile = fields.at(0).trimmed();
    sms.date = fields.at(1).trimmed();
    sms.time = fields.at(2).trimmed();
    sms.content = unescaped(fields.at(3));
    if (sms.mobile.isEmpty() || !date.match(sms.date).hasMatch() ||
        !time.match(sms.time).hasMatch())
        return std::nullopt;
    return sms;
}

QString SmsGateway::escaped(const QString& text) {
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"));
    return out;
}
