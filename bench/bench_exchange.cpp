// SPDX-License-Identifier: GPL-3.0-or-later
// Times the contact exchange over generated data, each figure beside its floor.
//
//   bench_exchange import PATH [--contacts N] [--repeat R]
//       imports N generated vCards (3.0, as phones write them) into a fresh
//       copy of the database PATH, all in one transaction; the floor writes the
//       same four rows per contact with four prepared insert statements.
//   bench_exchange hostile PATH
//       imports, each in a process of its own into a fresh copy of PATH, files
//       made to be slow or big: one vCard of 1,000,000 NOTE lines, one of
//       100,000 grouped TEL lines with their labels, one CSV row of 200 MB; a
//       small card or row follows each. Prints the time and the process's peak
//       memory (VmHWM) of each; each should stay under 2 s and 100 MB.
//   bench_exchange duplicates PATH [--repeat R]
//       finds the duplicate groups among the live contacts of PATH (fill it with
//       "mavor-admin gen --contacts 100000 ..."); the floor is one statement that
//       groups the live contacts by their mobile number as stored.
#include "BenchTiming.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "exchange/ContactImporter.h"
#include "exchange/DuplicateFinder.h"
#include "exchange/ImportCleaner.h"
#include "exchange/ImportFile.h"
#include "featureapi/Session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

using namespace exchange;

namespace {

class StderrPrompter : public Prompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon) override {
        QTextStream(stderr) << caption << ": " << text << "\n";
    }
    bool ask(const QString&, const QString&) override { return false; }
    std::unique_ptr<ProgressHandle> beginProgress() override { return nullptr; }
};

const char* const kPosts[] = {"经理", "工程师", "总经理", "主任", "会计", "首席技术官"};
const char* const kProvinces[] = {"广东", "北京", "浙江省", "四川", "上海"};
const char* const kFamilies[] = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴"};

QByteArray cards(int n) {
    QByteArray out;
    out.reserve(n * 600);
    for (int i = 0; i < n; ++i) {
        const QString name =
            QString::fromUtf8(kFamilies[i % 10]) + QStringLiteral("联系人%1").arg(i);
        QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        card += QStringLiteral("N:%1;联系人%2;;;\r\nFN:%3\r\n")
                    .arg(QString::fromUtf8(kFamilies[i % 10]))
                    .arg(i)
                    .arg(name);
        card += QStringLiteral("TEL;TYPE=CELL:+86 138 %1\r\n").arg(i, 8, 10, QLatin1Char('0'));
        card += QStringLiteral("TEL;TYPE=WORK,VOICE:020-%1\r\n").arg(i, 8, 10, QLatin1Char('0'));
        card += QStringLiteral("EMAIL;TYPE=INTERNET:user%1@example.cn\r\n").arg(i);
        card += QStringLiteral("ORG:星辰科技第%1分公司;销售部\r\n").arg(i % 500);
        card += QStringLiteral("TITLE:%1\r\n").arg(QString::fromUtf8(kPosts[i % 6]));
        card += QStringLiteral("ADR;TYPE=WORK:;;人民路%1号;广州;%2;510000;中国\r\n")
                    .arg(i)
                    .arg(QString::fromUtf8(kProvinces[i % 5]));
        card += QStringLiteral("BDAY:19%1-%2-%3\r\n")
                    .arg(50 + i % 50)
                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        card += QStringLiteral("NOTE:第一次见面在广交会\\, 喜欢喝茶\\n第二行备注 %1\r\n").arg(i);
        card += QStringLiteral("END:VCARD\r\n");
        out += card.toUtf8();
    }
    return out;
}

bool copyDatabase(const QString& from, const QString& to) {
    QFile::remove(to);
    QFile::remove(to + "-wal");
    QFile::remove(to + "-shm");
    return QFile::copy(from, to);
}

