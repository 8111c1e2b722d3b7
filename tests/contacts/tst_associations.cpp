// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/AssoList.h"
#include "contacts/AssoStore.h"
#include "contacts/AssoTargets.h"
#include "db/Database.h"
#include "featureapi/ListHost.h"
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
    void contactsChanged(bool) override { calls << QStringLiteral("changed"); }
    QStringList calls;
};

// The tab's list columns as the user reads them, after the tick and the ID.
enum Column { Name = 2, Duty, Relation, Company, Industry, Comment };

struct Fixture {
    TestHome home;
    ScriptedPrompter prompter;
    Database db{&prompter};
    ReportModel model{AssoStore::kColumns};
    RecordingHost host;
    AssoList list{db, prompter, model, 1};

    Fixture() {
        db.open(home.databasePath());
        list.setHost(&host);
    }

    qint64 addContact(const QString& name, const QString& unit, int live = 1) {
        db.execute(sql::format("insert into base(base_name,work_name,base_invalid_flag,"
                               "base_user_code) values('%s','%s',%d,1)",
                               name, unit, live));
        return db.count("select max(base_code) from base");
    }
    qint64 code(const QString& table, const QString& name) {
        return db.count(sql::format(
            QStringLiteral("select %1_code from %1 where %1_name='%s'").arg(table), name));
    }
    // count() reads no negative numbers: the score may fall below zero.
    qint64 grade() {
        qint64 value = 0;
        db.query("select user_grade from userlogin where user_code=1", [&](const Row& row) {
            value = row.numberAt(0, 0);
            return false;
        });
        return value;
    }
    qint64 associations(qint64 contact) {
        return db.count(sql::format("select count(*) from asso where asso_base_code=%ld", contact));
    }
    // An association written straight into the table.
    qint64 insert(qint64 contact, const QString& name, const QString& duty = QString(),
                  const QString& industry = QString()) {
        db.execute(sql::format("insert into asso(asso_base_code,asso_name,asso_sortname,"
                               "asso_company,asso_duty_code,asso_industry_code,asso_comment) "
                               "values(%ld,'%s','同学','某公司',%ld,%ld,'')",
                               contact, name, code("duty", duty), code("industry", industry)));
        return db.count("select max(asso_code) from asso");
    }
    // A form that saves what it is given, as the association form does on OK.
    void formSaving(QList<AssoValues> typed) {
        list.setEditor([this, typed](AssoList::Edit& edit) mutable {
            if (typed.isEmpty())
                return false;
            edit.values = typed.takeFirst();
            AssoStore store(db, prompter);
            if (edit.mode == AssoList::Mode::Add) {
                const qint64 code = store.add(edit.contact, edit.values);
                edit.code = QString::number(code);
                return code > 0;
            }
            return store.modify(edit.code, edit.values);
        });
    }
    QStringList row(int r) {
        QStringList texts;
        for (int c = 0; c < model.columnCount(); ++c)
            texts << model.text(r, c);
        return texts;
    }
};

AssoValues values(const QString& name, const QString& relation, const QString& company = {},
                  const QString& duty = {}, const QString& industry = {},
                  const QString& comment = {}) {
    return {name, relation, company, duty, industry, comment};
}

} // namespace

class TestAssociations : public QObject {
    Q_OBJECT

  private slots:
    void listsTheContactsAssociations();
    void checksInOrder_data();
    void checksInOrder();
    void unknownPostOrIndustryIsRefused();
    void addLoopRaisesTheScore();
    void textsAreStoredExactly();
    void modifyReadsTheLinkedRecordAndKeepsIt();
    void deleteWalkLowersTheScore();
    void aFailedDeleteIsPassedOver();
    void buttonsNeedAContact_data();
    void buttonsNeedAContact();
    void nothingTickedOrHighlighted();
    void pickerStatements_data();
    void pickerStatements();
};

