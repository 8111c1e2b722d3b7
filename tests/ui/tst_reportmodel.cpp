// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReportModel.h"

#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTest>

class TestReportModel : public QObject {
    Q_OBJECT

  private slots:
    void columnSpec_data();
    void columnSpec();
    void selectHeaderTogglesByItsOwnCount();
    void sortsChineseByLocaleAndNumbersAsText();
    void sameHeaderReversesOtherHeaderAscends();
    void textChangedInPlaceSortsByTheNewText();
    void rowsAddRemoveAndTicks();
    void editedAndWidenedRowsKeepTheirNeighbours();
};

void TestReportModel::columnSpec_data() {
    QTest::addColumn<QString>("columnText");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("trailing semicolon")
        << "选,25;ID,0;姓名,70;职务,60;" << QStringList{"选", "ID", "姓名", "职务"}
        << QList<int>{25, 0, 70, 60};
    QTest::newRow("no trailing semicolon")
        << "选,20;城市名称,75;所属省份,120;区号,50;邮政编码,80"
        << QStringList{"选", "城市名称", "所属省份", "区号", "邮政编码"}
        << QList<int>{20, 75, 120, 50, 80};
    QTest::newRow("empty") << "" << QStringList{} << QList<int>{};
    QTest::newRow("no comma at all") << "选" << QStringList{} << QList<int>{};
    QTest::newRow("caption with blank")
        << "选,25;ID,0;类别名称,155" << QStringList{"选", "ID", "类别名称"}
        << QList<int>{25, 0, 155};
}

void TestReportModel::columnSpec() {
    QFETCH(QString, columnText);
    QFETCH(QStringList, captions);
    QFETCH(QList<int>, widths);
    const auto columns = ReportColumn::parse(columnText);
    QCOMPARE(columns.size(), captions.size());
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(columns[i].caption, captions[i]);
        QCOMPARE(columns[i].width, widths[i]);
        QCOMPARE(columns[i].hidden(), widths[i] == 0);
    }
    ReportModel model(columnText);
    QCOMPARE(model.columnCount(), captions.size());
    if (!captions.isEmpty())
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), captions[0]);
}

void TestReportModel::selectHeaderTogglesByItsOwnCount() {
    ReportModel model("选,25;ID,0;姓名,70;");
    for (int i = 0; i < 4; ++i)
        model.addRow({"", QString::number(i), QStringLiteral("名%1").arg(i)});
    model.setChecked(1, true);
    model.setChecked(2, true);
    QVERIFY(!model.clickHeader(0)); // does not sort
    QCOMPARE(model.checkedRows(), (QList<int>{0, 1, 2, 3}));
    model.setChecked(0, false); // by hand in between
    QVERIFY(!model.clickHeader(0));
    QVERIFY(model.checkedRows().isEmpty());
    model.setChecked(3, true);
    model.clickHeader(0);
    QCOMPARE(model.checkedRows().size(), 4);
    QCOMPARE(model.data(model.index(2, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model.key(2), QStringLiteral("2"));
}

void TestReportModel::sortsChineseByLocaleAndNumbersAsText() {
    ReportModel model("选,25;ID,0;姓名,70;金额,60");
    model.addRow({"", "1", "张三", "9"});
    model.addRow({"", "2", "李四", "10"});
    model.addRow({"", "3", "王五", "100"});
    model.addRow({"", "4", "赵六", "2"});
    QVERIFY(model.clickHeader(2));
    QStringList names;
    for (int i = 0; i < 4; ++i)
        names << model.text(i, 2);
    QCOMPARE(names, (QStringList{"李四", "王五", "张三", "赵六"})); // pinyin order
    model.clickHeader(3);
    QStringList amounts;
    for (int i = 0; i < 4; ++i)
        amounts << model.text(i, 3);
    QCOMPARE(amounts, (QStringList{"10", "100", "2", "9"}));
}

void TestReportModel::sameHeaderReversesOtherHeaderAscends() {
    ReportModel model("选,25;ID,0;名,70;号,70");
    model.addRow({"", "1", "b", "2"});
    model.addRow({"", "2", "a", "3"});
    model.addRow({"", "3", "c", "1"});
    model.setChecked(0, true); // the tick follows its row
    QPersistentModelIndex held = model.index(1, 2);
    model.clickHeader(2);
    QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
    QCOMPARE(model.text(0, 2), QStringLiteral("a"));
    QCOMPARE(held.row(), 0);
    model.clickHeader(2);
    QCOMPARE(model.sortOrder(), Qt::DescendingOrder);
    QCOMPARE(model.text(0, 2), QStringLiteral("c"));
    model.clickHeader(3);
    QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
    QCOMPARE(model.text(0, 3), QStringLiteral("1"));
    QCOMPARE(model.checkedRows().size(), 1);
    QCOMPARE(model.key(model.checkedRows().first()), QStringLiteral("1"));
}

void TestReportModel::textChangedInPlaceSortsByTheNewText() {
    ReportModel model("选,25;ID,0;名,70");
    model.addRow({"", "1", "a"});
    model.addRow({"", "2", "b"});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setText(0, 2, "z");
    QCOMPARE(changed.size(), 1);
    model.clickHeader(2);
    QCOMPARE(model.key(0), QStringLiteral("2"));
    QCOMPARE(model.text(1, 2), QStringLiteral("z"));
}

void TestReportModel::rowsAddRemoveAndTicks() {
    ReportModel model("选,25;ID,0;名,70");
    model.addRow({"", "1"}); // missing texts are empty
    QCOMPARE(model.text(0, 2), QString());
    model.setRows({{"", "7", "x"}, {"", "8", "y"}, {"", "9", "z"}});
    QCOMPARE(model.rowCount(), 3);
    model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole);
    QVERIFY(model.isChecked(1));
    QVERIFY(model.flags(model.index(1, 0)) & Qt::ItemIsUserCheckable);
    QVERIFY(!(model.flags(model.index(1, 2)) & Qt::ItemIsUserCheckable));
    model.removeRowAt(0);
    QCOMPARE(model.checkedRows(), QList<int>{0});
    QCOMPARE(model.key(0), QStringLiteral("8"));
    model.removeRowAt(5); // out of range: nothing happens
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.checkedRows().isEmpty());
}