int importBench(const QString& path, int contacts, int repeat, QTextStream& out) {
    QTemporaryDir dir;
    const QString vcf = dir.filePath("cards.vcf");
    {
        QFile f(vcf);
        f.open(QIODevice::WriteOnly);
        f.write(cards(contacts));
    }
    const QString copy = dir.filePath("copy.tdb");
    StderrPrompter prompter;
    SystemClock clock;
    Session session{1, 1};
    ImportSummary last;
    bool ok = true;
    // Each run starts from a fresh copy: the copying is not timed.
    bench::Duration import{0, 0};
    std::vector<double> runs;
    for (int r = 0; r < repeat; ++r) {
        ok = ok && copyDatabase(path, copy);
        Database db(&prompter);
        ok = ok && db.open(copy);
        const bench::Duration d = bench::timeRepeated(1, [&] {
            ImportFile file;
            file.open(vcf);
            ImportCleaner cleaner(db);
            auto source = file.vcardSource([&](const QString& n) { return cleaner.isRelation(n); });
            ContactImporter importer(db, prompter, session, clock);
            last = importer.run(*source, cleaner, DuplicatePolicy::Skip);
        });
        runs.push_back(d.minimum);
    }
    std::sort(runs.begin(), runs.end());
    import = {runs.front(), runs[runs.size() / 2]};
    ok = ok && last.error.isEmpty() && last.imported == contacts;

    // The floor: the same rows, four prepared inserts per contact, one transaction.
    runs.clear();
    for (int r = 0; r < repeat; ++r) {
        copyDatabase(path, copy);
        Database db(&prompter);
        db.open(copy);
        const bench::Duration d = bench::timeRepeated(1, [&] {
            QSqlDatabase c = db.connection();
            c.transaction();
            QSqlQuery base(c), home(c), society(c), extend(c);
            base.prepare("insert into base(base_name,base_mobil,work_phone,base_email,work_name,"
                         "work_branch_name,work_duty_code,work_address,work_city,"
                         "work_province_code,work_zip,base_year,base_month,base_day,"
                         "base_experience,base_user_code,base_user_dep_code,base_invalid_flag,"
                         "base_create_date,base_lastmodi_date,base_visit_num,base_sort_code,"
                         "base_type_code,base_province_code,work_industry_code,work_region_code,"
                         "work_leader_duty_code,work_superior_duty_code) values(?,?,?,?,?,?,?,?,?,"
                         "?,?,?,?,?,?,1,1,1,'2026-01-01','2026-01-01',0,1,1,1,1,1,1,1)");
            home.prepare("insert into home(home_base_code,home_province_code,home_duty_code) "
                         "values(?,1,1)");
            society.prepare("insert into society(society_base_code) values(?)");
            extend.prepare("insert into extend(extend_base_code,extend_degree_code) values(?,1)");
            for (int i = 0; i < contacts; ++i) {
                const QVariantList values = {
                    QStringLiteral("联系人%1").arg(i),
                    QStringLiteral("+86 138 %1").arg(i),
                    QStringLiteral("020-%1").arg(i),
                    QStringLiteral("user%1@example.cn").arg(i),
                    QStringLiteral("星辰科技第%1分公司").arg(i % 500),
                    QStringLiteral("销售部"),
                    2,
                    QStringLiteral("人民路%1号").arg(i),
                    QStringLiteral("广州"),
                    20,
                    QStringLiteral("510000"),
                    QStringLiteral("1970"),
                    QStringLiteral("01"),
                    QStringLiteral("01"),
                    QStringLiteral("第一次见面在广交会, 喜欢喝茶\n第二行")};
                for (int k = 0; k < values.size(); ++k)
                    base.bindValue(k, values[k]);
                base.exec();
                const qint64 code = base.lastInsertId().toLongLong();
                for (QSqlQuery* q : {&home, &society, &extend}) {
                    q->bindValue(0, code);
                    q->exec();
                }
            }
            c.commit();
        });
        runs.push_back(d.minimum);
    }
    std::sort(runs.begin(), runs.end());
    const bench::Duration floor{runs.front(), runs[runs.size() / 2]};

    out << "import of " << contacts << " vCards (" << QFileInfo(vcf).size() / 1024 << " KB), "
        << repeat << " runs: imported " << last.imported << ", notes " << last.notes.size() << "\n";
    out << QStringLiteral("  %1 min %2 ms, median %3 ms\n")
               .arg(QStringLiteral("import:"), -40)
               .arg(import.minimum, 0, 'f', 0)
               .arg(import.median, 0, 'f', 0);
    out << QStringLiteral("  %1 min %2 ms, median %3 ms\n")
               .arg(QStringLiteral("floor (4 prepared inserts a contact):"), -40)
               .arg(floor.minimum, 0, 'f', 0)
               .arg(floor.median, 0, 'f', 0);
    return ok ? 0 : 1;
}

// The process's peak resident memory in MB, from /proc.
double peakMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

const QStringList kHostileCases = {QStringLiteral("notes"), QStringLiteral("tels"),
                                   QStringLiteral("csvrow")};

// Writes the case's file in slices, so that making it costs no memory.
bool writeHostile(const QString& which, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray slice;
    auto flush = [&](bool always) {
        if (always || slice.size() > (1 << 20)) {
            f.write(slice);
            slice.clear();
        }
    };
    if (which == u"notes") {
        slice += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:备注很多\r\n";
        for (int i = 0; i < 1000000; ++i) {
            slice += "NOTE:第 " + QByteArray::number(i) + " 行备注\r\n";
            flush(false);
        }
        slice += "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:普通人\r\nEND:VCARD\r\n";
    } else if (which == u"tels") {
        slice += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:号码很多\r\n";
        for (int i = 0; i < 100000; ++i) {
            const QByteArray item = "item" + QByteArray::number(i);
            slice += item + ".TEL:+86 138 " + QByteArray::number(10000000 + i) + "\r\n" + item +
                     ".X-ABLabel:手机\r\n";
            flush(false);
        }
        slice += "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:普通人\r\nEND:VCARD\r\n";
    } else {
        slice += "姓名,手机,备注\r\n";
        slice += "长行,13800000000,";
        for (int i = 0; i < 200; ++i) {
            slice += QByteArray(1 << 20, 'x');
            slice += ',';
            flush(false);
        }
        slice += "\r\n普通人,13900000000,短\r\n";
    }
    flush(true);
    return f.error() == QFileDevice::NoError;
}

