// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "featureapi/Session.h"
#include "support/FixedClock.h"
#include "support/SampleContacts.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <sqlite3.h>

// Two users edit one contact in the detail pane at once, each in a process of
// its own: every save reported as done is in the stored contact, and every
// save that was not done was refused with the message that says so.
class TestConcurrentSaves : public QObject {
    Q_OBJECT

  private slots:
    void noSavedEditLost();
    void saveLandingInsideALoad();
};

namespace {

// Another user's save, made as the loading connection reads its first row:
// after the load began, before it ends.
struct SaveDuringLoad {
    Database* other = nullptr;
    qint64 code = 0;
    ContactRecord edit;
    bool saved = false;
    bool done = false;
};

int saveOnFirstRow(unsigned, void* context, void*, void*) {
    auto* hook = static_cast<SaveDuringLoad*>(context);
    if (!hook->done) {
        hook->done = true;
        ScriptedPrompter quiet;
        hook->saved = ContactStore(*hook->other, quiet).save(hook->code, hook->edit, nullptr);
    }
    return 0;
}

} // namespace

void TestConcurrentSaves::noSavedEditLost() {
    TestHome home;
    QVERIFY(home.isValid());
    ScriptedPrompter prompter;
    Database db(&prompter);
    QVERIFY(db.open(home.databasePath()));
    Session session;
    session.userCode = 1;
    ContactRecord contact = sample::minimalContact(QStringLiteral("张三"));
    // Each side counts its saves in a field of its own; both fields are on
    // the page read first, so a stale load shows at once.
    const QStringList columns = {QStringLiteral("base_contact"), QStringLiteral("base_experience")};
    for (const QString& column : columns)
        contact.setValue(column, QStringLiteral("0"));
    const qint64 code = ContactStore(db, prompter).insertNew(contact, session, FixedClock());
    QVERIFY(code > 0);

    constexpr int kRounds = 250;
    const QString racer = QCoreApplication::applicationDirPath() + QStringLiteral("/save_racer");
    QProcess sides[2];
    for (int i = 0; i < 2; ++i)
        sides[i].start(racer, {home.databasePath(), QString::number(code), columns[i],
                               QString::number(kRounds)});
    const QRegularExpression summary(QStringLiteral(R"(saved (\d+) refused (\d+))"));
    int saved[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(sides[i].waitForFinished(120000));
        const QString out = QString::fromUtf8(sides[i].readAllStandardOutput());
        const QString err = QString::fromUtf8(sides[i].readAllStandardError());
        // Every round ends saved or refused with its message, nothing else shown.
        QVERIFY2(sides[i].exitCode() == 0 && err.isEmpty(), qPrintable(out + err));
        const auto match = summary.match(out);
        QVERIFY2(match.hasMatch(), qPrintable(out));
        saved[i] = match.captured(1).toInt();
        qInfo("side %d: %s", i, qPrintable(out.trimmed()));
    }
    QStringList stored;
    db.query(sql::format("select base_contact,base_experience from base where base_code=%ld", code),
             [&](const Row& row) {
                 stored << row.textAt(0) << row.textAt(1);
                 return false;
             });
    // A lost save leaves its side's count behind the saves it was told of.
    QCOMPARE(stored, (QStringList{QString::number(saved[0]), QString::number(saved[1])}));
}

// The two processes above seldom meet inside a load on a file; here the other
// save lands there every time. The load must show the state before it, with
// the stamp of that state, so that the save made from it is refused.
void TestConcurrentSaves::saveLandingInsideALoad() {
    SKIP_ON_SERVER("the file engine's statement trace");
    TestHome home;
    ScriptedPrompter prompter;
    Database db(&prompter);
    Database other;
    QVERIFY(db.open(home.databasePath()) && other.open(home.databasePath()));
    Session session;
    session.userCode = 1;
    const ContactRecord contact = sample::minimalContact(QStringLiteral("张三"));
    ContactStore store(db, prompter);
    const qint64 code = store.insertNew(contact, session, FixedClock());
    QVERIFY(code > 0);

    SaveDuringLoad hook;
    hook.other = &other;
    hook.code = code;
    hook.edit = store.load(code, 1).record;
    hook.edit.setValue(QStringLiteral("base_contact"), QStringLiteral("对方的修改"));
    sqlite3_trace_v2(db.fileHandle(), SQLITE_TRACE_ROW, saveOnFirstRow, &hook);
    const ContactLoad load = store.load(code, 1);
    sqlite3_trace_v2(db.fileHandle(), 0, nullptr, nullptr);
    QVERIFY(hook.done && hook.saved);
    QCOMPARE(load.record.value(QStringLiteral("base_contact")),
             contact.value(QStringLiteral("base_contact")));

    ContactRecord mine = load.record;
    mine.setValue(QStringLiteral("base_experience"), QStringLiteral("我的修改"));
    QVERIFY(!store.save(code, mine, nullptr, load.stamp));
    QVERIFY(store.changedMeanwhile());
    QCOMPARE(prompter.texts(), QStringList{ContactStore::kChangedMeanwhile});
    QCOMPARE(store.load(code, 1).record.value(QStringLiteral("base_contact")),
             QStringLiteral("对方的修改"));
}

QTEST_GUILESS_MAIN(TestConcurrentSaves)
#include "tst_concurrentsaves.moc"
