// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactGuiFixture.h"

#include "contacts/CContactPage.h"
#include "contacts/ContactFields.h"
#include "contacts/ContactPageBuilder.h"
#include "contacts/ContactValidation.h"
#include "support/ContactFieldOracle.h"
#include "support/SampleContacts.h"
#include "ui/CDropList.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(ContactPage)

// The pages as the user sees them, checked against the fields written out by
// hand in ContactFieldOracle.h: captions, controls, limits, columns, bands and
// order; the lists' filling, the keyboard rules and the modified signal.
class TestContactPages : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();

    void fieldsMatchTheTable_data();
    void fieldsMatchTheTable();
    void fieldsInTableOrder_data();
    void fieldsInTableOrder();
    void pageClasses_data();
    void pageClasses();
    void limitsApplyWhenValuesAreTaken_data();
    void limitsApplyWhenValuesAreTaken();
    void listsFilledFromTheirTables();
    void fillFailures_data();
    void fillFailures();

    void escAndEnterSwallowed_data();
    void escAndEnterSwallowed();
    void enterBreaksLinesInMultiLineField();
    void deleteOrBackspaceClearsList_data();
    void deleteOrBackspaceClearsList();
    void typingIntoListSwallowed();
    void modifiedOnlyByTheUser();
    void lunarTickChangesTheCalendar_data();
    void lunarTickChangesTheCalendar();
    void otherCalendarBesideTheBirthday_data();
    void otherCalendarBesideTheBirthday();

  private:
    CContactPage* page(ContactPage which) const { return pages_.value(int(which)); }
    static void pagesData();

    std::unique_ptr<ContactGuiFixture> fx_;
    QList<CContactPage*> pages_;
};

void TestContactPages::initTestCase() {
    fx_ = std::make_unique<ContactGuiFixture>();
    for (const oracle::Page& info : oracle::kPages) {
        CContactPage* page = CContactPage::create(info.page, *fx_->app, nullptr);
        page->resize(1000, 700);
        page->show();
        pages_.append(page);
    }
    QVERIFY(QTest::qWaitForWindowExposed(pages_.last()));
    QVERIFY2(fx_->prompter.messages.isEmpty(), qPrintable(fx_->prompter.texts().join(';')));
}

void TestContactPages::cleanupTestCase() {
    qDeleteAll(pages_);
    pages_.clear();
    fx_.reset();
}

void TestContactPages::pagesData() {
    QTest::addColumn<ContactPage>("which");
    for (const oracle::Page& info : oracle::kPages)
        QTest::newRow(info.className) << info.page;
}

void TestContactPages::fieldsMatchTheTable_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < oracle::kFields.size(); ++i) {
        const oracle::Field& field = oracle::kFields[i];
        QTest::addRow("%s %s", oracle::page(field.page).className, field.column) << i;
    }
}

