// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Database.h"
#include "reference/CPostalLookupDlg.h"
#include "reference/CRefEditDlg.h"
#include "reference/CRefListDlg.h"
#include "reference/EditableList.h"
#include "reference/RefRecordForm.h"
#include "reference/RefTableDefinitions.h"
#include "support/ModalScript.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/CReportView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QValidator>

namespace {

struct Fixture {
    Fixture() : db(&prompter) { db.open(home.databasePath()); }
    QStringList names(const QString& table) {
        QStringList out;
        db.query(sql::Statement(QStringLiteral("select %1_name from %1").arg(table)),
                 [&out](const Row& row) {
                     out << row.textAt(0);
                     return true;
                 });
        return out;
    }
    TestHome home;
    ScriptedPrompter prompter;
    Database db;
};

QString labelOf(QWidget* dialog, QWidget* field) {
    for (QFormLayout* form : dialog->findChildren<QFormLayout*>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole);
            if (!item)
                continue;
            const bool holds =
                item->widget() == field || (item->layout() && item->layout()->indexOf(field) >= 0);
            if (!holds)
                continue;
            QLayoutItem* labelItem = form->itemAt(row, QFormLayout::LabelRole);
            if (auto* label = labelItem ? qobject_cast<QLabel*>(labelItem->widget()) : nullptr)
                return label->text();
            return {};
        }
    }
    return {};
}

QStringList labelTexts(QWidget* dialog) {
    QStringList out;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        out << label->text();
    return out;
}

int rowNamed(EditableList& list, int column, const QString& name) {
    for (int row = 0; row < list.model().rowCount(); ++row) {
        if (list.model().text(row, column) == name)
            return row;
    }
    return -1;
}

} // namespace

class TestRefDialogs : public QObject {
    Q_OBJECT

  private slots:
    void editFormOfEveryMember_data();
    void editFormOfEveryMember();
    void digitsOnlyAndLimitedByTheEdits();
    void addModifyAndDoubleClickThroughTheWindow();
    void feastListIgnoresDoubleClicks();
    void modifyFormOfAFeastStartsFromItsDate();
    void lunarFeastsPickNamedMonthsAndDays();
    void postalLookupWindow();
};

void TestRefDialogs::editFormOfEveryMember_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("fields"); // caption per further field
    QTest::addColumn<QStringList>("labels"); // further texts the form shows
    QTest::newRow("industry") << "industry"
                              << "行业设置 - 增加"
                              << "行业名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("degree") << "degree"
                            << "学历设置 - 增加"
                            << "学历名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("duty") << "duty"
                          << "职务设置 - 增加"
                          << "职务名称:" << 20 << QStringList{"分     值:"}
                          << QStringList{"分值越高,排序时会靠前"};
    QTest::newRow("feast") << "feast"
                           << "节日设置 - 增加"
                           << "节日名称:" << 30 << QStringList{"月:", "日:", ""} << QStringList{};
    QTest::newRow("province") << "province"
                              << "省份管理 - 增加"
                              << "省份名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("region") << "region"
                            << "区域设置 - 增加"
                            << "区域名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("relationsort") << "relationsort"
                                  << "关系类别设置 - 增加"
                                  << "类别名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("societysitesort") << "societysitesort"
                                     << "常用电话类别设置 - 增加"
                                     << "类别名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("business") << "business"
                              << "往来类别设置 - 增加"
                              << "类别名称:" << 40 << QStringList{} << QStringList{};
    QTest::newRow("datumsort") << "datumsort"
                               << "我的资料类别设置 - 增加"
                               << "类别名称:" << 40 << QStringList{} << QStringList{};
    QTest::newRow("docsort") << "docsort"
                             << "文档类别设置 - 增加"
                             << "文档类别名称:" << 40 << QStringList{} << QStringList{};
    QTest::newRow("assosort") << "assosort"
                              << "关联关系增加"
                              << "关联关系名称:" << 20 << QStringList{} << QStringList{};
    QTest::newRow("dep") << "dep"
                         << "部门增加"
                         << "部门名称:" << 40 << QStringList{} << QStringList{};
    QTest::newRow("sort") << "sort"
                          << "级别设置 - 增加"
                          << "级别名称:" << 20 << QStringList{"级别分值:", "往来时间间隔:"}
                          << QStringList{"分", "天"};
}