void TestAssociations::listsTheContactsAssociations() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    const qint64 bob = f.addContact("Bob", "Beta");
    const qint64 first = f.insert(ann, "张三", "总经理", "金融");
    f.insert(bob, "李四");
    // A post code without a row in duty: the statement's join leaves it out.
    f.db.execute(sql::format("insert into asso(asso_base_code,asso_name,asso_duty_code,"
                             "asso_industry_code) values(%ld,'孤儿',9999,1)",
                             ann));
    QVERIFY(f.list.showContact(ann));
    QCOMPARE(f.model.rowCount(), 1);
    QCOMPARE(f.row(0), (QStringList{"", QString::number(first), "张三", "总经理", "同学", "某公司",
                                    "金融", ""}));
    QCOMPARE(f.list.contact(), ann);
    f.list.clearContact();
    QCOMPARE(f.model.rowCount(), 0);
    QCOMPARE(f.list.contact(), 0);
}

void TestAssociations::checksInOrder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");
    const QString noName = "请输入姓名或者使用选中所要关联的资料!";
    const QString noRelation = "请输入关联关系类型!";
    QTest::newRow("both empty") << ""
                                << "" << noName << int(AssoField::Name);
    QTest::newRow("no name") << ""
                             << "同事" << noName << int(AssoField::Name);
    QTest::newRow("no relation") << "王五"
                                 << "" << noRelation << int(AssoField::Relation);
    QTest::newRow("complete") << "王五"
                              << "同事"
                              << "" << -1;
}

void TestAssociations::checksInOrder() {
    QFETCH(QString, name);
    QFETCH(QString, relation);
    QFETCH(QString, message);
    QFETCH(int, field);
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    AssoStore store(f.db, f.prompter);
    const qint64 code = store.add(ann, values(name, relation));
    if (message.isEmpty()) {
        QVERIFY(code > 0);
        QVERIFY(f.prompter.messages.isEmpty());
        return;
    }
    QCOMPARE(code, -1);
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages[0].icon, PromptIcon::Information);
    QCOMPARE(f.prompter.messages[0].text, message);
    QCOMPARE(int(*store.failedField()), field);
    QCOMPARE(f.associations(ann), 0);
}

// A name that is not in its table would store a row the list never shows.
void TestAssociations::unknownPostOrIndustryIsRefused() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    AssoStore store(f.db, f.prompter);
    QCOMPARE(store.add(ann, values("王五", "同事", "", "宇航员")), -1);
    QCOMPARE(f.prompter.lastText(), QStringLiteral("职务表操作失败,请检查系统设置"));
    QCOMPARE(store.add(ann, values("王五", "同事", "", "", "炼金")), -1);
    QCOMPARE(f.prompter.lastText(), QStringLiteral("行业表操作失败,请检查系统设置"));
    QCOMPARE(f.associations(ann), 0);
}

void TestAssociations::addLoopRaisesTheScore() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    QVERIFY(f.list.showContact(ann));
    const qint64 before = f.grade();
    // A form cancelled at its first opening changes nothing and asks nothing.
    f.formSaving({});
    QCOMPARE(f.list.add(), 0);
    QVERIFY(f.prompter.messages.isEmpty());
    QVERIFY(f.host.calls.isEmpty());
    f.formSaving({values("甲", "同学"), values("乙", "同事"), values("丙", "亲戚")});
    f.prompter.answer(true);
    f.prompter.answer(true);
    f.prompter.answer(false);
    QCOMPARE(f.list.add(), 3);
    QCOMPARE(f.grade() - before, 15);
    QCOMPARE(f.prompter.texts(), QStringList(3, "继续增加吗?"));
    for (const auto& m : f.prompter.messages) {
        QCOMPARE(m.caption, QStringLiteral("提示"));
        QCOMPARE(m.kind, ScriptedPrompter::Message::Kind::Question);
    }
    QCOMPARE(f.host.calls, (QStringList{"notice:等级分增加 15 分!", "score"}));
    QCOMPARE(f.model.rowCount(), 3);
    QCOMPARE(f.model.text(2, Name), QStringLiteral("丙"));
    QCOMPARE(f.associations(ann), 3);
    // The rows appended are those the list shows when the contact is loaded again.
    QList<QStringList> appended;
    for (int r = 0; r < 3; ++r)
        appended << f.row(r);
    QVERIFY(f.list.showContact(ann));
    for (int r = 0; r < 3; ++r)
        QCOMPARE(f.row(r), appended[r]);
}