// Every field appears on its page as written: the caption beside the control
// of its column, second caption, kind of control, limit, fixed entries, search
// button, band.
void TestContactPages::fieldsMatchTheTable() {
    QFETCH(int, index);
    const oracle::Field& field = oracle::kFields.at(index);
    const QString column = QString::fromUtf8(field.column);
    const ContactPageBuilder& form = page(field.page)->form();

    QLabel* caption = form.caption(column);
    QVERIFY(caption);
    QCOMPARE(caption->text(), QString::fromUtf8(field.caption));
    QVERIFY(caption->isVisible());
    QLabel* extra = form.extraCaption(column);
    QCOMPARE(extra ? extra->text() : QString(), oracle::secondCaption(column));

    QWidget* control = form.control(column);
    QVERIFY(control);
    switch (field.kind) {
    case oracle::Edit:
    case oracle::Search: {
        auto* edit = qobject_cast<QLineEdit*>(control);
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), field.limit);
        break;
    }
    case oracle::Multi:
        QVERIFY(qobject_cast<QPlainTextEdit*>(control));
        break;
    case oracle::List: {
        auto* list = qobject_cast<CDropList*>(control);
        QVERIFY(list);
        QVERIFY(!list->isEditable());
        const QStringList fixed = oracle::fixedEntries(column);
        if (!fixed.isEmpty()) {
            QStringList entries;
            for (int i = 0; i < list->count(); ++i)
                entries << list->itemText(i);
            QCOMPARE(entries, fixed);
        }
        break;
    }
    case oracle::Date: {
        const QStringList columns = oracle::columnsOf(field);
        for (int part = 0; part < 3; ++part) {
            QVERIFY(qobject_cast<CDropList*>(form.control(columns[part])));
            auto* unit =
                page(field.page)->findChild<QLabel*>(QStringLiteral("unit:") + columns[part]);
            QVERIFY(unit);
            QCOMPARE(unit->text(), (QStringList{"年", "月", "日"}).at(part));
        }
        // The three birthdays have a "农历" tick; other dates none.
        QCheckBox* tick = form.lunarTick(column);
        QCOMPARE(tick != nullptr, field.lunar != nullptr);
        if (tick) {
            QCOMPARE(tick->text(), QStringLiteral("农历"));
            QCOMPARE(tick->objectName(), QString::fromLatin1(field.lunar));
            QCOMPARE(form.control(QString::fromLatin1(field.lunar)), tick);
        }
        break;
    }
    }

    QPushButton* search = form.searchButton(column);
    QCOMPARE(search != nullptr, field.kind == oracle::Search);
    if (search)
        QCOMPARE(search->text(), QStringLiteral("查"));

    const int band = oracle::bandOf(field);
    if (band >= 0) {
        QGroupBox* box = form.bands().value(band);
        QVERIFY(box);
        QVERIFY(box->isAncestorOf(control));
    }
}

void TestContactPages::fieldsInTableOrder_data() {
    pagesData();
}

// The page has exactly its fields, and read left to right and top to bottom
// their captions come in the order written.
void TestContactPages::fieldsInTableOrder() {
    QFETCH(ContactPage, which);
    CContactPage* p = page(which);
    QStringList built;
    for (const FieldSpec& field : p->form().fields())
        built += field.columns();
    QCOMPARE(built, oracle::columnsOf(which));

    QPoint previous(-1, -1);
    for (const oracle::Field& field : oracle::fieldsOf(which)) {
        QLabel* caption = p->form().caption(QString::fromUtf8(field.column));
        const QPoint at = caption->mapTo(p, QPoint(0, caption->height() / 2));
        const bool after =
            at.y() > previous.y() + caption->height() / 2 ||
            (qAbs(at.y() - previous.y()) <= caption->height() / 2 && at.x() > previous.x());
        QVERIFY2(after, field.caption);
        previous = at;
    }
    QCOMPARE(p->form().bands().size(), oracle::bandCount(which));
}

void TestContactPages::pageClasses_data() {
    pagesData();
}

void TestContactPages::pageClasses() {
    QFETCH(ContactPage, which);
    QCOMPARE(QString::fromLatin1(page(which)->metaObject()->className()),
             QString::fromLatin1(oracle::page(which).className));
    QCOMPARE(page(which)->page(), which);
}

void TestContactPages::limitsApplyWhenValuesAreTaken_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("limit");
    for (const oracle::Field& field : oracle::kFields) {
        const QStringList columns = oracle::columnsOf(field);
        if (field.kind == oracle::Date) {
            for (int part = 0; part < 3; ++part)
                QTest::newRow(qPrintable(columns[part])) << columns[part] << (part == 0 ? 4 : 2);
        } else {
            QTest::newRow(field.column) << columns[0] << field.limit;
        }
    }
}

// A value longer than its field's limit is cut when the page's values are taken;
// a field without a limit keeps everything.
void TestContactPages::limitsApplyWhenValuesAreTaken() {
    QFETCH(QString, column);
    QFETCH(int, limit);
    CContactPage* p = page(oracle::field(column).page);
    const QString longText(1100, u'字');
    ContactRecord record;
    record.setValue(column, longText);
    p->setValues(record);
    const QString taken = p->values().value(column);
    QCOMPARE(taken, limit > 0 ? longText.left(limit) : longText);
    p->clearFields();
    QCOMPARE(p->values().value(column), QString());
}

