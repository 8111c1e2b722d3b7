// SPDX-License-Identifier: GPL-3.0-or-later
// The query dialogs and the commands of the reports feature, driven as a
// person would: fields filled, buttons clicked, the list and messages read.
#include "ReportsFixture.h"

#include "base/AutoResetEvent.h"
#include "base/Settings.h"
#include "contacts/CClientView2.h"
#include "contacts/ContactList.h"
#include "featureapi/CommandTable.h"
#include "featureapi/FrameServices.h"
#include "gui/ContactGuiFixture.h"
#include "reports/CCommQueryDlg.h"
#include "reports/CCommResultDlg.h"
#include "reports/CDocQueryDlg.h"
#include "reports/CQueryAllDlg.h"
#include "reports/DateRangeFields.h"
#include "reports/DocumentQuery.h"
#include "reports/ReportsFeature.h"
#include "shell/CMainFrame.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTemplate = QStringLiteral(MAVOR_TEMPLATE);

// The main window's side of the feature: commands kept by id, the contact
// view, and a record of the list reloads asked for.
class FakeFrame : public FrameServices {
  public:
    explicit FakeFrame(ReportsFixture& f)
        : settings(f.home.settingsPath()), app{f.db, settings, f.prompter,  f.clock,
                                               stop, done,     f.home.dir()} {
        session_.userCode = 1;
        session_.departmentCode = 1;
        view.attach(f.db, f.prompter, f.clock, 1);
        view.load(sql::Statement("b.base_invalid_flag=1"), 0, 1);
    }

    AppContext& context() override { return app; }
    const Session& session() const override { return session_; }
    QWidget* window() override { return nullptr; }
    void addCommand(int id, std::function<void()> action) override { commands.insert(id, action); }
    void setView(int, QWidget*) override {}
    void switchView(int) override {}
    void onGroupItem(int, std::function<void(int, const QString&)>) override {}
    void refillGroup(int) override {}
    ContactListView& contactList() override { return view; }
    ContactTabs& contactTabs() override { return tabs; }
    void remindersChanged() override {}
    bool runCommand(int) override { return true; }
    void countsChanged() override {}
    bool stopTreeBuild() override { return false; }
    bool showContacts(const sql::Statement& filter, int mode, int live) override {
        shown.append({filter.shown(), QString::number(mode), QString::number(live)});
        return view.load(filter, mode, live);
    }
    void referenceTableChanged(const QString&) override {}
    void onReferenceTableChange(std::function<void(const QString&)>) override {}
    void showNotice(const QString&) override {}
    void showScore() override {}
    void contactsChanged(bool) override {}

    void run(int id) { commands.value(id)(); }

    struct NoTabs : ContactTabs {
        QWidget* tabParent() override { return nullptr; }
        void setListTab(ListTab, QWidget*, ContactTab*) override {}
        QWidget* listTab(ListTab) const override { return nullptr; }
        qint64 contactShown() const override { return 0; }
    } tabs;
    Settings settings;
    AutoResetEvent stop, done;
    AppContext app;
    Session session_;
    CClientView2 view;
    QMap<int, std::function<void()>> commands;
    QList<QStringList> shown; // filter, mode, live
};

QStringList listedNames(CClientView2& view) {
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        names << view.model()->text(row, ContactList::NameColumn);
    return names;
}

void choose(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    list->setCurrentIndex(index);
}

} // namespace

class TestReportDialogs : public QObject {
    Q_OBJECT
  private slots:
    void contactQueryReloadsTheList();
    void contactQueryWithoutMatch();
    void contactQueryDateRefusal();
    void queryAllLists();
    void exportsNeedTickedRows();
    void labelsThroughTheCommand();
    void interactionQueryAndExport();
    void todayInteractions();
    void documentQuery();
    void mainWindowRoutesTheCommands();
};

