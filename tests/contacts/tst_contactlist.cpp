// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactList.h"
#include "contacts/DetailPane.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "featureapi/ListHost.h"
#include "support/FixedClock.h"
#include "support/RefusingTrigger.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/ReportModel.h"

#include <QTest>

namespace {

class RecordingHost : public ListHost {
  public:
    void showNotice(const QString& text) override { calls << QStringLiteral("notice:") + text; }
    void showScore() override { calls << QStringLiteral("score"); }
    void contactsChanged(bool departments) override {
        calls << (departments ? QStringLiteral("changed+departments") : QStringLiteral("changed"));
    }
    QStringList calls;
};

class RecordingPane : public DetailPane {
  public:
    void clearPane() override { ++cleared; }
    void loadContact(qint64 code, int liveFlag) override { loaded << qMakePair(code, liveFlag); }
    bool validatePane() override { return true; }
    bool saveContact(qint64) override { return true; }
    bool isModified() const override { return false; }
    void setModified(bool) override {}
    int cleared = 0;
    QList<QPair<qint64, int>> loaded;
};

const QString kInsertContact = QStringLiteral(
    "insert into base (base_name,work_name,work_duty_code,base_sort_code,base_lastmodi_date,"
    "base_invalid_flag,base_month,base_mobil,base_phone,work_branch_name,base_user_code,"
    "base_user_dep_code) values ('%1','%2',%3,%4,'%5',%6,'%7','%8','%9','%10',1,1)");
const QString kDuty = QStringLiteral("(select duty_code from duty where duty_name='%1')");
const QString kLevel = QStringLiteral("(select sort_code from sort where sort_name='%1')");

// A fresh database with a handful of contacts chosen so that every order key
// of the list decides somewhere, and one list over it.
struct Fixture {
    Fixture() : db(&prompter), model(ContactList::kColumns), list(db, prompter, clock, 1, model) {
        db.open(home.databasePath());
        list.setHost(&host);
        list.setDetailPane(&pane);
    }

    qint64 addContact(const QString& name, const QString& work, const QString& duty,
                      const QString& level, const QString& lastContact, int live = 1,
                      const QString& month = QString()) {
        const bool ok = db.execute(
            sql::Statement(kInsertContact.arg(name, work, duty, level, lastContact)
                               .arg(live)
                               .arg(month, name + QStringLiteral("-m"), name + QStringLiteral("-p"),
                                    name + QStringLiteral("-b"))));
        return ok ? code(name) : -1;
    }
    qint64 code(const QString& name) {
        return db.count(sql::Statement(
            QStringLiteral("select base_code from base where base_name='%1'").arg(name)));
    }
    bool execute(const QStringList& statements) {
        for (const QString& statement : statements)
            if (!db.execute(sql::Statement(statement)))
                return false;
        return true;
    }
    // The seven contacts of the order tests.
    void seedNetwork() {
        const QString chairman = kDuty.arg(QStringLiteral("董事长"));
        const QString manager = kDuty.arg(QStringLiteral("经理"));
        const QString clerk = kDuty.arg(QStringLiteral("职员"));
        const QString core = kLevel.arg(QStringLiteral("A级-核心"));
        addContact("Ann", "Beta", chairman, core, "2012-01-01", 1, "05");
        addContact("Bob", "Beta", clerk, core, "2012-03-01");
        addContact("Cid", "Acme", manager, core, "2012-02-01", 1, "06");
        addContact("Dan", "Beta", chairman, core, "2012-04-01", 1, "05");
        addContact("Eve", "Core", chairman, core, "2012-05-01", 0, "05");
        addContact("Fay", "Zeta", "999", core, "2012-06-01", 1, "05");
        const QString home =
            QStringLiteral("insert into home (home_base_code,home_month,home_child_month) "
                           "values (%1,'%2','%3')");
        const QString task = QStringLiteral("insert into tmptrans values (%1,'%2',%3)");
        const QString doc =
            QStringLiteral("insert into doc (doc_base_code,doc_docsort_code,doc_title) "
                           "values (%1,%2,'%3')");
        QVERIFY(execute({
            home.arg(code("Ann")).arg("07", ""),
            home.arg(code("Cid")).arg("", "05"),
            home.arg(code("Fay")).arg("05", ""),
            task.arg(code("Cid")).arg(1).arg(1),
            task.arg(code("Ann")).arg(1).arg(1),
            task.arg(code("Fay")).arg(1).arg(1),
            task.arg(code("Bob")).arg(2).arg(1),
            task.arg(code("Dan")).arg(2).arg(2),
            task.arg(code("Eve")).arg(3).arg(1),
            doc.arg(code("Ann")).arg(2).arg("a1"),
            doc.arg(code("Ann")).arg(2).arg("a2"),
            doc.arg(code("Ann")).arg(2).arg("a3"),
            doc.arg(code("Cid")).arg(3).arg("c1"),
            doc.arg(code("Eve")).arg(2).arg("e1"),
        }));
    }
    // Names of the list, top to bottom.
    QStringList names() const {
        QStringList out;
        for (int row = 0; row < model.rowCount(); ++row)
            out << model.text(row, ContactList::NameColumn);
        return out;
    }
    bool isLive(const QString& name) {
        return db.count(sql::Statement(
                   QStringLiteral("select count(*) from base where base_name='%1' and "
                                  "base_invalid_flag=1")
                       .arg(name))) == 1;
    }
    void tick(const QStringList& names) {
        for (int row = 0; row < model.rowCount(); ++row)
            model.setChecked(row, names.contains(model.text(row, ContactList::NameColumn)));
    }