void TestContactPages::listsFilledFromTheirTables() {
    const ContactPageBuilder& base = page(ContactPage::Base)->form();
    auto* year = qobject_cast<CDropList*>(base.control("base_year"));
    QCOMPARE(year->count(), 100);
    QCOMPARE(year->itemText(0), QStringLiteral("2026"));
    QCOMPARE(year->itemText(99), QStringLiteral("1927"));
    auto* month = qobject_cast<CDropList*>(base.control("base_month"));
    QCOMPARE(month->count(), 12);
    QCOMPARE(month->itemText(0), QStringLiteral("01"));
    auto* day = qobject_cast<CDropList*>(base.control("base_day"));
    QCOMPARE(day->count(), 31);
    QCOMPARE(day->itemText(30), QStringLiteral("31"));

    auto* province = qobject_cast<CDropList*>(base.control("base_province_code"));
    const qint64 provinces = fx_->db.count("select count(*) from province where province_name<>''");
    QCOMPARE(province->count(), provinces);
    QVERIFY(province->findText(QString()) < 0);

    // A year older than the list is shown and kept until the next contact is shown.
    ContactRecord old;
    old.setValue("base_year", "1900");
    page(ContactPage::Base)->setValues(old);
    QCOMPARE(page(ContactPage::Base)->values().value("base_year"), QStringLiteral("1900"));
    page(ContactPage::Base)->clearFields();
    QCOMPARE(year->count(), 100);

    // Filling again empties first: nothing is listed twice.
    page(ContactPage::Base)->fillLists();
    QCOMPARE(province->count(), provinces);
    QCOMPARE(year->count(), 100);
}

void TestContactPages::fillFailures_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<ContactPage>("which");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("emptyList");

    const QString type = QStringLiteral("类型表初始化失败,请检查系统设置!");
    const QString province = QStringLiteral("省份表初始化失败,请检查系统设置!");
    QTest::newRow("base without levels")
        << "sort" << ContactPage::Base << QStringList{type} << "base_sort_code";
    QTest::newRow("base without provinces")
        << "province" << ContactPage::Base << QStringList{province} << "base_province_code";
    QTest::newRow("base without relation categories")
        << "relationsort" << ContactPage::Base << QStringList{} << "base_type_code";
    QTest::newRow("work without regions")
        << "region" << ContactPage::Work << QStringList{province} << "work_region_code";
    QTest::newRow("work without provinces or regions")
        << "province,region" << ContactPage::Work << QStringList{province} << "work_region_code";
    QTest::newRow("work without industries")
        << "industry" << ContactPage::Work << QStringList{"行业表初始化失败,请检查系统设置!"}
        << "work_industry_code";
    QTest::newRow("work without posts")
        << "duty" << ContactPage::Work << QStringList{"职务表初始化失败,请检查系统设置!"}
        << "work_superior_duty_code";
    QTest::newRow("home without provinces")
        << "province" << ContactPage::Home << QStringList{province} << "home_province_code";
    QTest::newRow("home without posts")
        << "duty" << ContactPage::Home << QStringList{} << "home_duty_code";
    QTest::newRow("extend without degrees leaves its years empty")
        << "degree" << ContactPage::Extend << QStringList{type} << "extend_gradyear";
}

// A list that cannot be read shows the page's message, and the page is still
// built with every other list filled.
void TestContactPages::fillFailures() {
    QFETCH(QString, table);
    QFETCH(ContactPage, which);
    QFETCH(QStringList, messages);
    QFETCH(QString, emptyList);

    ContactGuiFixture fx;
    for (const QString& name : table.split(u','))
        QVERIFY(fx.db.execute(sql::Statement("drop table " + name)));
    std::unique_ptr<CContactPage> p(CContactPage::create(which, *fx.app, nullptr));
    QCOMPARE(fx.prompter.texts(), messages);
    for (const auto& m : fx.prompter.messages) {
        QCOMPARE(m.caption, QStringLiteral("提示"));
        QCOMPARE(m.icon, PromptIcon::Information);
    }
    auto* list = qobject_cast<CDropList*>(p->form().control(emptyList));
    QCOMPARE(list->count(), 0);
    // The fixed lists and the months never depend on the database.
    for (CDropList* months : p->form().lists(ListSource::Months))
        QCOMPARE(months->count(), 12);
}