void TestReportDialogs::contactQueryReloadsTheList() {
    ReportsFixture f;
    const qint64 other = f.addUser(QStringLiteral("lisi"), f.department(QStringLiteral("销售部")));
    f.addContact(QStringLiteral("王一"));
    f.addContact(QStringLiteral("O'Neil"), {{"base_user_code", other}});
    f.addContact(QStringLiteral("O'Hara"), {{"base_invalid_flag", 0}});
    FakeFrame frame(f);
    ReportsFeature feature;
    feature.install(frame);

    {
        ModalDriver<CQueryAllDlg> driver([](CQueryAllDlg* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("资料综合查询"));
            choose(dialog->category(), QStringLiteral("姓名"));
            QTest::keyClicks(dialog->information(), QStringLiteral("O'"));
            dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        });
        frame.run(commands::ContactQuery);
        QCOMPARE(driver.handled(), 1);
    }
    QCOMPARE(frame.shown.size(), 1);
    QCOMPARE(frame.shown.first(),
             (QStringList{"base_name like '%O''%'  and base_invalid_flag=1", "0", "1"}));
    // Another user's live contact is found; the one in the trash is not.
    QCOMPARE(listedNames(frame.view), QStringList{QStringLiteral("O'Neil")});
    QVERIFY(f.prompter.messages.isEmpty());

    // Every field empty: every live contact.
    ModalDriver<CQueryAllDlg> empty(
        [](CQueryAllDlg* dialog) { dialog->findChild<QPushButton*>("ok")->click(); });
    frame.run(commands::ContactQuery);
    QCOMPARE(frame.shown.last().first(), QStringLiteral("base_invalid_flag=1"));
    QStringList names = listedNames(frame.view);
    names.sort();
    QCOMPARE(names, (QStringList{"O'Neil", "王一"}));
}

void TestReportDialogs::contactQueryWithoutMatch() {
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"));
    FakeFrame frame(f);
    ReportsFeature feature;
    feature.install(frame);
    {
        ModalDriver<CQueryAllDlg> driver([](CQueryAllDlg* dialog) {
            dialog->information()->setText(QStringLiteral("没有这个人"));
            dialog->findChild<QPushButton*>("ok")->click();
        });
        frame.run(commands::ContactQuery);
    }
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("没有符合条件的记录!")});
    QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Question);
    QVERIFY(frame.shown.isEmpty());
    QCOMPARE(listedNames(frame.view), QStringList{QStringLiteral("王一")});

    // Cancelled: nothing at all.
    f.prompter.clear();
    ModalDriver<CQueryAllDlg> cancel(
        [](CQueryAllDlg* dialog) { dialog->findChild<QPushButton*>("cancel")->click(); });
    frame.run(commands::ContactQuery);
    QVERIFY(f.prompter.messages.isEmpty());
    QVERIFY(frame.shown.isEmpty());
}

void TestReportDialogs::contactQueryDateRefusal() {
    ReportsFixture f;
    ContactQuery query(f.db, f.prompter, f.clock);
    CQueryAllDlg dialog(query, f.clock);
    dialog.show();
    choose(dialog.dates()->list(0), QStringLiteral("2025"));
    choose(dialog.dates()->list(2), QStringLiteral("05"));
    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("请选择起始月份!")});
    QVERIFY(dialog.isVisible()); // the form stays open
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    choose(dialog.dates()->list(1), QStringLiteral("03"));
    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.condition().shown(),
             QStringLiteral(" base_code in (select comm_base_code from comm where  comm_date "
                            "between cdate('2025/03/05') and cdate('2026/12/07') ) and "
                            "base_invalid_flag=1"));
}

void TestReportDialogs::queryAllLists() {
    ReportsFixture f;
    ContactQuery query(f.db, f.prompter, f.clock);
    CQueryAllDlg dialog(query, f.clock);
    auto entries = [](QComboBox* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    };
    QCOMPARE(entries(dialog.category()),
             (QStringList{"姓名", "手机号", "联系电话", "单位名称", "单位地址"}));
    QCOMPARE(entries(dialog.user()), (QStringList{"", "admin"}));
    QVERIFY(entries(dialog.department()).contains(QStringLiteral("销售部")));
    QCOMPARE(entries(dialog.level()).mid(0, 2), (QStringList{"", "A级-核心"}));
    QCOMPARE(dialog.information()->maxLength(), 50);
    // Years: this one and the nine before, newest first, after "not chosen".
    QStringList years = entries(dialog.dates()->list(0));
    QCOMPARE(years.size(), 11);
    QCOMPARE(years.mid(0, 3), (QStringList{"", "2026", "2025"}));
    QCOMPARE(years.last(), QStringLiteral("2017"));
    QCOMPARE(entries(dialog.dates()->list(4)).size(), 13);
    QCOMPARE(entries(dialog.dates()->list(5)).last(), QStringLiteral("31"));
}

