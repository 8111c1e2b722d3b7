// SPDX-License-Identifier: GPL-3.0-or-later
// Times what a click on a contact costs the detail pane's "关联关系" and
// "相关文档" tabs when the contact has many associations and documents. The
// rows are added to one live contact of a copy of a database filled by
// "mavor-admin gen". Each tab is timed through its page (statement, list model,
// list widget, painted), through its list logic alone (statement and model),
// and beside both the floor: one hand-written statement returning the same
// rows. The whole pane (five pages and both tabs) is timed last.
//
//   bench_tabs PATH [--repeat N] [--rows N]
#include "BenchTiming.h"
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "contacts/AssoList.h"
#include "contacts/CAssoPage.h"
#include "contacts/CContactDetailPane.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "documents/CDocPage.h"
#include "documents/DocList.h"
#include "documents/FileOpener.h"
#include "featureapi/AppContext.h"
#include "featureapi/Session.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <vector>

namespace {

class StderrPrompter : public Prompter {
  public:
    void notice(const QString& caption, const QString& text, PromptIcon) override {
        QTextStream(stderr) << caption << ": " << text << "\n";
    }
    bool ask(const QString&, const QString&) override { return false; }
    std::unique_ptr<ProgressHandle> beginProgress() override { return nullptr; }
};

class NoOpener : public FileOpener {
  public:
    bool open(const QString&) override { return false; }
};

// The floors: the tabs' rows by one plain statement each, read as text.
const QString kAssoFloor = QStringLiteral(
    "select a.asso_code,a.asso_name,d.duty_name,a.asso_sortname,a.asso_company,i.industry_name,"
    "a.asso_comment from asso a join duty d on a.asso_duty_code=d.duty_code join industry i on "
    "a.asso_industry_code=i.industry_code where a.asso_base_code=?");
const QString kDocFloor = QStringLiteral(
    "select d.doc_code,d.doc_date,d.doc_title,s.docsort_name,d.doc_keyword,d.doc_descript from "
    "doc d join docsort s on d.doc_docsort_code=s.docsort_code where d.doc_base_code=? order by "
    "d.doc_date desc,d.doc_hour desc,d.doc_minute desc");

qint64 floorRows(Database& db, const QString& statement, qint64 contact) {
    QSqlQuery q(db.connection());
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        return -1;
    q.addBindValue(contact);
    if (!q.exec())
        return -1;
    QList<QStringList> rows;
    const int columns = q.record().count();
    while (q.next()) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << q.value(c).toString();
        rows << row;
    }
    return rows.size();
}

