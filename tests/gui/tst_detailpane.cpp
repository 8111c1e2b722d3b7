// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactGuiFixture.h"

#include "contacts/CContactDetailPane.h"
#include "contacts/CContactPage.h"
#include "contacts/ContactStore.h"
#include "featureapi/ContactTab.h"
#include "support/ContactFieldOracle.h"
#include "ui/CDropList.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(ContactPage)

namespace {

// Every field of the five pages: lists take their second entry, dates a leap
// day, texts their own column name so that a value in the wrong field shows.
// The contact's birthday is lunar (二月廿九), the child's in a leap month
// (2012 repeats its fourth month), the spouse's Gregorian.
ContactRecord everyField(const CContactDetailPane& pane) {
    ContactRecord r;
    for (const oracle::Field& f : oracle::kFields) {
        const QStringList columns = oracle::columnsOf(f);
        if (f.kind == oracle::Date) {
            r.setValue(columns[0], "2012");
            r.setValue(columns[1], "02");
            r.setValue(columns[2], "29");
            if (f.lunar)
                r.setValue(columns[3], "");
        } else if (f.kind == oracle::List) {
            auto* list = qobject_cast<CDropList*>(pane.page(f.page)->form().control(columns[0]));
            r.setValue(columns[0], list->itemText(1));
        } else {
            r.setValue(columns[0], columns[0].left(f.limit));
        }
    }
    r.setValue("base_name", "张三");
    r.setValue("base_lunar", "1");
    r.setValue("home_child_month", "04");
    r.setValue("home_child_lunar", "2");
    for (const char* mobile :
         {"home_mobil", "base_mobil", "work_leader_mobil", "work_superior_mobil"})
        r.setValue(mobile, "13900000000");
    r.setValue("home_phone", "010-88880000");
    return r;
}

// A list tab that records what it is handed.
class RecordingTab : public QWidget, public ContactTab {
  public:
    RecordingTab(QStringList& log, const QString& name, bool succeeds)
        : log_(log), name_(name), succeeds_(succeeds) {}
    void clearContact() override { log_ << "clear " + name_; }
    bool showContact(qint64 code) override {
        log_ << QStringLiteral("%1 %2").arg(name_).arg(code);
        return succeeds_;
    }

  private:
    QStringList& log_;
    QString name_;
    bool succeeds_;
};

} // namespace

// The detail pane: its tabs, loading a contact into the five pages, the
// modify checks and the save with its progress window.
class TestDetailPane : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void tabsInOrder();
    void loadShowsEveryPage();
    void editThenSave();
    void stoppedLoadIsReadOnly();
    void modifyChecks_data();
    void modifyChecks();
    void listTabsHandedTheContact_data();
    void listTabsHandedTheContact();

  private:
    qint64 add(const ContactRecord& record) {
        ContactStore store(fx_->db, fx_->prompter);
        return store.insertNew(record, fx_->session, fx_->clock);
    }

    std::unique_ptr<ContactGuiFixture> fx_;
    std::unique_ptr<CContactDetailPane> pane_;
};

void TestDetailPane::init() {
    fx_ = std::make_unique<ContactGuiFixture>();
    pane_ = std::make_unique<CContactDetailPane>(*fx_->app, fx_->session);
    pane_->resize(800, 400);
    pane_->show();
    QVERIFY(QTest::qWaitForWindowExposed(pane_.get()));
}

void TestDetailPane::cleanup() {
    pane_.reset();
    fx_.reset();
}

void TestDetailPane::tabsInOrder() {
    QStringList captions;
    for (int i = 0; i < pane_->count(); ++i)
        captions << pane_->tabText(i);
    QCOMPARE(captions, QStringList({"基本信息", "单位信息", "家庭信息", "社交信息", "扩展信息",
                                    "关联关系", "往来记录", "相关文档"}));
    QCOMPARE(pane_->currentIndex(), 0);
    QCOMPARE(pane_->currentCode(), 0);
    QVERIFY(!pane_->isModified());
}

void TestDetailPane::loadShowsEveryPage() {
    const ContactRecord record = everyField(*pane_);
    const qint64 code = add(record);
    QVERIFY(code > 0);
    QSignalSpy edited(pane_.get(), &CContactDetailPane::edited);
    pane_->loadContact(code, 1);
    QCOMPARE(pane_->currentCode(), code);
    QCOMPARE(pane_->values().values(), record.values());
    QCOMPARE(edited.count(), 0);
    QVERIFY(!pane_->isModified());
    QCOMPARE(fx_->prompter.texts(), QStringList());

    // Each birthday with its date in the other calendar. 2012: 二月初一 on
    // 22 February, 三月初一 on 22 March; 闰四月 from 21 May to 18 June.
    const QList<std::pair<QString, QString>> others = {{"base_year", "公历 2012-03-21"},
                                                       {"home_year", "农历 壬辰年 二月初八"},
                                                       {"home_child_year", "公历 2012-06-18"}};
    for (const auto& [column, shown] : others) {
        QLabel* label = nullptr;
        for (int i = 0; i < 5 && !label; ++i)
            label = pane_->page(static_cast<ContactPage>(i))->form().otherCalendar(column);
        QVERIFY2(label, qPrintable(column));
        QCOMPARE(label->text(), shown);
        QCOMPARE(label->toolTip(), shown);
    }
    QVERIFY(pane_->page(ContactPage::Base)->form().otherCalendar("base_year")->isVisible());

    pane_->clearPane();
    const ContactRecord cleared = pane_->values();
    for (const QString& value : cleared.values())
        QCOMPARE(value, QString());
}