void TestRefDialogs::editFormOfEveryMember() {
    QFETCH(QString, table);
    QFETCH(QString, title);
    QFETCH(QString, caption);
    QFETCH(int, limit);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, labels);
    Fixture f;
    RefRecordForm form(f.db, f.prompter, *reftables::find(table), RefRecordForm::Mode::Add);
    CRefEditDlg dialog(form, {});
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(labelOf(&dialog, dialog.nameEdit()), caption);
    QCOMPARE(dialog.nameEdit()->maxLength(), limit);
    QStringList fieldCaptions;
    for (int i = 0; dialog.field(i); ++i)
        fieldCaptions << labelOf(&dialog, dialog.field(i));
    QCOMPARE(fieldCaptions, fields);
    for (const QString& text : labels)
        QVERIFY2(labelTexts(&dialog).contains(text), qPrintable(text));
    QCOMPARE(dialog.findChild<QPushButton*>("ok")->text(), QStringLiteral("确定(&O)"));
    QCOMPARE(dialog.findChild<QPushButton*>("cancel")->text(), QStringLiteral("取消(&C)"));
}

void TestRefDialogs::digitsOnlyAndLimitedByTheEdits() {
    Fixture f;
    RefRecordForm duty(f.db, f.prompter, *reftables::find("duty"), RefRecordForm::Mode::Add);
    CRefEditDlg dialog(duty, {});
    auto* value = qobject_cast<QLineEdit*>(dialog.field(0));
    QVERIFY(value);
    QTest::keyClicks(value, "12a3456");
    QCOMPARE(value->text(), QStringLiteral("12345"));
    dialog.nameEdit()->insert(QString(25, u'职'));
    QCOMPARE(dialog.nameEdit()->text(), QString(20, u'职'));

    RefRecordForm feast(f.db, f.prompter, *reftables::find("feast"), RefRecordForm::Mode::Add);
    CRefEditDlg feastDialog(feast, {});
    auto* month = qobject_cast<QComboBox*>(feastDialog.field(0));
    auto* day = qobject_cast<QComboBox*>(feastDialog.field(1));
    QVERIFY(month && day);
    QCOMPARE(month->count(), 12);
    QCOMPARE(month->itemText(0), QStringLiteral("01"));
    QCOMPARE(month->itemText(11), QStringLiteral("12"));
    QCOMPARE(day->count(), 31);
    QCOMPARE(day->itemText(30), QStringLiteral("31"));
    QVERIFY(!month->isEditable());
}