    TestHome home;
    ScriptedPrompter prompter;
    FixedClock clock; // May: birthdays are looked for in month "05"
    Database db;
    ReportModel model;
    RecordingHost host;
    RecordingPane pane;
    ContactList list;
};

enum class Command { Trash, Restore, Delete, EmptyTrash, Distribute };

bool runCommand(ContactList& list, Command command) {
    switch (command) {
    case Command::Trash:
        return list.moveToTrash();
    case Command::Restore:
        return list.restore();
    case Command::Delete:
        return list.deleteContacts();
    case Command::EmptyTrash:
        return list.emptyTrash();
    case Command::Distribute:
        return list.distribute();
    }
    return false;
}

const QStringList kDependents = {"extend", "home", "society", "comm", "asso", "doc"};

} // namespace

Q_DECLARE_METATYPE(Command)

class TestContactList : public QObject {
    Q_OBJECT

  private slots:
    void modeOrders_data();
    void modeOrders();
    void lunarBirthdaysListedWhereTheyFall_data();
    void lunarBirthdaysListedWhereTheyFall();
    void columnsMatchRowByRowLookups();
    void failedLoadKeepsTheList();
    void nothingTicked_data();
    void nothingTicked();
    void walkOverTickedRows_data();
    void walkOverTickedRows();
    void deleteTakesDependentRowsOnly();
    void emptyTrashChecks_data();
    void emptyTrashChecks();
    void failingRowReportedOnceAndWalkGoesOn_data();
    void failingRowReportedOnceAndWalkGoesOn();
    void distributeToDepartmentManager_data();
    void distributeToDepartmentManager();
};

void TestContactList::modeOrders_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    // Within one unit the senior post first, then the most recent contact; a
    // post missing from duty hides the contact wherever duty is joined.
    QTest::newRow("live contacts")
        << 0 << "b.base_invalid_flag=1" << QStringList{"Dan", "Ann", "Bob", "Cid"};
    QTest::newRow("trash") << 0 << "b.base_invalid_flag=0" << QStringList{"Eve"};
    QTest::newRow("no filter") << 0 << "" << QStringList{"Eve", "Dan", "Ann", "Bob", "Cid"};
    QTest::newRow("planned today, filter ignored")
        << 1 << "b.base_code=-5" << QStringList{"Ann", "Cid"};
    QTest::newRow("due today, own user only") << 2 << "" << QStringList{"Bob"};
    QTest::newRow("overdue") << 3 << "" << QStringList{"Eve"};
    QTest::newRow("document category, each contact once")
        << 5 << "d.doc_docsort_code=2 " << QStringList{"Ann"};
    QTest::newRow("all documents, newest contact first")
        << 5 << "" << QStringList{"Eve", "Cid", "Ann"};
    QTest::newRow("birthdays this month, trash included")
        << 6 << "b.base_code=-5" << QStringList{"Eve", "Dan", "Ann"};
    QTest::newRow("family birthdays, no post needed") << 7 << "" << QStringList{"Fay", "Cid"};
}

