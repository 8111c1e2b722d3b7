// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CProgressDlg.h"
#include "ui/CReportView.h"
#include "ui/MessagePrompter.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

class TestWidgets : public QObject {
    Q_OBJECT

  private slots:
    void reportViewHidesKeyColumns();
    void headerClicksSortAndTick();
    void progressWindowShowsPercent();
    void prompterShowsLineBreaksAndAnswers();
    void standardButtonsReadChinese();
};

void TestWidgets::reportViewHidesKeyColumns() {
    ReportModel model("选,25;ID,0;姓名,70;职务,60;");
    model.addRow({"", "1", "张三", "经理"});
    CReportView view;
    view.setReportModel(&model);
    QVERIFY(view.isColumnHidden(1));
    QVERIFY(!view.isColumnHidden(2));
    QCOMPARE(view.columnWidth(2), 70);
}

// Clicks on the widget's header: the first click on a column sorts it A to Z,
// the next Z to A, another column starts again at A to Z; "选" ticks and
// unticks every row and never sorts; a list filled anew starts unsorted.
void TestWidgets::headerClicksSortAndTick() {
    ReportModel model("选,25;ID,0;姓名,70;职务,60;");
    // Pinyin: 李 li < 王 wang < 张 zhang; 经 jing < 秘 mi < 主 zhu.
    const QList<QStringList> rows = {
        {"", "1", "张三", "经理"}, {"", "2", "李四", "主管"}, {"", "3", "王五", "秘书"}};
    model.setRows(rows);
    CReportView view;
    view.setReportModel(&model);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QHeaderView* header = view.horizontalHeader();
    const auto click = [&](int column) {
        const QPoint at(header->sectionViewportPosition(column) + 5, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    const auto keys = [&] {
        QString k;
        for (int row = 0; row < model.rowCount(); ++row)
            k += model.key(row);
        return k;
    };

    struct Step {
        int column;
        const char* keys;
        Qt::SortOrder shown;
    };
    const Step steps[] = {
        {2, "231", Qt::AscendingOrder},  {2, "132", Qt::DescendingOrder},
        {2, "231", Qt::AscendingOrder},  {3, "132", Qt::AscendingOrder},
        {3, "231", Qt::DescendingOrder}, {2, "231", Qt::AscendingOrder},
    };
    for (const Step& step : steps) {
        click(step.column);
        QCOMPARE(keys(), QString::fromLatin1(step.keys));
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), step.column);
        QCOMPARE(header->sortIndicatorOrder(), step.shown);
    }

    click(0);
    QCOMPARE(model.checkedRows().size(), 3);
    QCOMPARE(keys(), QStringLiteral("231"));
    QCOMPARE(header->sortIndicatorSection(), 2);
    click(0);
    QVERIFY(model.checkedRows().isEmpty());
    QCOMPARE(keys(), QStringLiteral("231"));

    // The list filled again, as a new tree node does: no direction shown, and the
    // column sorted last starts again at A to Z.
    model.setRows(rows);
    QVERIFY(!header->isSortIndicatorShown());
    click(2);
    QCOMPARE(keys(), QStringLiteral("231"));
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    model.clear();
    model.setRows(rows);
    click(2);
    QCOMPARE(keys(), QStringLiteral("231"));
}

void TestWidgets::progressWindowShowsPercent() {
    CProgressDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("提示"));
    QCOMPARE(dialog.percentText(), QStringLiteral(" 0 %"));
    bool hasText = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        hasText |= label->text() == QStringLiteral("正在处理，请稍候");
    QVERIFY(hasText);
    dialog.setRange(0, 5);
    dialog.setPosition(2);
    QCOMPARE(dialog.percentText(), QStringLiteral("40%"));
    dialog.setPosition(5);
    QCOMPARE(dialog.percentText(), QStringLiteral("100%"));
    dialog.setRange(0, 100);
    dialog.setPosition(90);
    QCOMPARE(dialog.percentText(), QStringLiteral("90%"));
}

void TestWidgets::prompterShowsLineBreaksAndAnswers() {
    QCOMPARE(MessagePrompter::displayText("第一行\r\n第二行"), QStringLiteral("第一行\n第二行"));
    MessagePrompter prompter;
    QString seenText, seenTitle;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenText = box->text();
        seenTitle = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!prompter.confirm("确定要退出吗(?)\r\n再想想"));
    QCOMPARE(seenTitle, QStringLiteral("确认"));
    QCOMPARE(seenText, QStringLiteral("确定要退出吗(?)\n再想想"));

    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenTitle = box->windowTitle();
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(prompter.confirm("再来?"));

    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenTitle = box->windowTitle();
        QCOMPARE(box->icon(), QMessageBox::Information);
        box->accept();
    });
    prompter.inform("完成");
    QCOMPARE(seenTitle, QStringLiteral("提示"));
}

void TestWidgets::standardButtonsReadChinese() {
    QTranslator translator;
    QVERIFY(translator.load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QApplication::installTranslator(&translator);
    QMessageBox box(QMessageBox::Question, "确认", "?", QMessageBox::Yes | QMessageBox::No);
    QVERIFY(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("是")));
    QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("否")));
    QApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