void TestContactPages::escAndEnterSwallowed_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("key");
    QTest::newRow("Esc in an edit") << "base_name" << int(Qt::Key_Escape);
    QTest::newRow("Esc in a list") << "base_sex" << int(Qt::Key_Escape);
    QTest::newRow("Enter in an edit") << "base_name" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in an edit") << "base_phone" << int(Qt::Key_Enter);
    QTest::newRow("Enter in a list") << "base_sort_code" << int(Qt::Key_Return);
    QTest::newRow("Enter on the search button") << "search:base_name" << int(Qt::Key_Return);
}

// Esc and Enter never reach the window around the page: a dialog holding the
// page neither closes nor presses its default button.
void TestContactPages::escAndEnterSwallowed() {
    QFETCH(QString, column);
    QFETCH(int, key);
    QDialog dialog;
    CContactPage* p = CContactPage::create(ContactPage::Base, *fx_->app, &dialog);
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    QSignalSpy pressed(ok, &QPushButton::clicked);
    QSignalSpy modified(p, &CContactPage::modified);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* control = p->form().control(column);
    if (!control)
        control = p->findChild<QWidget*>(column);
    control->setFocus();
    QTest::keyClick(control, Qt::Key(key));
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(modified.count(), 0);
}

void TestContactPages::enterBreaksLinesInMultiLineField() {
    CContactPage* p = page(ContactPage::Society);
    auto* hobby = qobject_cast<QPlainTextEdit*>(p->form().control("society_hobby"));
    hobby->setFocus();
    QTest::keyClicks(hobby, "ab");
    QTest::keyClick(hobby, Qt::Key_Return);
    QTest::keyClicks(hobby, "cd");
    QCOMPARE(p->values().value("society_hobby"), QStringLiteral("ab\ncd"));
    p->clearFields();
}

void TestContactPages::deleteOrBackspaceClearsList_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("key");
    QTest::newRow("Delete in the level list") << "base_sort_code" << int(Qt::Key_Delete);
    QTest::newRow("Backspace in the sex list") << "base_sex" << int(Qt::Key_Backspace);
    QTest::newRow("Delete in a day list") << "base_day" << int(Qt::Key_Delete);
}

// The only way to take back a list choice: the list empties and the page is modified.
void TestContactPages::deleteOrBackspaceClearsList() {
    QFETCH(QString, column);
    QFETCH(int, key);
    CContactPage* p = page(ContactPage::Base);
    auto* list = qobject_cast<CDropList*>(p->form().control(column));
    list->setCurrentIndex(1);
    QSignalSpy modified(p, &CContactPage::modified);
    list->setFocus();
    QTest::keyClick(list, Qt::Key(key));
    QCOMPARE(list->currentText(), QString());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(p->values().value(column), QString());
    QVERIFY(modified.count() >= 1);

    // In an edit the same keys edit text as usual.
    auto* phone = qobject_cast<QLineEdit*>(p->form().control("base_phone"));
    phone->setFocus();
    QTest::keyClicks(phone, "123");
    QTest::keyClick(phone, Qt::Key(key == Qt::Key_Delete ? Qt::Key_Left : Qt::Key_Right));
    QTest::keyClick(phone, Qt::Key(key));
    QCOMPARE(phone->text().size(), 2);
    p->clearFields();
}

