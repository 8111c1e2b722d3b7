// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One queued message as the gateway gets it.
struct OutgoingSms {
    qint64 code = 0;
    QString mobile;
    QString name;
    QString content;
};

// One received message as the gateway reports it; empty date or time means "now".
struct IncomingSms {
    QString mobile;
    QString date;
    QString time;
    QString content;
};

// The gateway of the SMS sender: outside commands, run without a shell. The
// send command runs once per message with its placeholders filled and the text
// on its standard input; exit code 0 means sent. The receive command prints
// one received message per line.
class SmsGateway {
  public:
    SmsGateway(const QString& sendCommand, const QString& receiveCommand, int timeoutMs)
        : sendCommand_(sendCommand), receiveCommand_(receiveCommand), timeoutMs_(timeoutMs) {}

    // Sends one message; detail says what the command reported or why it failed.
    bool send(const OutgoingSms& sms, QString* detail);
    // Runs the receive command; nothing to do when none is set.
    bool receive(QList<IncomingSms>* messages, QString* error);

    // The command's program and arguments with {mobile}, {text}, {name} and
    // {code} filled in each argument; empty when the command is empty.
    static QStringList commandLine(const QString& command, const OutgoingSms& sms);
    // Why a filled command line must not run: an argument that begins with
    // "-" only because of a value (a name or text that reads like an option,
    // where no "--" came before it), or a placeholder in the program's name.
    // Empty when it may run.
    static QString optionFromValue(const QString& command, const QStringList& line);
    // A number a gateway may be given: digits with an optional leading "+",
    // blanks and hyphens dropped; empty when the text is no such number.
    static QString dialable(const QString& mobile);
    // One line of the receive command: "mobile<TAB>date<TAB>time<TAB>text",
    // "\n", "\t" and "\\" written escaped in the text.
    static std::optional<IncomingSms> parseLine(const QString& line);
    static QString escaped(const QString& text);

  private:
    QString sendCommand_;
    QString receiveCommand_;
    int timeoutMs_;
};