void TestAssociations::textsAreStoredExactly() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    AssoStore store(f.db, f.prompter);
    const AssoValues typed = values("O'Neil 欧阳", "老 '同学'", "Smith & O'Brien 公司", "总经理",
                                    "金融", "第一行\n第二行 it's");
    const qint64 code = store.add(ann, typed);
    QVERIFY(code > 0);
    QString name, relation, company, comment;
    f.db.query(sql::format("select * from asso where asso_code=%ld", code), [&](const Row& row) {
        name = row.text("asso_name");
        relation = row.text("asso_sortname");
        company = row.text("asso_company");
        comment = row.text("asso_comment");
        return false;
    });
    QCOMPARE(name, typed.name);
    QCOMPARE(relation, typed.relation);
    QCOMPARE(company, typed.company);
    QCOMPARE(comment, typed.comment);
    QVERIFY(f.list.showContact(ann));
    QCOMPARE(AssoStore::valuesOf(f.row(0)), typed);
}

void TestAssociations::modifyReadsTheLinkedRecordAndKeepsIt() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    const qint64 linked = f.insert(ann, "张三", "总经理", "金融");
    f.insert(ann, "李四");
    f.db.execute(sql::format("update asso set asso_relation_code=42 where asso_code=%ld", linked));
    QVERIFY(f.list.showContact(ann));
    QList<AssoList::Edit> opened;
    f.list.setEditor([&](AssoList::Edit& edit) {
        opened << edit;
        edit.values = values("张三丰", "师徒", "武当", "董事长", "教育/培训", "太极");
        return AssoStore(f.db, f.prompter).modify(edit.code, edit.values);
    });
    const qint64 before = f.grade();
    // The tab lists in no order of its own (a server may return any).
    const int at = f.row(0).at(1) == QString::number(linked) ? 0 : 1;
    const int other = 1 - at;
    // Ticked from the bottom up: the first ticked row in the list is modified.
    for (int row = f.model.rowCount() - 1; row >= at; --row)
        f.model.setChecked(row, true);
    QVERIFY(f.list.modifyTicked());
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened[0].mode, AssoList::Mode::Modify);
    QCOMPARE(opened[0].code, QString::number(linked));
    QCOMPARE(opened[0].chosenRecord, QStringLiteral("42"));
    QCOMPARE(opened[0].values, values("张三", "同学", "某公司", "总经理", "金融", ""));
    QCOMPARE(f.row(at), (QStringList{"", QString::number(linked), "张三丰", "董事长", "师徒",
                                     "武当", "教育/培训", "太极"}));
    QCOMPARE(f.grade(), before);
    QVERIFY(f.host.calls.isEmpty());
    QCOMPARE(
        f.db.count(sql::format("select asso_relation_code from asso where asso_code=%ld", linked)),
        42);
    // An association without a linked record shows -1 in the slot.
    QVERIFY(f.list.modifyRow(other));
    QCOMPARE(opened[1].chosenRecord, QStringLiteral("-1"));
}

void TestAssociations::deleteWalkLowersTheScore() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    f.insert(ann, "甲");
    const qint64 kept = f.insert(ann, "乙");
    f.insert(ann, "丙");
    QVERIFY(f.list.showContact(ann));
    f.model.setChecked(0, true);
    f.model.setChecked(2, true);
    const qint64 before = f.grade();
    f.prompter.answer(false);
    QCOMPARE(f.list.remove(), 0);
    QCOMPARE(f.associations(ann), 3);
    QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("确认"));
    QCOMPARE(f.prompter.messages[0].text, QStringLiteral("确定要删除所选资料吗?"));

    f.prompter.answer(true);
    QCOMPARE(f.list.remove(), 2);
    QCOMPARE(f.grade() - before, -10);
    QCOMPARE(f.host.calls, (QStringList{"notice:等级分减少 10 分!", "score"}));
    QCOMPARE(f.model.rowCount(), 1);
    QCOMPARE(f.model.key(0), QString::number(kept));
    QCOMPARE(f.associations(ann), 1);
}

