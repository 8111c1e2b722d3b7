// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CClientView2.h"
#include "contacts/CDistributeDlg.h"
#include "contacts/DetailPane.h"
#include "db/Database.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>

namespace {

// A detail pane that remembers what the list asked of it.
class FakePane : public QWidget, public DetailPane {
  public:
    void clearPane() override { shown = 0; }
    void loadContact(qint64 code, int liveFlag) override {
        shown = code;
        loads << code;
        lastLiveFlag = liveFlag;
    }
    bool validatePane() override {
        ++validations;
        return valid;
    }
    bool saveContact(qint64 code) override {
        saves << code;
        return true;
    }
    bool isModified() const override { return modified; }
    void setModified(bool value) override { modified = value; }

    qint64 shown = 0;
    QList<qint64> loads;
    QList<qint64> saves;
    int lastLiveFlag = -1;
    int validations = 0;
    bool valid = true;
    bool modified = false;
};

struct Fixture {
    Fixture() : db(&prompter) {
        db.open(home.databasePath());
        for (const char* name : {"Ann", "Bob", "Cid"})
            db.execute(sql::Statement(
                QStringLiteral("insert into base (base_name,work_name,work_duty_code,"
                               "base_invalid_flag) values ('%1','W',1,1)")
                    .arg(QLatin1String(name))));
        view.attach(db, prompter, clock, 1);
        pane = new FakePane;
        view.setDetailPane(pane, pane);
        view.load("b.base_invalid_flag=1", 0, 1);
        view.resize(900, 600);
        view.show();
    }
    QPoint centre(int row) const {
        return view.list()->visualRect(view.model()->index(row, 2)).center();
    }
    void click(int row) {
        QTest::mouseClick(view.list()->viewport(), Qt::LeftButton, {}, centre(row));
    }
    // What a desktop delivers for a double click: press, release, press, double click, release.
    void doubleClick(int row) {
        QWidget* viewport = view.list()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(row));
        QTest::mousePress(viewport, Qt::LeftButton, {}, centre(row));
        QMouseEvent twice(QEvent::MouseButtonDblClick, centre(row),
                          viewport->mapToGlobal(centre(row)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &twice);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(row));
    }
    qint64 code(int row) const { return view.model()->key(row).toLongLong(); }

    TestHome home;
    ScriptedPrompter prompter;
    FixedClock clock;
    Database db;
    CClientView2 view;
    FakePane* pane = nullptr;
};

} // namespace

class TestClientView : public QObject {
    Q_OBJECT

  private slots:
    void savePromptOnRowClick_data();
    void savePromptOnRowClick();
    void clicksAndTicks();
    void splitterStartsAtHalfHeight();
    void distributeDialog();
    void distributeThroughTheDialog();
};

void TestClientView::savePromptOnRowClick_data() {
    QTest::addColumn<bool>("contactShown");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("shownRow"); // the row whose contact the pane ends with
    QTest::newRow("yes, valid: saved, next shown") << true << true << true << true << true << 1;
    QTest::newRow("yes, invalid: old contact kept") << true << true << false << true << false << 0;
    QTest::newRow("no: edits dropped") << true << false << true << true << false << 1;
    QTest::newRow("nothing shown yet: no question") << false << true << true << false << false << 1;
}

void TestClientView::savePromptOnRowClick() {
    QFETCH(bool, contactShown);
    QFETCH(bool, yes);
    QFETCH(bool, valid);
    QFETCH(bool, asked);
    QFETCH(bool, saved);
    QFETCH(int, shownRow);
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    if (contactShown) {
        f.click(0);
        QCOMPARE(f.view.currentContact(), f.code(0));
    }
    f.pane->modified = true;
    f.pane->valid = valid;
    f.prompter.answer(yes);
    f.click(1);

    QCOMPARE(f.prompter.messages.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("确认"));
        QCOMPARE(f.prompter.messages.first().text, QStringLiteral("保存修改记录吗?"));
        QCOMPARE(f.prompter.messages.first().icon, PromptIcon::Question);
    }
    QCOMPARE(f.pane->saves, saved ? QList<qint64>{f.code(0)} : QList<qint64>{});
    QCOMPARE(f.pane->validations, asked && yes ? 1 : 0);
    QCOMPARE(f.pane->shown, f.code(shownRow));
    QCOMPARE(f.view.currentContact(), f.code(shownRow));
    QCOMPARE(f.pane->lastLiveFlag, 1);
    // A save refused after 是 keeps the edits pending; otherwise they are settled.
    const bool pending = asked && yes && !valid;
    QCOMPARE(f.pane->modified, pending);

    // Pending edits are asked about again on the next click (否 drops them).
    if (pending)
        f.prompter.answer(false);
    f.click(2);
    QCOMPARE(f.prompter.messages.size(), (asked ? 1 : 0) + (pending ? 1 : 0));
    QCOMPARE(f.pane->shown, f.code(2));
}

