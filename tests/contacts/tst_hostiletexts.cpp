// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactList.h"
#include "contacts/ContactSearch.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "db/Statement.h"
#include "featureapi/Session.h"
#include "interactions/Score.h"
#include "login/LoginCheck.h"
#include "support/ContactFieldOracle.h"
#include "support/FixedClock.h"
#include "support/SampleContacts.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "tree/TreeCounts.h"
#include "tree/TreeSelection.h"
#include "ui/ReportModel.h"

#include <QTest>

// Whatever a user types travels through every family of statements as a value:
// lookups, the contact's add, load and save, the searches, the tree's filters,
// the login. The schema and every other row stay as they were, and each text
// comes back exactly as typed.
class TestHostileTexts : public QObject {
    Q_OBJECT

  private slots:
    void travelsAsAValue_data();
    void travelsAsAValue();
};

namespace {

// The schema and every row the typed texts must never touch, as one text.
QString untouched(Database& db, qint64 bystander) {
    QStringList out;
    QStringList tables;
    // A server describes its tables in information_schema: each column with its type.
    const sql::Statement schema(
        db.isServer() ? QStringLiteral("select 'table',table_name,string_agg(column_name||' '||"
                                       "data_type,',' order by ordinal_position) "
                                       "from information_schema.columns "
                                       "where table_schema=current_schema() "
                                       "and table_name not like 'mavor%' "
                                       "group by table_name order by table_name")
                      : QStringLiteral("select type,name,sql from sqlite_master order by name"));
    db.query(schema, [&](const Row& row) {
        out << row.textAt(0) + u'|' + row.textAt(1) + u'|' + row.textAt(2);
        if (row.textAt(0) == QLatin1String("table"))
            tables << row.textAt(1);
        return true;
    });
    for (const QString& table : tables) {
        // The kept counts follow every new contact (and are checked against
        // base elsewhere).
        if (table == QLatin1String("sqlite_sequence") || table == QLatin1String("basecount"))
            continue;
        const bool ours = table == QLatin1String("base") || table == QLatin1String("home") ||
                          table == QLatin1String("society") || table == QLatin1String("extend") ||
                          table == QLatin1String("doc") || table == QLatin1String("findkey") ||
                          table == QLatin1String("remindlog");
        const sql::Statement all = sql::Statement(QStringLiteral("select * from ") + table);
        const sql::Statement rows =
            !ours ? all
                  : sql::Statement(
                        QStringLiteral("select * from ") + table + u' ' +
                        (table == QLatin1String("base")
                             ? QStringLiteral("where base_code=%1").arg(bystander)
                             : QStringLiteral("where %1_base_code=%2").arg(table).arg(bystander)));
        db.query(rows, [&](const Row& row) {
            QStringList cells;
            for (int i = 0; i < row.columnCount(); ++i)
                cells << row.textAt(i, QStringLiteral("<null>"));
            out << table + u':' + cells.join(u'|');
            return true;
        });
    }
    // Rows come in no set order (a server moves the rows it rewrites).
    out.sort();
    return out.join(u'\n');
}

// Every field the user types into (not the lists and dates), set to text.
ContactRecord typedEverywhere(const QString& text) {
    ContactRecord r;
    for (const oracle::Field& field : oracle::kFields) {
        if (field.kind == oracle::Edit || field.kind == oracle::Search ||
            field.kind == oracle::Multi)
            r.setValue(QString::fromLatin1(field.column), text);
    }
    // The lists the add sheet insists on, with names the database knows.
    const ContactRecord lists = sample::minimalContact(text);
    for (const QString& column : lists.columns()) {
        if (column != QLatin1String("base_name"))
            r.setValue(column, lists.value(column));
    }
    return r;
}

} // namespace

void TestHostileTexts::travelsAsAValue_data() {
    QTest::addColumn<QString>("text");
    for (const auto& [name, text] : sample::hostileTexts())
        QTest::newRow(name) << text;
}