void TestContactList::modeOrders() {
    QFETCH(int, mode);
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    Fixture f;
    f.seedNetwork();
    f.model.addRow({"", "0", "stale"});
    QVERIFY(f.list.load(sql::Statement(filter), mode, 1));
    QCOMPARE(f.names(), names);
    QCOMPARE(f.pane.cleared, 1);
    QVERIFY(f.prompter.messages.isEmpty());
}

// Ann keeps 八月十五 by the lunar calendar (2026-09-25, 2027-09-15), Bob was
// born in August; Cid's spouse keeps 八月十五 too, Dan's child 腊月初一, which
// lunar 2026 and 2027 both put in 2027 (1 January, 28 December).
void TestContactList::lunarBirthdaysListedWhereTheyFall_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("birthdays");
    QTest::addColumn<QStringList>("family");
    QTest::newRow("August 2026") << QDate(2026, 8, 8) << QStringList{"Bob"} << QStringList{};
    QTest::newRow("September 2026")
        << QDate(2026, 9, 8) << QStringList{"Ann"} << QStringList{"Cid"};
    QTest::newRow("September 2027")
        << QDate(2027, 9, 8) << QStringList{"Ann"} << QStringList{"Cid"};
    QTest::newRow("January 2027") << QDate(2027, 1, 8) << QStringList{} << QStringList{"Dan"};
    QTest::newRow("December 2027") << QDate(2027, 12, 8) << QStringList{} << QStringList{"Dan"};
    QTest::newRow("December 2026") << QDate(2026, 12, 8) << QStringList{} << QStringList{};
}

