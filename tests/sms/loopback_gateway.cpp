// SPDX-License-Identifier: GPL-3.0-or-later
// A gateway for the tests that sends nothing anywhere:
//   loopback_gateway send DIR MOBILE   records the text (from standard input) in
//                                      DIR/sent.txt and answers it: a reply from
//                                      MOBILE waits in DIR/inbox.txt; a number
//                                      starting with 000 is refused (exit code 3);
//                                      while DIR/hold is there, it waits after
//                                      recording (at most 30 s)
//   loopback_gateway receive DIR       prints DIR/inbox.txt and empties it
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QThread>

namespace {

QString escape(QString text) {
    return text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"));
}

bool append(const QString& path, const QString& line) {
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(line.toUtf8()) > 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args.at(0) == u"send") {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly))
            return 2;
        const QString text = QString::fromUtf8(input.readAll());
        const QString& dir = args.at(1);
        const QString& mobile = args.at(2);
        append(dir + QStringLiteral("/sent.txt"), mobile + u'\t' + escape(text) + u'\n');
        QElapsedTimer held;
        held.start();
        while (QFile::exists(dir + QStringLiteral("/hold")) && held.elapsed() < 30000)
            QThread::msleep(5);
        if (mobile.startsWith(QStringLiteral("000"))) {
            QTextStream(stderr) << "rejected\n";
            return 3;
        }
        return append(dir + QStringLiteral("/inbox.txt"),
                      mobile + QStringLiteral("\t\t\t回复:") + escape(text) + u'\n')
                   ? 0
                   : 2;
    }
    if (args.size() == 2 && args.at(0) == u"receive") {
        QFile inbox(args.at(1) + QStringLiteral("/inbox.txt"));
        if (!inbox.exists())
            return 0;
        if (!inbox.open(QIODevice::ReadWrite))
            return 2;
        QFile out;
        out.open(stdout, QIODevice::WriteOnly);
        out.write(inbox.readAll());
        out.flush();
        inbox.resize(0);
        return 0;
    }
    return 2;
}