void TestHostileTexts::travelsAsAValue() {
    QFETCH(QString, text);
    TestHome home;
    QVERIFY(home.isValid());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    Session session;
    session.userCode = 1;
    session.departmentCode = 1;
    ContactStore store(db, prompter);

    const qint64 bystander =
        store.insertNew(typedEverywhere(QStringLiteral("旁人")), session, clock);
    QVERIFY(bystander > 0);
    const QString before = untouched(db, bystander);

    // The name lookups find nothing and report nothing.
    Lookups lookups(db);
    for (auto lookup :
         {&Lookups::provinceCode, &Lookups::regionCode, &Lookups::industryCode, &Lookups::dutyCode,
          &Lookups::levelCode, &Lookups::relationCode, &Lookups::degreeCode, &Lookups::businessCode,
          &Lookups::docSortCode, &Lookups::datumSortCode, &Lookups::phoneSortCode,
          &Lookups::departmentCode, &Lookups::userCode, &Lookups::departmentManager})
        QCOMPARE((lookups.*lookup)(text), -1);
    QVERIFY(!lookups.contactNameTaken(text));
    QVERIFY(!lookups.userNameTaken(text));
    lookups.workUnitKnown(text); // wildcards in the text may match: only no harm counts
    QVERIFY(!LoginCheck::matches(db, text, text));

    // Added, loaded, saved and loaded again: every typed field exactly as typed.
    const qint64 code = store.insertNew(typedEverywhere(text), session, clock);
    QVERIFY(code > 0);
    ContactLoad loaded = store.load(code, 1);
    QVERIFY(loaded.complete);
    const ContactRecord typed = typedEverywhere(text);
    for (const QString& column : typed.columns()) {
        if (!column.endsWith(QLatin1String("_code")) && column != QLatin1String("base_sex"))
            QCOMPARE(loaded.record.value(column), text);
    }
    const QString edited = text + QStringLiteral("'改");
    QVERIFY(store.save(code, typedEverywhere(edited), nullptr));
    loaded = store.load(code, 1);
    QCOMPARE(loaded.record.value("base_name"), edited);
    QCOMPARE(loaded.record.value("home_name"), edited);
    QCOMPARE(loaded.record.value("extend_hope"), edited);
    QCOMPARE(loaded.record.value("society_hobby"), edited);

    // The searches find the contact by what was typed.
    ContactSearch search(db, prompter);
    QVERIFY(search.checkName(edited));
    bool found = false;
    for (const ContactSearch::Existing& row : search.existing(edited, ContactSearch::Mode::ByName))
        found = found || row.code.toLongLong() == code;
    QVERIFY(found);

    // A document title reaches the tree's filter and the document list as a value.
    const qint64 sort = lookups.docSortCode(QStringLiteral("合同"));
    QVERIFY(sort > 0);
    QVERIFY(db.execute(sql::format("insert into doc(doc_base_code,doc_docsort_code,doc_title,"
                                   "doc_filename) values(%ld,%ld,'%s','%s')",
                                   code, sort, text, text)));
    const TreeChoice choice =
        TreeSelection(lookups).choose({2, text, QStringLiteral("合同 (1)"), "文档资料"});
    QVERIFY(choice.matched);
    ReportModel model(ContactList::kColumns);
    ContactList list(db, prompter, clock, session.userCode, model);
    QVERIFY(list.load(choice.filter, ContactList::Documents, 1));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.key(0).toLongLong(), code);
    QCOMPARE(lookups.docFileNameByTitle(sort, text), text);
    QCOMPARE(tree::countContacts(db, sql::format("base_name='%s'", edited)), 1);
    QVERIFY(Score(db).networkScore(sql::format("b.base_name='%s'", edited)) > 0);

    QCOMPARE(untouched(db, bystander), before);
    QVERIFY2(prompter.messages.isEmpty(), qPrintable(prompter.texts().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestHostileTexts)
#include "tst_hostiletexts.moc"