void TestContactList::lunarBirthdaysListedWhereTheyFall() {
    QFETCH(QDate, today);
    QFETCH(QStringList, birthdays);
    QFETCH(QStringList, family);
    Fixture f;
    const QString clerk = kDuty.arg(QStringLiteral("职员"));
    const QString core = kLevel.arg(QStringLiteral("A级-核心"));
    f.addContact("Ann", "Acme", clerk, core, "2012-01-01", 1, "08");
    f.addContact("Bob", "Beta", clerk, core, "2012-01-01", 1, "08");
    f.addContact("Cid", "Core", clerk, core, "2012-01-01", 1, "02");
    f.addContact("Dan", "Dot", clerk, core, "2012-01-01", 1, "03");
    const QString home = QStringLiteral("insert into home (home_base_code,home_lunar,home_month,"
                                        "home_day,home_child_lunar,home_child_month,"
                                        "home_child_day) values (%1,%2)");
    QVERIFY(f.execute({
        QStringLiteral("update base set base_lunar=1,base_day='15' where base_name='Ann'"),
        QStringLiteral("update base set base_day='15' where base_name='Bob'"),
        home.arg(f.code("Cid")).arg("1,'08','15',0,'',''"),
        home.arg(f.code("Dan")).arg("0,'','',1,'12','01'"),
    }));
    f.clock.setDate(today);
    QVERIFY(f.list.load({}, ContactList::BirthdayCare, 1));
    QCOMPARE(f.names(), birthdays);
    QVERIFY(f.list.load({}, ContactList::FamilyCare, 1));
    QCOMPARE(f.names(), family);
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestContactList::columnsMatchRowByRowLookups() {
    Fixture f;
    f.seedNetwork();
    // A post without a name and a level the table does not hold.
    QVERIFY(f.execute({"insert into duty (duty_name,duty_value) values (NULL,5)"}));
    f.addContact("Gus", "Beta", "(select max(duty_code) from duty)", "777", "2012-01-02", 1, "05");

    QVERIFY(f.list.load("", 0, 1));
    Lookups lookups(f.db);
    int sentinels = 0;
    for (int row = 0; row < f.model.rowCount(); ++row) {
        const qint64 code = f.model.key(row).toLongLong();
        const QString where = QStringLiteral(" from base where base_code=%1").arg(code);
        const qint64 duty = f.db.count(sql::Statement("select work_duty_code" + where));
        const qint64 level = f.db.count(sql::Statement("select base_sort_code" + where));
        QCOMPARE(f.model.text(row, ContactList::PostColumn), lookups.dutyName(duty));
        QCOMPARE(f.model.text(row, ContactList::LevelColumn), lookups.levelName(level));
        sentinels += f.model.text(row, ContactList::PostColumn) == Lookups::kMissing;
        sentinels += f.model.text(row, ContactList::LevelColumn) == Lookups::kMissing;
    }
    QCOMPARE(sentinels, 2);

    QVERIFY(f.list.load("", 7, 1)); // Fay's post is not in duty
    const int fay = f.names().indexOf("Fay");
    QCOMPARE(f.model.text(fay, ContactList::PostColumn), Lookups::kMissing);
    QCOMPARE(f.model.text(fay, ContactList::LevelColumn), QStringLiteral("A级-核心"));
    const QStringList expected = {"",         QString::number(f.code("Fay")),
                                  "Fay",      Lookups::kMissing,
                                  "A级-核心", "Fay-m",
                                  "Fay-p",    "Zeta",
                                  "Fay-b",    "2012-06-01"};
    for (int column = 0; column < expected.size(); ++column)
        QCOMPARE(f.model.text(fay, column), expected.at(column));
}

void TestContactList::failedLoadKeepsTheList() {
    Fixture f;
    f.seedNetwork();
    QVERIFY(f.list.load("b.base_invalid_flag=1", 0, 1));
    const QStringList before = f.names();
    QVERIFY(!f.list.load("", 4, 1));
    QVERIFY(!f.list.load("b.no_such_column=1", 0, 1));
    QCOMPARE(f.names(), before);
    QCOMPARE(f.pane.cleared, 1);
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages.first().caption, Prompter::kErrorCaption);
}

void TestContactList::nothingTicked_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("live");
    QTest::addColumn<QString>("message");
    QTest::newRow("trash") << Command::Trash << 1 << "请选择所要移动的资料!";
    QTest::newRow("restore") << Command::Restore << 0 << "请选择所要还原的资料!";
    QTest::newRow("delete") << Command::Delete << 1 << "请选择所要删除的资料!";
    QTest::newRow("empty trash") << Command::EmptyTrash << 0 << "请选择所要清除的资料!";
    QTest::newRow("distribute") << Command::Distribute << 1 << "请选择所要发放的资料!";
}

void TestContactList::nothingTicked() {
    QFETCH(Command, command);
    QFETCH(int, live);
    QFETCH(QString, message);
    Fixture f;
    f.seedNetwork();
    bool asked = false;
    f.list.setDepartmentChooser([&] {
        asked = true;
        return std::optional<QString>(QStringLiteral("总经理办公室"));
    });
    QVERIFY(f.list.load(live ? "b.base_invalid_flag=1" : "b.base_invalid_flag=0", 0, live));
    const QStringList before = f.names();
    QVERIFY(!runCommand(f.list, command));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages.first().caption, Prompter::kNoticeCaption);
    QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Information);
    QCOMPARE(f.prompter.messages.first().text, message);
    QVERIFY(!asked);
    QVERIFY(f.prompter.progressRuns.isEmpty());
    QCOMPARE(f.names(), before);
    QVERIFY(f.host.calls.isEmpty());
}