void TestRefDialogs::addModifyAndDoubleClickThroughTheWindow() {
    Fixture f;
    CRefListDlg dialog(f.db, f.prompter, *reftables::find("industry"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const int count = int(f.db.count("select count(*) from industry where industry_name<>''"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("行业设置 - 共有记录数： %1").arg(count));
    QCOMPARE(dialog.addButton()->text(), QStringLiteral("增加(&A)"));
    QCOMPARE(dialog.deleteButton()->text(), QStringLiteral("删除(&D)"));
    QCOMPARE(dialog.modifyButton()->text(), QStringLiteral("修改(&M)"));
    QCOMPARE(dialog.exitButton()->text(), QStringLiteral("退出(&C)"));

    // 增加: one industry typed with a quote and a percent sign, then no more.
    f.prompter.answer(false);
    QString formTitle;
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        formTitle = form->windowTitle();
        QTest::keyClicks(form->nameEdit(), "O'Neil 100%");
        form->findChild<QPushButton*>("ok")->click();
    });
    dialog.addButton()->click();
    QCOMPARE(formTitle, QStringLiteral("行业设置 - 增加"));
    QCOMPARE(f.prompter.texts(), QStringList{"继续增加吗?"});
    QVERIFY(f.names("industry").contains("O'Neil 100%"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("行业设置 - 共有记录数： %1").arg(count + 1));
    QVERIFY(dialog.changed());

    // 修改 on the ticked row: the form starts from its name, all of it selected.
    const int row = rowNamed(dialog.list(), 2, "O'Neil 100%");
    QVERIFY(row >= 0);
    dialog.list().model().setChecked(row, true);
    QString selected;
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        formTitle = form->windowTitle();
        selected = form->nameEdit()->selectedText();
        form->nameEdit()->setText("O'Neil");
        form->findChild<QPushButton*>("ok")->click();
    });
    dialog.modifyButton()->click();
    QCOMPARE(formTitle, QStringLiteral("行业设置 - 修改"));
    QCOMPARE(selected, QStringLiteral("O'Neil 100%"));
    QVERIFY(f.names("industry").contains("O'Neil"));
    QVERIFY(rowNamed(dialog.list(), 2, "O'Neil") >= 0);

    // A double click opens the selected row; cancelling writes nothing.
    dialog.list().model().setChecked(0, false);
    const int target = rowNamed(dialog.list(), 2, "O'Neil");
    dialog.view()->selectRow(target);
    QString prefilled;
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        prefilled = form->nameEdit()->text();
        form->nameEdit()->setText("不会保存");
        form->findChild<QPushButton*>("cancel")->click();
    });
    const QRect cell = dialog.view()->visualRect(dialog.list().model().index(target, 2));
    QTest::mouseDClick(dialog.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(prefilled, QStringLiteral("O'Neil"));
    QVERIFY(dialog.list().model().isChecked(target));
    QVERIFY(!f.names("industry").contains("不会保存"));

    dialog.exitButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestRefDialogs::feastListIgnoresDoubleClicks() {
    Fixture f;
    QVERIFY(f.db.execute(
        "insert into feast(feast_name,feast_month,feast_day) values('测试节','01','22')"));
    const qint64 feasts = f.db.count("select count(*) from feast");
    CRefListDlg dialog(f.db, f.prompter, *reftables::find("feast"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("节日设置 - 共有记录数： %1").arg(feasts));
    const int row = rowNamed(dialog.list(), 2, "测试节");
    dialog.view()->selectRow(row);
    // A form opened by the double click would be open when this runs.
    bool opened = false;
    QTimer::singleShot(50, [&] {
        if (auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            form->reject();
        }
    });
    const QRect cell = dialog.view()->visualRect(dialog.list().model().index(row, 2));
    QTest::mouseDClick(dialog.view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::qWait(100);
    QVERIFY(!opened);
    QVERIFY(f.prompter.messages.isEmpty());
    QVERIFY(!dialog.list().model().isChecked(row));
}

void TestRefDialogs::modifyFormOfAFeastStartsFromItsDate() {
    Fixture f;
    QVERIFY(f.db.execute(
        "insert into feast(feast_name,feast_month,feast_day) values('测试节','09','17')"));
    CRefListDlg dialog(f.db, f.prompter, *reftables::find("feast"));
    dialog.list().model().setChecked(rowNamed(dialog.list(), 2, "测试节"), true);
    QStringList shown;
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        shown << form->windowTitle() << form->nameEdit()->text() << form->fieldValues();
        qobject_cast<QComboBox*>(form->field(1))->setCurrentText("18");
        form->findChild<QPushButton*>("ok")->click();
    });
    dialog.modifyButton()->click();
    QCOMPARE(shown, (QStringList{"节日设置 - 修改", "测试节", "09", "17", "0"}));
    QCOMPARE(dialog.list().model().text(rowNamed(dialog.list(), 2, "测试节"), 3),
             QStringLiteral("09-18"));
}

// The tick turns the lists into 正月..腊月 and 初一..三十 and back, keeping
// the entry picked; a lunar row opens with its names, and its list row shows
// them.
void TestRefDialogs::lunarFeastsPickNamedMonthsAndDays() {
    Fixture f;
    RefRecordForm add(f.db, f.prompter, *reftables::find("feast"), RefRecordForm::Mode::Add);
    CRefEditDlg dialog(add, {});
    auto* month = qobject_cast<QComboBox*>(dialog.field(0));
    auto* day = qobject_cast<QComboBox*>(dialog.field(1));
    auto* tick = qobject_cast<QCheckBox*>(dialog.field(2));
    QVERIFY(month && day && tick);
    QCOMPARE(tick->text(), QStringLiteral("农历"));
    QVERIFY(!tick->isChecked());
    month->setCurrentIndex(7);
    day->setCurrentIndex(30);
    QCOMPARE(dialog.fieldValues(), (QStringList{"08", "31", "0"}));

    tick->click();
    QStringList months, days;
    for (int i = 0; i < month->count(); ++i)
        months << month->itemText(i);
    for (int i = 0; i < day->count(); ++i)
        days << day->itemText(i);
    QCOMPARE(months, (QStringList{"正月", "二月", "三月", "四月", "五月", "六月", "七月", "八月",
                                  "九月", "十月", "冬月", "腊月"}));
    QCOMPARE(days.size(), 30);
    QCOMPARE(days.mid(0, 3), (QStringList{"初一", "初二", "初三"}));
    QCOMPARE(days.mid(9, 3), (QStringList{"初十", "十一", "十二"}));
    QCOMPARE(days.mid(19, 3), (QStringList{"二十", "廿一", "廿二"}));
    QCOMPARE(days.last(), QStringLiteral("三十"));
    // The 31st has no lunar day: the month's last one is kept instead.
    QCOMPARE(month->currentText(), QStringLiteral("八月"));
    QCOMPARE(day->currentText(), QStringLiteral("三十"));
    day->setCurrentIndex(14);
    QCOMPARE(dialog.fieldValues(), (QStringList{"08", "15", "1"}));

    dialog.nameEdit()->setText("团圆节");
    dialog.findChild<QPushButton*>("ok")->click();
    QCOMPARE(f.db.count("select count(*) from feast where feast_name='团圆节' and "
                        "feast_month='08' and feast_day='15' and feast_lunar=1"),
             1);

    tick->click();
    QCOMPARE(month->currentText(), QStringLiteral("08"));
    QCOMPARE(day->currentText(), QStringLiteral("15"));
    QCOMPARE(day->count(), 31);

    // The delivered 重阳节 in the list and in its modify form.
    CRefListDlg list(f.db, f.prompter, *reftables::find("feast"));
    const int row = rowNamed(list.list(), 2, "重阳节");
    QVERIFY(row >= 0);
    QCOMPARE(list.list().model().text(row, 3), QStringLiteral("九月初九"));
    list.list().model().setChecked(row, true);
    QStringList shown;
    whenModal<CRefEditDlg>([&](CRefEditDlg* form) {
        shown << qobject_cast<QComboBox*>(form->field(0))->currentText()
              << qobject_cast<QComboBox*>(form->field(1))->currentText() << form->fieldValues();
        form->reject();
    });
    list.modifyButton()->click();
    QCOMPARE(shown, (QStringList{"九月", "初九", "09", "09", "1"}));
}

void TestRefDialogs::postalLookupWindow() {
    Fixture f;
    CPostalLookupDlg dialog(f.db);
    const qint64 cities = f.db.count("select count(*) from city c inner join province p on "
                                     "c.city_province_code=p.province_code where c.city_name<>''");
    QCOMPARE(dialog.model().rowCount(), int(cities));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("区号邮编查询--目前共有记录数： %1").arg(cities));
    QCOMPARE(dialog.provinceEdit()->maxLength(), 50);
    QCOMPARE(dialog.cityEdit()->maxLength(), 50);
    QCOMPARE(dialog.areaCodeEdit()->maxLength(), 10);
    QCOMPARE(dialog.postcodeEdit()->maxLength(), 6);
    QTest::keyClicks(dialog.areaCodeEdit(), "0512");
    dialog.searchButton()->click();
    QCOMPARE(dialog.model().rowCount(), 1);
    QCOMPARE(dialog.model().text(0, 1), QStringLiteral("苏州市"));
    QCOMPARE(dialog.model().text(0, 2), QStringLiteral("江苏省"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("区号邮编查询--目前共有记录数： 1"));
    QStringList headers;
    for (const ReportColumn& column : dialog.model().columns())
        headers << QStringLiteral("%1,%2").arg(column.caption).arg(column.width);
    QCOMPARE(headers.join(u';'),
             QStringLiteral("选,20;城市名称,75;所属省份,120;区号,50;邮政编码,80"));
}

QTEST_MAIN(TestRefDialogs)
#include "tst_refdialogs.moc"
