// Administration commands of an installation:
//   mavor-admin initdb PATH   write a new delivered database (never overwrites)
#include "db/DeliveredDatabase.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

int usage(QTextStream& err) {
    err << "用法:\n"
        << "  mavor-admin initdb PATH    新建一个初始数据库文件 (不覆盖已有文件)\n";
    return 2;
}

int initdb(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1)
        return usage(err);
    QString error;
    if (!delivered::create(args.first(), &error)) {
        err << "initdb: " << error << "\n";
        return 1;
    }
    out << "initdb: " << args.first() << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    const QString command = args.takeFirst();
    if (command == u"initdb")
        return initdb(args, out, err);
    return usage(err);
}