void TestContactList::walkOverTickedRows_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("hostCalls");
    QTest::addColumn<QString>("flags"); // Ann's and Bob's base_invalid_flag afterwards
    const QStringList all = {"Dan", "Ann", "Bob", "Cid"};
    const QStringList down = {"notice:等级分减少了! 加油!", "score", "changed"};
    QTest::newRow("trash") << Command::Trash << true
                           << QStringList{"确定要移动所选资料吗?", "所选资料已移至垃圾箱!"}
                           << QStringList{"Dan", "Cid"} << down << "0,0";
    QTest::newRow("trash refused")
        << Command::Trash << false << QStringList{"确定要移动所选资料吗?"} << all << QStringList{}
        << "1,1";
    QTest::newRow("restore") << Command::Restore << true
                             << QStringList{"确定要还原所选资料吗?", "所选资料已还原!"}
                             << QStringList{"Dan", "Cid"}
                             << QStringList{"notice:等级分增加了! 加油!", "score", "changed"}
                             << "1,1";
    QTest::newRow("delete") << Command::Delete << true << QStringList{"确定要删除所选资料吗?"}
                            << QStringList{"Dan", "Cid"} << down << "";
    QTest::newRow("delete refused")
        << Command::Delete << false << QStringList{"确定要删除所选资料吗?"} << all << QStringList{}
        << "1,1";
}

void TestContactList::walkOverTickedRows() {
    QFETCH(Command, command);
    QFETCH(bool, yes);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, after);
    QFETCH(QStringList, hostCalls);
    QFETCH(QString, flags);
    Fixture f;
    f.seedNetwork();
    QVERIFY(f.list.load("b.base_invalid_flag=1", 0, 1));
    // Restore walks over the same rows once they are all in the trash.
    if (command == Command::Restore)
        QVERIFY(f.execute({"update base set base_invalid_flag=0"}));
    f.tick({"Ann", "Bob"});
    f.prompter.answer(yes);
    QCOMPARE(runCommand(f.list, command), yes);
    QCOMPARE(f.names(), after);
    QCOMPARE(f.host.calls, hostCalls);
    QCOMPARE(f.prompter.texts(), messages);
    QCOMPARE(f.prompter.messages.first().caption, Prompter::kConfirmCaption);
    QCOMPARE(f.prompter.messages.last().icon,
             messages.size() > 1 ? PromptIcon::Information : PromptIcon::Question);
    QStringList state;
    f.db.query("select base_invalid_flag from base where base_name in ('Ann','Bob')",
               [&](const Row& row) {
                   state << row.textAt(0);
                   return true;
               });
    QCOMPARE(state.join(u','), flags);
    QVERIFY(f.isLive("Dan") == (command != Command::Restore));
    if (!yes) {
        QVERIFY(f.prompter.progressRuns.isEmpty());
        return;
    }
    const auto& run = *f.prompter.progressRuns.first();
    QCOMPARE(run.upper, 4);
    QCOMPARE(run.positions, (QList<int>{1, 1, 2, 3, 4}));
    QVERIFY(run.finished);
    QCOMPARE(f.pane.cleared, 2); // the load and the walk's end
}