void TestReportDialogs::exportsNeedTickedRows() {
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"));
    FakeFrame frame(f);
    int asked = 0;
    ReportsFeature feature([&asked](QWidget*, const QString&) {
        ++asked;
        return QString();
    });
    feature.install(frame);
    frame.view.list()->selectRow(0); // highlighted, not ticked
    frame.run(commands::EnvelopeLabels);
    frame.run(commands::ListExport);
    QCOMPARE(f.prompter.texts(), (QStringList{QStringLiteral("请选择所要生成标签的资料!"),
                                              QStringLiteral("请选择所要生成的资料!")}));
    QCOMPARE(asked, 0);

    // Ticked, but the save dialog cancelled: nothing happens.
    f.prompter.clear();
    frame.view.model()->setChecked(0, true);
    frame.run(commands::ListExport);
    QCOMPARE(asked, 1);
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestReportDialogs::labelsThroughTheCommand() {
    ReportsFixture f;
    f.addContact(QStringLiteral("王一"), {{"work_zip", QStringLiteral("210000")}});
    FakeFrame frame(f);
    QTemporaryDir dir;
    QString defaultName;
    ReportsFeature feature([&](QWidget*, const QString& name) {
        defaultName = name;
        return dir.filePath(QStringLiteral("labels.xlsx"));
    });
    feature.setTemplatePath(kTemplate);
    feature.install(frame);
    frame.view.model()->setChecked(0, true);
    frame.run(commands::EnvelopeLabels);
    QCOMPARE(defaultName, QStringLiteral("信封标签"));
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("标签文件已生成!")});
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("labels.xlsx"))));

    // Without the template: its message, and no file.
    f.prompter.clear();
    feature.setTemplatePath(dir.filePath(QStringLiteral("moban.xlsx")));
    QFile::remove(dir.filePath(QStringLiteral("labels.xlsx")));
    frame.run(commands::ListExport);
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("模版文件不存在,请检查!")});
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("labels.xlsx"))));
}

void TestReportDialogs::interactionQueryAndExport() {
    ReportsFixture f;
    const qint64 a = f.addContact(QStringLiteral("王一"));
    const qint64 b = f.addContact(QStringLiteral("王二"));
    f.addContact(QStringLiteral("李三"));
    f.addInteraction(a, "2026", "11", "01", {{"comm_spent", "30"}, {"comm_cost", "100"}});
    f.addInteraction(a, "2026", "11", "02", {{"comm_spent", "45"}, {"comm_tran", "500"}});
    f.addInteraction(b, "2026", "10", "03", {{"comm_spent", "15"}, {"comm_cost", "20.25"}});
    FakeFrame frame(f);
    QTemporaryDir dir;
    QString defaultName;
    ReportsFeature feature([&](QWidget*, const QString& name) {
        defaultName = name;
        return dir.filePath(QStringLiteral("stats.xlsx"));
    });
    feature.setTemplatePath(kTemplate);
    feature.install(frame);

    QStringList seen;
    ModalDriver<QDialog> driver([&](QDialog* dialog) {
        if (auto* query = qobject_cast<CCommQueryDlg*>(dialog)) {
            seen << QStringLiteral("query");
            query->field(QStringLiteral("name"))->setText(QStringLiteral("王"));
            choose(query->dates()->list(0), QStringLiteral("2026"));
            choose(query->dates()->list(1), QStringLiteral("11"));
            query->findChild<QPushButton*>("ok")->click();
        } else if (auto* results = qobject_cast<CCommResultDlg*>(dialog)) {
            seen << QStringLiteral("results");
            QCOMPARE(results->windowTitle(), QStringLiteral("往来查询"));
            QCOMPARE(results->model()->rowCount(), 2);
            QCOMPARE(results->shown(QStringLiteral("totalTime")), QStringLiteral("75.00"));
            QCOMPARE(results->shown(QStringLiteral("totalCost")), QStringLiteral("100.00"));
            QCOMPARE(results->shown(QStringLiteral("count")), QStringLiteral("2"));
            QCOMPARE(results->shown(QStringLiteral("averageTime")), QStringLiteral("37.50"));
            QCOMPARE(results->shown(QStringLiteral("averageCost")), QStringLiteral("50.00"));
            QCOMPARE(results->shown(QStringLiteral("income")), QStringLiteral("500.00"));
            results->model()->clickHeader(0); // "选" ticks every row
            results->findChild<QPushButton*>("export")->click();
            results->findChild<QPushButton*>("ok")->click();
        }
    });
    frame.run(commands::InteractionQuery);
    QCOMPARE(seen, (QStringList{"query", "results"}));
    // The contacts queried, not only their interactions, become the main list.
    QCOMPARE(frame.shown.size(), 1);
    QVERIFY(frame.shown.first().at(0).contains(QStringLiteral("base_name like '%王%'")));
    QCOMPARE(frame.shown.first().mid(1), (QStringList{"0", "1"}));
    QCOMPARE(frame.view.model()->rowCount(), 2);
    QCOMPARE(defaultName, QStringLiteral("往来统计表"));
    QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("文件已生成!")});
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("stats.xlsx"))));
}