// A post without its row stops loading at the work page: the later pages were
// never read, so nothing may be edited and saved over them.
void TestDetailPane::stoppedLoadIsReadOnly() {
    const qint64 code = add(everyField(*pane_));
    QVERIFY(code > 0);
    QVERIFY(fx_->db.execute(sql::Statement(
        QStringLiteral("update base set work_superior_duty_code=99999 where base_code=%1")
            .arg(code))));
    pane_->loadContact(code, 1);
    QCOMPARE(fx_->prompter.lastText(), QStringLiteral("职务表操作失败,请检查系统设置"));
    for (int page = 0; page < kContactPageCount; ++page)
        QVERIFY(!pane_->page(ContactPage(page))->isEnabled());
    QVERIFY(!pane_->isModified());
    // The next contact whose pages are all read can be edited again.
    pane_->loadContact(add(everyField(*pane_)), 1);
    for (int page = 0; page < kContactPageCount; ++page)
        QVERIFY(pane_->page(ContactPage(page))->isEnabled());
}

void TestDetailPane::editThenSave() {
    ContactRecord record = everyField(*pane_);
    const qint64 code = add(record);
    pane_->loadContact(code, 1);
    QSignalSpy edited(pane_.get(), &CContactDetailPane::edited);

    auto* spouse =
        qobject_cast<QLineEdit*>(pane_->page(ContactPage::Home)->form().control("home_name"));
    spouse->selectAll();
    QTest::keyClicks(spouse, "O'Neil");
    QVERIFY(pane_->isModified());
    QVERIFY(edited.count() > 0);

    QVERIFY(pane_->validatePane());
    QVERIFY(pane_->saveContact(code));
    QVERIFY(!pane_->isModified());
    QCOMPARE(fx_->prompter.progressRuns.size(), 1);
    const auto& run = *fx_->prompter.progressRuns[0];
    QCOMPARE(run.upper, 100);
    QCOMPARE(run.positions, QList<int>({1, 40, 60, 80, 90, 100}));
    QVERIFY(run.finished);

    // What is stored is what a fresh load shows.
    record.setValue("home_name", "O'Neil");
    pane_->clearPane();
    pane_->loadContact(code, 1);
    QCOMPARE(pane_->values().values(), record.values());
}

void TestDetailPane::modifyChecks_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<ContactPage>("page");
    QTest::addColumn<QString>("focused");

    // One row per way the pane shows a failure (the checks themselves are
    // the validation suite's): the family page, checked on modify only, to the
    // front with its edit focused; the basic page's list; the add-only area code.
    QTest::newRow("mobile with letters")
        << "home_mobil"
        << "abc"
        << "请在手机中输入数字!" << ContactPage::Home << "home_mobil";
    QTest::newRow("no level") << "base_sort_code"
                              << ""
                              << "请选择级别!" << ContactPage::Base << "base_sort_code";
    QTest::newRow("area code is not checked on modify") << "work_areacode"
                                                        << "abc"
                                                        << "" << ContactPage::Base << "";
}

void TestDetailPane::modifyChecks() {
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(ContactPage, page);
    QFETCH(QString, focused);

    const qint64 code = add(everyField(*pane_));
    pane_->loadContact(code, 1);
    pane_->setCurrentIndex(4);
    ContactRecord change;
    change.setValue(column, value);
    pane_->page(oracle::field(column).page)->mergeValues(change);

    const bool passes = message.isEmpty();
    QCOMPARE(pane_->validatePane(), passes);
    if (passes) {
        QCOMPARE(fx_->prompter.texts(), QStringList());
        return;
    }
    QCOMPARE(fx_->prompter.texts(), QStringList{message});
    QVERIFY(pane_->currentWidget()->isAncestorOf(pane_->page(page)));
    QCOMPARE(pane_->focusWidget(), pane_->page(page)->form().control(focused));
}

void TestDetailPane::listTabsHandedTheContact_data() {
    QTest::addColumn<bool>("interactionsSucceed");
    QTest::addColumn<QStringList>("handed");
    QTest::newRow("all tabs") << true << QStringList{"interactions", "associations", "documents"};
    QTest::newRow("a failing tab stops the chain") << false << QStringList{"interactions"};
}

// After the pages, the contact goes to the interaction, association and
// document tabs in that order.
void TestDetailPane::listTabsHandedTheContact() {
    QFETCH(bool, interactionsSucceed);
    QFETCH(QStringList, handed);

    QStringList log;
    auto* associations = new RecordingTab(log, "associations", true);
    auto* interactions = new RecordingTab(log, "interactions", interactionsSucceed);
    auto* documents = new RecordingTab(log, "documents", true);
    pane_->setListTab(CContactDetailPane::Associations, associations, associations);
    pane_->setListTab(CContactDetailPane::Interactions, interactions, interactions);
    pane_->setListTab(CContactDetailPane::Documents, documents, documents);
    QCOMPARE(pane_->tabText(CContactDetailPane::Interactions), QStringLiteral("往来记录"));
    QCOMPARE(pane_->widget(CContactDetailPane::Documents), documents);

    const qint64 code = add(everyField(*pane_));
    pane_->loadContact(code, 1);
    QStringList expected{"clear associations", "clear interactions", "clear documents"};
    for (const QString& name : handed)
        expected << QStringLiteral("%1 %2").arg(name).arg(code);
    QCOMPARE(log, expected);
}

QTEST_MAIN(TestDetailPane)
#include "tst_detailpane.moc"