void TestClientView::clicksAndTicks() {
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    f.click(1);
    f.click(1); // the same contact again, unmodified: not reloaded
    QCOMPARE(f.pane->loads, QList<qint64>{f.code(1)});

    f.doubleClick(2);
    QVERIFY(f.view.model()->isChecked(2));
    f.doubleClick(2);
    QVERIFY(!f.view.model()->isChecked(2));

    // A highlighted row is not a ticked one.
    f.click(0);
    QCOMPARE(f.view.list()->selectionModel()->selectedRows().size(), 1);
    QVERIFY(!f.view.deleteContacts());
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请选择所要删除的资料!"));
    QCOMPARE(f.view.model()->rowCount(), 3);
    QCOMPARE(f.db.count("select count(*) from base"), 3);
}

void TestClientView::splitterStartsAtHalfHeight() {
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const QList<int> first = f.view.splitter()->sizes();
    QVERIFY(qAbs(first.at(0) - first.at(1)) <= 1);
    QCOMPARE(f.view.detailWidget(), static_cast<QWidget*>(f.pane));

    f.view.splitter()->setSizes({150, 450});
    const QList<int> moved = f.view.splitter()->sizes();
    f.view.hide();
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    QCOMPARE(f.view.splitter()->sizes(), moved);
}

void TestClientView::distributeDialog() {
    Fixture f;
    QVERIFY(f.db.execute("insert into dep (dep_name) values ('')"));
    CDistributeDlg dialog(f.db, f.prompter);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("选择发放目标人"));
    QListWidget* list = dialog.list();
    QCOMPARE(list->count(), int(f.db.count("select count(*) from dep")) - 1);
    QVERIFY(list->findItems(QString(), Qt::MatchExactly).isEmpty());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // Typing would jump to a department by its first letter; right clicks would select.
    list->setFocus();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("销"));
    QApplication::sendEvent(list, &typed);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(1)).center());
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(list->count(), 5);

    auto* ok = dialog.findChild<QPushButton*>("ok");
    QCOMPARE(ok->text(), QStringLiteral("确定(&O)"));
    QCOMPARE(dialog.findChild<QPushButton*>("cancel")->text(), QStringLiteral("取消(&C)"));
    ok->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(f.prompter.lastText(), QStringLiteral("请选择目标用户!"));
    QCOMPARE(f.prompter.messages.last().caption, QStringLiteral("提示"));
    QCOMPARE(f.prompter.messages.last().icon, PromptIcon::Information);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.department(), list->item(1)->text());
}

void TestClientView::distributeThroughTheDialog() {
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    f.view.model()->setChecked(1, true);
    const qint64 bob = f.code(1);
    QVERIFY(f.db.execute("update base set base_user_code=0,base_user_dep_code=0"));
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDistributeDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        // The delivered database's administrator manages 总经理办公室.
        const auto found = dialog->list()->findItems("总经理办公室", Qt::MatchExactly);
        if (!found.isEmpty())
            dialog->list()->setCurrentItem(found.first());
        dialog->findChild<QPushButton*>("ok")->click();
    });
    QVERIFY(f.view.distribute());
    QVERIFY(seen);
    QCOMPARE(
        f.db.count(sql::Statement(QStringLiteral("select count(*) from base where base_code=%1 and "
                                                 "base_user_code=1 and base_user_dep_code=1")
                                      .arg(bob))),
        1);
    QCOMPARE(f.db.count("select count(*) from base where base_user_code=1"), 1);
    QCOMPARE(f.prompter.lastText(), QStringLiteral("资料分发完成!"));
}

QTEST_MAIN(TestClientView)
#include "tst_clientview.moc"