// The texts of all rows lie in one store: a text changed, or a column added to
// one short row, must leave every other row as it was, through sorts and ticks.
void TestReportModel::editedAndWidenedRowsKeepTheirNeighbours() {
    ReportModel model("选,25;ID,0;名,70;单位,90");
    ReportRows rows;
    for (int i = 0; i < 5; ++i)
        rows.append({QStringView(), QString::number(i), QStringLiteral("张%1").arg(i),
                     QStringLiteral("单位%1").arg(i)});
    rows.append({QStringView(), u"5"}); // a short row
    model.setRows(std::move(rows));
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.text(5, 2), QString());

    model.setText(5, 3, QStringLiteral("最后的单位"));
    model.setText(5, 2, QStringLiteral("王五"));
    model.setText(1, 2, QStringLiteral("一个长得多的名字"));
    model.setText(1, 2, QStringLiteral("李"));
    model.setChecked(1, true);
    model.setChecked(5, true);
    const QStringList expected = {"0|张0|单位0", "1|李|单位1",  "2|张2|单位2",
                                  "3|张3|单位3", "4|张4|单位4", "5|王五|最后的单位"};
    auto shown = [&] {
        QStringList lines;
        for (int r = 0; r < model.rowCount(); ++r)
            lines << QStringList{model.key(r), model.text(r, 2), model.text(r, 3)}.join(u'|');
        return lines;
    };
    QCOMPARE(shown(), expected);
    QCOMPARE(model.text(0, 4), QString()); // past the last column

    model.clickHeader(1);
    model.clickHeader(1); // 5 down to 0
    QCOMPARE(model.key(0), QStringLiteral("5"));
    QCOMPARE(model.text(0, 3), QStringLiteral("最后的单位"));
    QCOMPARE(model.checkedRows(), (QList<int>{0, 4}));
    model.removeRowAt(0);
    QCOMPARE(model.key(3), QStringLiteral("1"));
    QVERIFY(model.isChecked(3));
    QCOMPARE(model.text(3, 2), QStringLiteral("李"));
    QCOMPARE(model.text(4, 3), QStringLiteral("单位0"));
}

QTEST_GUILESS_MAIN(TestReportModel)
#include "tst_reportmodel.moc"
