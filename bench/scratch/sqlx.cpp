// scratch: time statements through the program's connection
#include "db/Database.h"
#include "db/Statement.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <ctime>
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    Database db;
    if (!db.open(app.arguments()[1])) { out << db.lastError() << "\n"; return 1; }
    QFile f(app.arguments()[2]);
    f.open(QIODevice::ReadOnly);
    const QStringList stmts = QString::fromUtf8(f.readAll()).split(QStringLiteral(";;\n"), Qt::SkipEmptyParts);
    const int repeat = app.arguments().size() > 3 ? app.arguments()[3].toInt() : 3;
    for (QString s : stmts) {
        s = s.trimmed();
        if (s.isEmpty()) continue;
        const bool plan = s.startsWith("plan ");
        if (plan) s = s.mid(5);
        out << "== " << s.left(150).replace('\n',' ') << "\n";
        if (plan) {
            QSqlQuery q(db.connection());
            q.exec("explain query plan " + sql::withNameOrder(s));
            while (q.next()) out << "   " << q.value(1).toString() << " " << q.value(3).toString() << "\n";
        }
        QList<double> w, c;
        qint64 rows = 0; QString first;
        for (int i = 0; i < repeat; ++i) {
            QElapsedTimer t; t.start(); std::clock_t c0 = std::clock();
            QSqlQuery q(db.connection()); q.setForwardOnly(true);
            if (!q.exec(sql::withNameOrder(s))) { out << "ERR " << q.lastError().text() << "\n"; break; }
            rows = 0; int cols = -1;
            while (q.next()) { if (cols < 0) cols = q.record().count(); if (rows == 0) first = q.value(0).toString(); ++rows; for (int k=0;k<cols;++k) q.value(k).toString(); }
            w << t.nsecsElapsed()/1e6; c << double(std::clock()-c0)*1000/CLOCKS_PER_SEC;
        }
        std::sort(w.begin(), w.end()); std::sort(c.begin(), c.end());
        if (!w.isEmpty()) out << QString("   rows %1 first %2  wall %3 ms cpu %4 ms\n").arg(rows).arg(first).arg(w[w.size()/2],0,'f',1).arg(c[c.size()/2],0,'f',1);
        out.flush();
    }
}