void TestAssociations::aFailedDeleteIsPassedOver() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    f.insert(ann, "甲");
    const qint64 locked = f.insert(ann, "乙");
    f.insert(ann, "丙");
    QVERIFY(refuseWrites(f.db, "keep", "before delete on asso",
                         QStringLiteral("old.asso_code=%1").arg(locked), "locked"));
    QVERIFY(f.list.showContact(ann));
    for (int r = 0; r < 3; ++r)
        f.model.setChecked(r, true);
    const qint64 before = f.grade();
    f.prompter.answer(true);
    QCOMPARE(f.list.remove(), 2);
    QCOMPARE(f.grade() - before, -10);
    QCOMPARE(f.model.rowCount(), 1);
    QCOMPARE(f.model.key(0), QString::number(locked));
    QCOMPARE(f.prompter.messages.last().caption, QStringLiteral("错误"));
}

void TestAssociations::buttonsNeedAContact_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("cleared");
    for (bool cleared : {false, true}) {
        const char* when = cleared ? "after clear" : "before load";
        QTest::addRow("add %s", when) << 0 << cleared;
        QTest::addRow("modify %s", when) << 1 << cleared;
        QTest::addRow("delete %s", when) << 2 << cleared;
    }
}

void TestAssociations::buttonsNeedAContact() {
    QFETCH(int, button);
    QFETCH(bool, cleared);
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    f.insert(ann, "甲");
    if (cleared) {
        QVERIFY(f.list.showContact(ann));
        f.list.clearContact();
    }
    bool opened = false;
    f.list.setEditor([&](AssoList::Edit&) {
        opened = true;
        return false;
    });
    f.prompter.defaultAnswer = true;
    switch (button) {
    case 0:
        f.list.add();
        break;
    case 1:
        f.list.modifyTicked();
        break;
    default:
        f.list.remove();
        break;
    }
    QVERIFY(!opened);
    QCOMPARE(f.prompter.texts(), QStringList{"请先选择相关资料,再使用此功能!"});
    QCOMPARE(f.associations(ann), 1);
}

void TestAssociations::nothingTickedOrHighlighted() {
    Fixture f;
    const qint64 ann = f.addContact("Ann", "Acme");
    f.insert(ann, "甲");
    QVERIFY(f.list.showContact(ann));
    f.formSaving({});
    QVERIFY(!f.list.modifyTicked());
    QVERIFY(!f.list.modifyRow(-1));
    QCOMPARE(f.list.remove(), 0);
    QCOMPARE(f.prompter.texts(), (QStringList{"请在选择框中选中所要修改的资料!",
                                              "请选择所要操作的数据!", "请选择所要删除的资料!"}));
}

// The four statements as the picker issues them, values written in.
void TestAssociations::pickerStatements_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("shown");
    const QString head = "select base_code,base_name,work_name from base where "
                         "base_invalid_flag=1 and base_code<>7";
    QTest::newRow("no filter") << ""
                               << "" << head + " order by base_name";
    QTest::newRow("name") << "O'Neil"
                          << ""
                          << head + " \t\t\t\tand base_name like '%O''Neil%' \t\t\t\torder by "
                                    "base_name";
    QTest::newRow("unit") << ""
                          << "华为"
                          << head +
                                 " \t\t\t\tand work_name like '%华为%' \t\t\t\torder by base_name";
    QTest::newRow("both") << "张"
                          << "华为"
                          << head + " \t\t\t\tand base_name like '%张%' and work_name like "
                                    "'%华为%' \t\t\t\torder by base_name";
}

void TestAssociations::pickerStatements() {
    QFETCH(QString, name);
    QFETCH(QString, unit);
    QFETCH(QString, shown);
    Database db;
    QCOMPARE(AssoTargets(db, 7).statement(name, unit).shown(), shown);
}

QTEST_GUILESS_MAIN(TestAssociations)
#include "tst_associations.moc"