void TestReportDialogs::todayInteractions() {
    ReportsFixture f;
    const qint64 a = f.addContact(QStringLiteral("王一"));
    f.addInteraction(a, "2026", "12", "07", {{"comm_clock", "10"}});
    f.addInteraction(a, "2026", "12", "06");
    FakeFrame frame(f);
    ReportsFeature feature;
    feature.install(frame);
    int rows = -1;
    QString time;
    ModalDriver<CCommResultDlg> driver([&](CCommResultDlg* results) {
        rows = results->model()->rowCount();
        time = results->model()->text(0, 2);
        results->accept();
    });
    frame.run(commands::TodayInteractions);
    QCOMPARE(rows, 1);
    QCOMPARE(time, QStringLiteral("10:00"));
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestReportDialogs::documentQuery() {
    ReportsFixture f;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("合同.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    const qint64 a = f.addContact(QStringLiteral("王一"));
    f.addDocument(a, QStringLiteral("合同"), QStringLiteral("供货合同"),
                  QStringLiteral("供货 2026"), file);
    f.addDocument(a, QStringLiteral("名片"), QStringLiteral("名片"), QStringLiteral("O'Neil"),
                  dir.filePath(QStringLiteral("card.png")));
    DocumentQuery query(f.db, f.prompter);
    QStringList opened;
    CDocQueryDlg dialog(query, [&opened](const QString& path) { opened << path; });
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("文档查询"));
    QCOMPARE(dialog.model()->rowCount(), 2);

    // Every keystroke narrows the list.
    QTest::keyClicks(dialog.keyword(), QStringLiteral("O'"));
    QCOMPARE(dialog.model()->rowCount(), 1);
    QCOMPARE(dialog.model()->text(0, 1), QStringLiteral("名片"));
    QTest::keyClick(dialog.keyword(), Qt::Key_Backspace);
    QTest::keyClick(dialog.keyword(), Qt::Key_Backspace);
    QCOMPARE(dialog.model()->rowCount(), 2);
    choose(dialog.category(), QStringLiteral("合同"));
    QCOMPARE(dialog.model()->rowCount(), 1);
    dialog.keyword()->insert(QStringLiteral("名"));
    QCOMPARE(dialog.model()->rowCount(), 0);
    dialog.keyword()->clear();
    QCOMPARE(dialog.model()->rowCount(), 1);

    auto* edit = dialog.findChild<QPushButton*>(QStringLiteral("edit"));
    edit->click();
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请选择所要操作的数据!"));
    QVERIFY(opened.isEmpty());
    dialog.list()->selectRow(0);
    edit->click();
    QCOMPARE(opened, QStringList{file});
    QVERIFY(dialog.model()->isChecked(0));
}

void TestReportDialogs::mainWindowRoutesTheCommands() {
    // The main window's own actions reach the feature: the menu command opens
    // the query form and the list shows what it found.
    ContactGuiFixture g;
    g.settings.ensureExists();
    QVERIFY(g.db.execute(sql::format(
        "insert into base(base_name,base_user_code,base_user_dep_code,base_invalid_flag,"
        "work_duty_code,base_sort_code) values('%s',1,1,1,1,1)",
        QStringLiteral("O'Neil"))));
    QVERIFY(g.db.execute(sql::format(
        "insert into base(base_name,base_user_code,base_user_dep_code,base_invalid_flag,"
        "work_duty_code,base_sort_code) values('%s',1,1,1,1,1)",
        QStringLiteral("王一"))));
    CMainFrame frame(*g.app, g.session);
    frame.show();
    ModalDriver<CQueryAllDlg> driver([](CQueryAllDlg* dialog) {
        dialog->information()->setText(QStringLiteral("'"));
        dialog->findChild<QPushButton*>("ok")->click();
    });
    frame.action(commands::ContactQuery)->setEnabled(true);
    frame.action(commands::ContactQuery)->trigger();
    QCOMPARE(driver.handled(), 1);
    QCOMPARE(listedNames(*frame.contactView()), QStringList{QStringLiteral("O'Neil")});

    ModalDriver<CDocQueryDlg> documents([](CDocQueryDlg* dialog) { dialog->accept(); });
    frame.action(commands::DocumentQuery)->trigger();
    QCOMPARE(documents.handled(), 1);
}

QTEST_MAIN(TestReportDialogs)
#include "tst_reportdialogs.moc"