void TestContactPages::typingIntoListSwallowed() {
    CContactPage* p = page(ContactPage::Base);
    auto* married = qobject_cast<CDropList*>(p->form().control("base_married"));
    married->setCurrentIndex(0);
    married->setFocus();
    // Without the rule, typing the first character of an entry would choose it.
    for (const QString& typed : {QStringLiteral("未"), QStringLiteral("再")})
        QTest::sendKeyEvent(QTest::Click, married, Qt::Key_unknown, typed, Qt::NoModifier);
    QCOMPARE(married->currentText(), QStringLiteral("已婚"));
    QTest::mouseClick(married, Qt::RightButton);
    QCOMPARE(married->currentText(), QStringLiteral("已婚"));
    p->clearFields();
}

// Typing, choosing and clearing set the modified flag; putting a contact's
// values into the page does not.
void TestContactPages::modifiedOnlyByTheUser() {
    CContactPage* p = page(ContactPage::Home);
    QSignalSpy modified(p, &CContactPage::modified);
    ContactRecord record;
    record.setValue("home_name", "王芳");
    record.setValue("home_live", "同住");
    record.setValue("home_hobby", "游泳");
    p->setValues(record);
    p->clearFields();
    QCOMPARE(modified.count(), 0);

    auto* name = qobject_cast<QLineEdit*>(p->form().control("home_name"));
    name->setFocus();
    QTest::keyClicks(name, "w");
    QCOMPARE(modified.count(), 1);

    auto* live = qobject_cast<CDropList*>(p->form().control("home_live"));
    live->setFocus();
    QTest::keyClick(live, Qt::Key_Down);
    QCOMPARE(live->currentText(), QStringLiteral("同住"));
    QCOMPARE(modified.count(), 2);
    p->clearFields();
}

namespace {

// The checks of the birthday's page over a contact that passes every other check.
std::optional<contactcheck::Failure> checkBirthday(const ContactRecord& taken,
                                                   const QStringList& columns, ContactPage page) {
    ContactRecord record = sample::minimalContact(QStringLiteral("张三"));
    for (const QString& column : columns)
        record.setValue(column, taken.value(column));
    return contactcheck::checkPage(record, page, contactcheck::Set::Modify);
}

} // namespace

void TestContactPages::lunarTickChangesTheCalendar_data() {
    QTest::addColumn<QString>("year"); // year column of the birthday
    for (const oracle::Field& field : oracle::kFields)
        if (field.lunar)
            QTest::newRow(field.column) << QString::fromLatin1(field.column);
}

