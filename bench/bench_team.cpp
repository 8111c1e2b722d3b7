// SPDX-License-Identifier: GPL-3.0-or-later
// Several machines on one database: N processes, each on its own connection,
// run a share of M mixed operations (new contacts, edits of contacts saved
// whole with the check for a save made meanwhile, interactions, counts and
// list reads); then the rows are counted. Nothing may be lost and no message
// may have been shown.
//
//   bench_team [--processes 3] [--operations 10000] [--seed 1] DATABASE
//
// DATABASE: a file made by mavor-admin initdb, or a server location
// (postgresql://user@host/database, password from PGPASSWORD).
#include "BenchTiming.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "featureapi/Session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>

namespace {

// Counts what would have been shown; answers every question with yes.
class CountingPrompter : public Prompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon) override {
        ++shown;
        if (shown <= 3)
            std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    bool ask(const QString&, const QString&) override { return true; }
    std::unique_ptr<ProgressHandle> beginProgress() override { return nullptr; }
    int shown = 0;
};

class WallClock : public Clock {
  public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

const QString kAddInteraction = QStringLiteral(
    "insert into comm(comm_base_code,comm_year,comm_month,comm_day,comm_date,comm_content) "
    "values(%ld,'%s','%s','%s','%s','%s')");
const QString kStamp =
    QStringLiteral("update base set base_lastmodi_date='%s' where base_code=%ld");
const QString kLiveCount =
    QStringLiteral("select count(*) from base where base_invalid_flag=1 and base_user_code=%ld");
const QString kListPage =
    QStringLiteral("select base_code,base_name,work_name from base where base_invalid_flag=1 "
                   "order by base_lastmodi_date DESC limit 50");

struct Tally {
    qint64 added = 0, saved = 0, refused = 0, interactions = 0, reads = 0;
};

int worker(const QString& location, int index, int operations, quint32 seed) {
    CountingPrompter prompter;
    Database db(&prompter);
    if (!db.open(location)) {
        std::fprintf(stderr, "worker %d: %s\n", index, qPrintable(db.lastError()));
        return 1;
    }
    WallClock clock;
    ContactStore store(db, prompter);
    QRandomGenerator random(seed + quint32(index));
    const Session session{1, 1};
    Tally tally;
    QList<qint64> mine;
    for (int op = 0; op < operations; ++op) {
        const int kind = int(random.bounded(100));
        if (kind < 30 || mine.isEmpty()) {
            ContactRecord record;
            record.setValue(QStringLiteral("base_name"),
                            QStringLiteral("队员%1-%2").arg(index).arg(op));
            record.setValue(QStringLiteral("base_mobil"),
                            QStringLiteral("139%1").arg(index * 10000000 + op, 8, 10, QChar(u'0')));
            const qint64 code = store.insertNew(record, session, clock);
            if (code > 0) {
                mine << code;
                ++tally.added;
            }
        } else if (kind < 55) {
            // Any contact, also one another process may be saving right now.
            const qint64 code = kind < 45 ? mine.at(random.bounded(int(mine.size())))
                                          : db.count("select max(base_code) from base");
            const ContactLoad load = store.load(code, 1);
            if (!load.complete)
                continue;
            ContactRecord record = load.record;
            record.setValue(QStringLiteral("base_experience"), QStringLiteral("第 %1 次").arg(op));
            const int before = prompter.shown;
            if (store.save(code, record, nullptr, load.stamp))
                ++tally.saved;
            else if (store.changedMeanwhile()) {
                ++tally.refused; // told, as the user would be: not a failure
                prompter.shown = before;
            }
        } else if (kind < 75) {
            const qint64 code = mine.at(random.bounded(int(mine.size())));
            const QDate day = QDate(2012, 1, 1).addDays(random.bounded(365));
            if (db.execute(sql::format(kAddInteraction, code, QString::number(day.year()),
                                       QString::number(day.month()), QString::number(day.day()),
                                       day.toString(Qt::ISODate), QStringLiteral("拜访"))) &&
                db.execute(sql::format(kStamp, day.toString(Qt::ISODate), code)))
                ++tally.interactions;
        } else {
            if (db.count(sql::format(kLiveCount, qint64(1))) >= 0 &&
                db.query(sql::format(kListPage), [](const Row&) { return true; }))
                ++tally.reads;
        }
    }
    std::printf("%lld %lld %lld %lld %lld %d\n", tally.added, tally.saved, tally.refused,
                tally.interactions, tally.reads, prompter.shown);
    return prompter.shown == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString value;
    const int processes = bench::takeOption(args, "--processes", &value) ? value.toInt() : 3;
    const int operations = bench::takeOption(args, "--operations", &value) ? value.toInt() : 10000;
    const quint32 seed = bench::takeOption(args, "--seed", &value) ? value.toUInt() : 1;
    if (bench::takeOption(args, "--worker", &value) && args.size() == 1)
        return worker(args.first(), value.toInt(), operations, seed);
    if (args.size() != 1 || processes < 1) {
        std::fprintf(stderr, "usage: bench_team [--processes N] [--operations M] DATABASE\n");
        return 2;
    }
    const QString location = args.first();
    Database db;
    if (!db.open(location)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError()));
        return 1;
    }
    const qint64 contactsBefore = db.count("select count(*) from base");
    const qint64 interactionsBefore = db.count("select count(*) from comm");

    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int i = 0; i < processes; ++i) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const int share = operations / processes + (i < operations % processes ? 1 : 0);
        process->start(app.applicationFilePath(),
                       {"--worker", QString::number(i), "--operations", QString::number(share),
                        "--seed", QString::number(seed), location});
        workers.push_back(std::move(process));
    }
    Tally total;
    int shown = 0;
    bool ok = true;
    for (auto& process : workers) {
        process->waitForFinished(-1);
        ok = ok && process->exitCode() == 0;
        const QStringList n = QString::fromLatin1(process->readAllStandardOutput()).split(u' ');
        if (n.size() < 6) {
            ok = false;
            continue;
        }
        total.added += n[0].toLongLong();
        total.saved += n[1].toLongLong();
        total.refused += n[2].toLongLong();
        total.interactions += n[3].toLongLong();
        total.reads += n[4].toLongLong();
        shown += n[5].trimmed().toInt();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 contacts = db.count("select count(*) from base") - contactsBefore;
    const qint64 interactions = db.count("select count(*) from comm") - interactionsBefore;
    const qint64 done =
        total.added + total.saved + total.refused + total.interactions + total.reads;
    QTextStream out(stdout);
    out << (db.isServer() ? "server " : "file ") << db.path() << "\n"
        << processes << " processes, " << done << " of " << operations << " operations in "
        << QString::number(seconds, 'f', 1) << " s: " << QString::number(done / seconds, 'f', 0)
        << " operations/s\n"
        << "  new contacts " << total.added << " (rows added " << contacts << ")\n"
        << "  interactions " << total.interactions << " (rows added " << interactions << ")\n"
        << "  contacts saved whole " << total.saved << ", refused as saved meanwhile "
        << total.refused << "\n"
        << "  reads " << total.reads << "\n"
        << "  messages shown " << shown << "\n";
    const bool nothingLost = contacts == total.added && interactions == total.interactions &&
                             done == operations && shown == 0;
    out << (ok && nothingLost ? "nothing lost, no error\n" : "FAILED: rows lost or errors shown\n");
    return ok && nothingLost ? 0 : 1;
}