// One case, in this process: prints one line.
int hostileCase(const QString& path, const QString& which, QTextStream& out) {
    QTemporaryDir dir;
    const QString file = dir.filePath(which == u"csvrow" ? "t.csv" : "t.vcf");
    const QString copy = dir.filePath("copy.tdb");
    if (!writeHostile(which, file) || !copyDatabase(path, copy))
        return 1;
    StderrPrompter prompter;
    SystemClock clock;
    Session session{1, 1};
    Database db(&prompter);
    if (!db.open(copy))
        return 1;
    QElapsedTimer timer;
    timer.start();
    ImportFile import;
    import.open(file);
    ImportCleaner cleaner(db);
    std::unique_ptr<ContactSource> source;
    if (import.format() == FileFormat::VCard) {
        source = import.vcardSource([&](const QString& n) { return cleaner.isRelation(n); });
    } else {
        CsvMapping mapping;
        mapping.headerRow = true;
        mapping.targets = {QStringLiteral("base_name"), QStringLiteral("base_mobil"),
                           QStringLiteral("base_experience")};
        source = import.csvSource(import.detectedEncoding(), mapping);
    }
    ContactImporter importer(db, prompter, session, clock);
    const ImportSummary s = importer.run(*source, cleaner, DuplicatePolicy::Add);
    const qint64 ms = timer.elapsed();
    out << QStringLiteral("  %1 %2 MB file: %3 ms, peak %4 MB; imported %5, refused %6 (%7)\n")
               .arg(which, -7)
               .arg(QFileInfo(file).size() / (1 << 20))
               .arg(ms)
               .arg(peakMb(), 0, 'f', 0)
               .arg(s.imported)
               .arg(s.refused)
               .arg(s.error.isEmpty() ? s.refusals.value(0).text : s.error);
    return s.error.isEmpty() && s.imported == 1 && s.refused == 1 ? 0 : 1;
}

// Each case in a child process, so that each peak is its own.
int hostileBench(const QString& path, QTextStream& out) {
    out << "hostile imports, each in its own process (want under 2000 ms and 100 MB):\n";
    out.flush();
    int failed = 0;
    for (const QString& which : kHostileCases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("hostile"), path, QStringLiteral("--case"), which});
        child.waitForFinished(-1);
        failed += child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0;
    }
    return failed ? 1 : 0;
}

int duplicatesBench(const QString& path, int repeat, QTextStream& out) {
    StderrPrompter prompter;
    Database db(&prompter);
    if (!db.open(path))
        return 1;
    QList<DuplicateGroup> groups;
    bool ok = true;
    const bench::Duration find =
        bench::timeRepeated(repeat, [&] { ok = DuplicateFinder::find(db, &groups) && ok; });
    qint64 floorGroups = 0;
    const bench::Duration floor = bench::timeRepeated(repeat, [&] {
        floorGroups = 0;
        db.query("select base_mobil,count(*) from base where base_invalid_flag=1 and "
                 "base_mobil<>'' group by base_mobil having count(*)>1",
                 [&](const Row&) {
                     ++floorGroups;
                     return true;
                 });
    });
    qint64 members = 0;
    for (const DuplicateGroup& g : groups)
        members += g.members.size();
    out << "duplicates among " << db.count("select count(*) from base where base_invalid_flag=1")
        << " live contacts, " << repeat << " runs: " << groups.size() << " groups, " << members
        << " contacts in them\n";
    out << QStringLiteral("  %1 min %2 ms, median %3 ms\n")
               .arg(QStringLiteral("find (mobile, e-mail, name in unit):"), -44)
               .arg(find.minimum, 0, 'f', 0)
               .arg(find.median, 0, 'f', 0);
    out << QStringLiteral("  %1 min %2 ms, median %3 ms (%4 groups)\n")
               .arg(QStringLiteral("floor (group by the stored mobile):"), -44)
               .arg(floor.minimum, 0, 'f', 0)
               .arg(floor.median, 0, 'f', 0)
               .arg(floorGroups);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int repeat = 3;
    int contacts = 10000;
    if (QString v; bench::takeOption(args, QStringLiteral("--repeat"), &v))
        repeat = v.toInt();
    if (QString v; bench::takeOption(args, QStringLiteral("--contacts"), &v))
        contacts = v.toInt();
    QString hostile;
    bench::takeOption(args, QStringLiteral("--case"), &hostile);
    if (args.size() != 2 || repeat < 1 || contacts < 1) {
        err << "usage: bench_exchange import|hostile|duplicates PATH [--contacts N] [--repeat R]\n";
        return 2;
    }
    if (args[0] == u"hostile" && kHostileCases.contains(hostile)) {
        const int rc = hostileCase(args[1], hostile, out);
        out.flush();
        return rc;
    }
    if (args[0] == u"hostile")
        return hostileBench(args[1], out);
    if (args[0] == u"import")
        return importBench(args[1], contacts, repeat, out);
    if (args[0] == u"duplicates")
        return duplicatesBench(args[1], repeat, out);
    err << "usage: bench_exchange import|hostile|duplicates PATH [--contacts N] [--repeat R]\n";
    return 2;
}