// 2023 repeats its second month: 二月 from 20 February (30 days), 闰二月 from
// 22 March (29 days).
void TestContactPages::lunarTickChangesTheCalendar() {
    QFETCH(QString, year);
    const oracle::Field& field = oracle::field(year);
    const QStringList columns = oracle::columnsOf(field);
    CContactPage* p = page(field.page);
    const ContactPageBuilder& form = p->form();
    auto* months = qobject_cast<CDropList*>(form.control(columns[1]));
    auto* days = qobject_cast<CDropList*>(form.control(columns[2]));
    QCheckBox* tick = form.lunarTick(columns[3]);
    QVERIFY(months && days && tick);
    QSignalSpy modified(p, &CContactPage::modified);

    ContactRecord record;
    record.setValue(columns[0], "2023");
    record.setValue(columns[1], "02");
    record.setValue(columns[2], "30");
    p->setValues(record);
    QVERIFY(!tick->isChecked());
    QCOMPARE(months->currentText(), QStringLiteral("02"));
    QCOMPARE(p->values().value(columns[3]), QString());

    // Ticked, the same numbers read as a lunar month and day.
    tick->click();
    QCOMPARE(modified.count(), 1);
    QCOMPARE(months->currentText(), QStringLiteral("二月"));
    QCOMPARE(days->currentText(), QStringLiteral("三十"));
    QStringList entries;
    for (int i = 0; i < months->count(); ++i)
        entries << months->itemText(i);
    QCOMPARE(entries, (QStringList{"正月", "二月", "闰二月", "三月", "四月", "五月", "六月", "七月",
                                   "八月", "九月", "十月", "冬月", "腊月"}));
    QCOMPARE(days->count(), 30);
    QCOMPARE(days->itemText(29), QStringLiteral("三十"));
    ContactRecord taken = p->values();
    QCOMPARE(taken.value(columns[1]), QStringLiteral("02"));
    QCOMPARE(taken.value(columns[2]), QStringLiteral("30"));
    QCOMPARE(taken.value(columns[3]), QStringLiteral("1"));
    QVERIFY(!checkBirthday(taken, columns, field.page));

    // 闰二月 has 29 days: its 三十 does not exist.
    months->setCurrentIndex(2);
    taken = p->values();
    QCOMPARE(taken.value(columns[1]), QStringLiteral("02"));
    QCOMPARE(taken.value(columns[3]), QStringLiteral("2"));
    const auto failure = checkBirthday(taken, columns, field.page);
    QVERIFY(failure);
    QCOMPARE(failure->message, QStringLiteral("日期输入有误!"));
    QCOMPARE(failure->column, columns[0]);

    // A year without that leap month keeps the choice in view (and the check refuses it).
    qobject_cast<CDropList*>(form.control(columns[0]))->setCurrentText("2024");
    QCOMPARE(months->currentText(), QStringLiteral("闰二月"));
    QVERIFY(checkBirthday(p->values(), columns, field.page));

    // Unticked, back to the digits; the leap month reads as its month.
    tick->click();
    QCOMPARE(months->currentText(), QStringLiteral("02"));
    QCOMPARE(days->currentText(), QStringLiteral("30"));
    QCOMPARE(p->values().value(columns[3]), QString());

    // A stored leap-month birthday shows ticked with its leap month.
    record.setValue(columns[0], "2025");
    record.setValue(columns[1], "06");
    record.setValue(columns[2], "08");
    record.setValue(columns[3], "2");
    p->setValues(record);
    QVERIFY(tick->isChecked());
    QCOMPARE(months->currentText(), QStringLiteral("闰六月"));
    QCOMPARE(days->currentText(), QStringLiteral("初八"));
    for (const QString& column : columns)
        QCOMPARE(p->values().value(column), record.value(column));

    // Refilling the lists keeps the lunar names.
    p->fillLists();
    QCOMPARE(months->currentText(), QStringLiteral("闰六月"));
    p->clearFields();
    QVERIFY(!tick->isChecked());
    QCOMPARE(months->count(), 12);
    QCOMPARE(p->values().value(columns[3]), QString());
}

void TestContactPages::otherCalendarBesideTheBirthday_data() {
    QTest::addColumn<QStringList>("parts"); // year, month, day, tick
    QTest::addColumn<QString>("shown");
    QTest::newRow("Gregorian: its lunar date")
        << QStringList{"2026", "12", "07", ""} << "农历 丙午年 十月廿九";
    QTest::newRow("lunar: the day of birth")
        << QStringList{"2025", "06", "08", "2"} << "公历 2025-08-01";
    QTest::newRow("lunar without a year: this year's day")
        << QStringList{"", "08", "15", "1"} << "今年公历 2026-09-25";
    QTest::newRow("no day of such a month") << QStringList{"2023", "02", "30", "2"} << "";
    QTest::newRow("Gregorian without a year") << QStringList{"", "08", "15", ""} << "";
    QTest::newRow("nothing") << QStringList{"", "", "", ""} << "";
}

void TestContactPages::otherCalendarBesideTheBirthday() {
    QFETCH(QStringList, parts);
    QFETCH(QString, shown);
    for (const char* year : {"base_year", "home_year", "home_child_year"}) {
        const oracle::Field& field = oracle::field(year);
        const QStringList columns = oracle::columnsOf(field);
        ContactRecord record;
        for (int i = 0; i < 4; ++i)
            record.setValue(columns[i], parts[i]);
        CContactPage* p = page(field.page);
        p->setValues(record);
        QLabel* label = p->form().otherCalendar(columns[0]);
        QVERIFY(label);
        QCOMPARE(label->text(), shown);
    }
}

QTEST_MAIN(TestContactPages)
#include "tst_contactpages.moc"
