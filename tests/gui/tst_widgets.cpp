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
    void reportViewHidesKeysAndHandlesHeaderClicks();
    void progressWindowShowsPercent();
    void prompterShowsLineBreaksAndAnswers();
    void standardButtonsReadChinese();
};

void TestWidgets::reportViewHidesKeysAndHandlesHeaderClicks() {
    ReportModel model("选,25;ID,0;姓名,70;职务,60;");
    model.addRow({"", "1", "张三", "经理"});
    model.addRow({"", "2", "李四", "主管"});
    CReportView view;
    view.setReportModel(&model);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(view.isColumnHidden(1));
    QVERIFY(!view.isColumnHidden(2));
    QCOMPARE(view.columnWidth(2), 70);

    QHeaderView* header = view.horizontalHeader();
    const QPoint first(header->sectionViewportPosition(0) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(model.checkedRows().size(), 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, first);
    QVERIFY(model.checkedRows().isEmpty());

    const QPoint name(header->sectionViewportPosition(2) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
    QCOMPARE(model.text(0, 2), QStringLiteral("李四"));
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(model.text(0, 2), QStringLiteral("张三"));
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