void TestContactList::deleteTakesDependentRowsOnly() {
    Fixture f;
    f.seedNetwork();
    const QStringList doomed = {"Ann", "Bob", "Cid"};
    for (const QString& name : doomed + QStringList{"Dan"}) {
        const qint64 code = f.code(name);
        QVERIFY(f.execute({
            QStringLiteral("delete from home where home_base_code=%1").arg(code),
            QStringLiteral("insert into home (home_base_code) values (%1)").arg(code),
            QStringLiteral("insert into extend (extend_base_code) values (%1)").arg(code),
            QStringLiteral("insert into society (society_base_code) values (%1)").arg(code),
            QStringLiteral("insert into comm (comm_base_code) values (%1)").arg(code),
            QStringLiteral("insert into asso (asso_base_code) values (%1)").arg(code),
            QStringLiteral("insert into doc (doc_base_code) values (%1)").arg(code),
        }));
    }
    // Dan's association names Ann as the other party: it is Dan's row and stays.
    QVERIFY(f.execute({QStringLiteral("insert into asso (asso_base_code,asso_relation_code) "
                                      "values (%1,%2)")
                           .arg(f.code("Dan"))
                           .arg(f.code("Ann"))}));
    QVERIFY(f.list.load("b.base_invalid_flag=1", 0, 1));
    QCOMPARE(f.names(), (QStringList{"Dan", "Ann", "Bob", "Cid"}));
    f.tick(doomed);
    QVERIFY(f.list.deleteContacts());
    QCOMPARE(f.names(), QStringList{"Dan"});

    QCOMPARE(f.db.count("select count(*) from base where base_name in ('Ann','Bob','Cid')"), 0);
    for (const QString& table : kDependents) {
        // Only Dan's dependent rows are left (his two associations).
        const qint64 left = f.db.count(
            sql::Statement(QStringLiteral("select count(*) from %1 where %1_base_code not in "
                                          "(select base_code from base)")
                               .arg(table)));
        QCOMPARE(left, 0);
        const qint64 dans = f.db.count(
            sql::Statement(QStringLiteral("select count(*) from %1 where %1_base_code=%2")
                               .arg(table)
                               .arg(f.code("Dan"))));
        QCOMPARE(dans, table == "asso" ? 2 : 1);
    }
    QCOMPARE(f.db.count("select count(*) from asso where asso_relation_code is not null"), 1);
}

void TestContactList::emptyTrashChecks_data() {
    QTest::addColumn<int>("live");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("live list, even with ticks")
        << 1 << "b.base_invalid_flag=1" << QStringList{"Ann"} << "请先选择垃圾箱!"
        << "确认" << QStringList{"Dan", "Ann", "Bob", "Cid"};
    QTest::newRow("trash list without rows")
        << 0 << "b.base_invalid_flag=0 and b.base_code<0" << QStringList{} << "垃圾箱中暂无资料!"
        << "确认" << QStringList{};
    QTest::newRow("only the ticked trash rows")
        << 0 << "b.base_invalid_flag=0" << QStringList{"Bob"} << "垃圾箱清除完成!"
        << "提示" << QStringList{"Dan", "Ann", "Cid"};
}

void TestContactList::emptyTrashChecks() {
    QFETCH(int, live);
    QFETCH(QString, filter);
    QFETCH(QStringList, ticked);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    QFETCH(QStringList, after);
    Fixture f;
    f.seedNetwork();
    QVERIFY(f.execute({"delete from base where base_name='Eve'"}));
    if (!live)
        QVERIFY(f.execute({"update base set base_invalid_flag=0"}));
    QVERIFY(f.list.load(sql::Statement(filter), 0, live));
    f.tick(ticked);
    const bool walked = caption == Prompter::kNoticeCaption;
    QCOMPARE(f.list.emptyTrash(), walked);
    QCOMPARE(f.prompter.messages.last().text, message);
    QCOMPARE(f.prompter.messages.last().caption, caption);
    QCOMPARE(f.prompter.messages.last().icon,
             walked ? PromptIcon::Information : PromptIcon::Question);
    QCOMPARE(f.names(), after);
    QCOMPARE(f.db.count("select count(*) from base"), walked ? 4 : 5);
    QCOMPARE(f.host.calls, walked ? QStringList{"changed"} : QStringList{});
    if (walked)
        QCOMPARE(f.prompter.messages.first().text, QStringLiteral("确定要清空垃圾箱中的资料吗?"));
}

void TestContactList::failingRowReportedOnceAndWalkGoesOn_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("trash") << Command::Trash << "before update on base";
    QTest::newRow("delete") << Command::Delete << "before delete on base";
}