bool addRows(Database& db, qint64 contact, int count) {
    if (!db.begin())
        return false;
    for (int i = 0; i < count; ++i) {
        const bool ok =
            db.execute(sql::format(
                "insert into asso(asso_base_code,asso_name,asso_sortname,asso_company,"
                "asso_duty_code,asso_industry_code,asso_comment) values(%ld,'%s','同学','%s',"
                "(select min(duty_code)+%d from duty),(select min(industry_code)+%d from industry),"
                "'%s')",
                contact, QStringLiteral("关联人 %1").arg(i), QStringLiteral("某某公司 %1").arg(i),
                i % 10, i % 10, QStringLiteral("大学同学，后来在同一家公司共事 %1 年").arg(i))) &&
            db.execute(sql::format(
                "insert into doc(doc_base_code,doc_docsort_code,doc_date,doc_hour,doc_minute,"
                "doc_title,doc_keyword,doc_descript,doc_filename,doc_file) values(%ld,"
                "(select min(docsort_code)+%d from docsort),'%s','%s','05','%s','合同 报价',"
                "'%s','%s','%s')",
                contact, 1 + i % 6,
                QStringLiteral("20%1-%2-15")
                    .arg(10 + i % 15)
                    .arg(1 + i % 12, 2, 10, QLatin1Char('0')),
                QStringLiteral("%1").arg(8 + i % 10, 2, 10, QLatin1Char('0')),
                QStringLiteral("文档 %1 的标题").arg(i), QStringLiteral("说明 %1").arg(i),
                QStringLiteral("/home/user/文档/file %1.pdf").arg(i),
                QStringLiteral("file %1.pdf").arg(i)));
        if (!ok) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

struct Timing {
    QString label;
    qint64 rows = 0;
    bench::Duration duration;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int repeat = 20;
    int perTab = 50;
    if (QString value; bench::takeOption(args, QStringLiteral("--repeat"), &value))
        repeat = value.toInt();
    if (QString value; bench::takeOption(args, QStringLiteral("--rows"), &value))
        perTab = value.toInt();
    if (args.size() != 1 || repeat < 1 || perTab < 1) {
        err << "usage: bench_tabs PATH [--repeat N] [--rows N]\n";
        return 2;
    }
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("mavor.tdb"));
    if (!QFile::copy(args.first(), copy)) {
        err << "bench_tabs: cannot copy " << args.first() << "\n";
        return 1;
    }
    StderrPrompter prompter;
    Database db(&prompter);
    if (!db.open(copy)) {
        err << "bench_tabs: " << db.lastError() << "\n";
        return 1;
    }
    const qint64 contact = db.count("select min(base_code) from base where base_invalid_flag=1");
    if (contact < 1 || !addRows(db, contact, perTab)) {
        err << "bench_tabs: no live contact to add rows to\n";
        return 1;
    }
    Settings settings(scratch.filePath(QStringLiteral("mavor.ini")));
    SystemClock clock;
    AutoResetEvent stop, done;
    AppContext context{db, settings, prompter, clock, stop, done, scratch.path()};
    Session session;
    session.userCode = 1;
    session.departmentCode = 1;

    auto opener = std::make_shared<NoOpener>();
    CContactDetailPane pane(context, session);
    auto* assoPage = new CAssoPage(context, 1, nullptr, &pane);
    auto* docPage = new CDocPage(context, 1, nullptr, opener, &pane);
    pane.setListTab(CContactDetailPane::Associations, assoPage, assoPage->associations());
    pane.setListTab(CContactDetailPane::Documents, docPage, docPage->documents());
    pane.resize(1000, 360);
    pane.show();
    QApplication::processEvents();

    ReportModel assoModel(QStringLiteral("选,25;ID,0;a,1;b,1;c,1;d,1;e,1;f,1"));
    ReportModel docModel(QStringLiteral("选,25;ID,0;a,1;b,1;c,1;d,1;e,1"));
    AssoList assoList(db, prompter, assoModel, 1);
    NoOpener plain;
    DocList docList(db, prompter, docModel, plain, 1);

    std::vector<Timing> timings;
    auto measure = [&](const QString& label, const std::function<qint64()>& run) {
        Timing t;
        t.label = label;
        t.duration = bench::timeRepeated(repeat, [&] { t.rows = run(); });
        timings.push_back(t);
    };
    auto shown = [&](QWidget* page, int index, auto* list, ReportModel* model) {
        pane.setCurrentIndex(index);
        list->showContact(contact);
        // Rendered into a picture: painted whether or not a screen shows it.
        page->grab();
        return qint64(model->rowCount());
    };
    measure("关联关系: page, painted",
            [&] { return shown(assoPage, 5, assoPage->associations(), assoPage->model()); });
    measure("关联关系: statement and model", [&] {
        assoList.showContact(contact);
        return qint64(assoModel.rowCount());
    });
    measure("关联关系: floor (one statement)", [&] { return floorRows(db, kAssoFloor, contact); });
    measure("相关文档: page, painted",
            [&] { return shown(docPage, 7, docPage->documents(), docPage->model()); });
    measure("相关文档: statement and model", [&] {
        docList.showContact(contact);
        return qint64(docModel.rowCount());
    });
    measure("相关文档: floor (one statement)", [&] { return floorRows(db, kDocFloor, contact); });
    measure("both tabs: pages, painted", [&] {
        return shown(assoPage, 5, assoPage->associations(), assoPage->model()) +
               shown(docPage, 7, docPage->documents(), docPage->model());
    });
    pane.setCurrentIndex(0);
    measure("whole pane: five pages and the tabs", [&] {
        pane.loadContact(contact, 1);
        pane.grab();
        return qint64(assoPage->model()->rowCount() + docPage->model()->rowCount());
    });

    out << "database " << args.first() << " (copy): " << db.count("select count(*) from base")
        << " contacts; contact " << contact << " given " << perTab << " associations and " << perTab
        << " documents; " << repeat << " runs each\n\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("what"), -38)
               .arg(QStringLiteral("rows"), 6)
               .arg(QStringLiteral("min ms"), 9)
               .arg(QStringLiteral("median ms"), 10);
    for (const Timing& t : timings)
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(t.label, -38)
                   .arg(t.rows, 6)
                   .arg(t.duration.minimum, 9, 'f', 2)
                   .arg(t.duration.median, 10, 'f', 2);
    return 0;
}