void TestContactList::failingRowReportedOnceAndWalkGoesOn() {
    QFETCH(Command, command);
    QFETCH(QString, trigger);
    Fixture f;
    f.seedNetwork();
    QVERIFY(f.execute({
        QStringLiteral("insert into doc (doc_base_code) values (%1)").arg(f.code("Ann")),
    }));
    QVERIFY(refuseWrites(f.db, "locked", trigger,
                         QStringLiteral("old.base_code=%1").arg(f.code("Ann")), "locked row"));
    QVERIFY(f.list.load("b.base_invalid_flag=1", 0, 1));
    f.tick({"Dan", "Ann", "Bob"});
    QVERIFY(runCommand(f.list, command));

    QCOMPARE(f.names(), (QStringList{"Ann", "Cid"}));
    QVERIFY(f.model.isChecked(0));
    QVERIFY(!f.model.isChecked(1));
    int errors = 0;
    for (const auto& message : f.prompter.messages)
        errors += message.caption == Prompter::kErrorCaption;
    QCOMPARE(errors, 1);
    QVERIFY(f.isLive("Ann"));
    // A failed delete leaves the contact whole.
    QCOMPARE(
        f.db.count(sql::Statement(
            QStringLiteral("select count(*) from doc where doc_base_code=%1").arg(f.code("Ann")))),
        4);
    QCOMPARE(f.db.count("select count(*) from base where base_name in ('Dan','Bob') and "
                        "base_invalid_flag=1"),
             0);
}

void TestContactList::distributeToDepartmentManager_data() {
    QTest::addColumn<QString>("department");
    QTest::addColumn<bool>("hasManager");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("manager") << "O'Neil组" << true << false;
    QTest::newRow("no manager") << "O'Neil组" << false << false;
    QTest::newRow("cancelled") << "O'Neil组" << true << true;
}

void TestContactList::distributeToDepartmentManager() {
    QFETCH(QString, department);
    QFETCH(bool, hasManager);
    QFETCH(bool, cancel);
    Fixture f;
    f.seedNetwork();
    QVERIFY(
        f.execute({"insert into dep (dep_name) values ('O''Neil组')",
                   QStringLiteral("insert into userlogin (user_name,user_dep_code,user_dep_mng) "
                                  "values ('lee',(select dep_code from dep where "
                                  "dep_name='O''Neil组'),'%1')")
                       .arg(hasManager ? 1 : 0)}));
    const qint64 lee = f.db.count("select user_code from userlogin where user_name='lee'");
    const qint64 dep = f.db.count("select dep_code from dep where dep_name='O''Neil组'");
    f.list.setDepartmentChooser([&]() -> std::optional<QString> {
        if (cancel)
            return std::nullopt;
        return department;
    });
    QVERIFY(f.list.load("b.base_invalid_flag=1", 0, 1));
    f.tick({"Ann", "Cid"});

    const bool done = hasManager && !cancel;
    QCOMPARE(f.list.distribute(), done);
    const qint64 handedOver = f.db.count(
        sql::Statement(QStringLiteral("select count(*) from base where base_user_code=%1 and "
                                      "base_user_dep_code=%2")
                           .arg(lee)
                           .arg(dep)));
    if (!done) {
        QCOMPARE(handedOver, 0);
        QCOMPARE(f.model.rowCount(), 4);
        QCOMPARE(f.host.calls, QStringList{});
        if (!cancel) {
            QCOMPARE(f.prompter.messages.size(), 1);
            QCOMPARE(f.prompter.lastText(),
                     QStringLiteral("试图分发的对象不存在!\r\n\r\n可能是该部门没有设置管理者!"));
            QCOMPARE(f.prompter.messages.last().caption, Prompter::kNoticeCaption);
            QCOMPARE(f.prompter.messages.last().icon, PromptIcon::Question);
        }
        return;
    }
    QCOMPARE(handedOver, 2);
    QVERIFY(f.isLive("Ann"));
    // The host loads the list again and rebuilds the counts with the departments.
    QCOMPARE(f.host.calls, QStringList{"changed+departments"});
    QCOMPARE(f.prompter.texts(), QStringList{"资料分发完成!"});
    QCOMPARE(f.prompter.progressRuns.first()->positions.last(), 4);
}

QTEST_GUILESS_MAIN(TestContactList)
#include "tst_contactlist.moc"
