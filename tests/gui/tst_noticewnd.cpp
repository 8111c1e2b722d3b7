// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/StartupNotice.h"
#include "shell/NoticeHost.h"
#include "ui/CNoticeWnd.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QTest>

class TestNoticeWnd : public QObject {
    Q_OBJECT

  private slots:
    void looksLikeAHint();
    void modes_data();
    void modes();
    void slidesUpWaitsAndSlidesDown();
    void secondNoticeIsDropped();
    void clickSendsItAway();
    void timersCarryItThrough();

  private:
    static QList<int> riseToTop(CNoticeWnd* window);
};

// Drives the rise by hand and returns the heights seen after each step.
QList<int> TestNoticeWnd::riseToTop(CNoticeWnd* window) {
    QList<int> heights;
    for (int i = 0; i < 100 && window->phase() == CNoticeWnd::Phase::Rising; ++i) {
        window->tick();
        heights << window->height();
    }
    return heights;
}

void TestNoticeWnd::looksLikeAHint() {
    QWidget owner;
    NoticeHost host(&owner);
    CNoticeWnd* window = host.showNotice(QStringLiteral("等级分增加 5 分!"));
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Halvora人脉提示窗"));
    QCOMPARE(window->mode(), 1);
    QCOMPARE(window->shownLines(), QStringList{QStringLiteral("等级分增加 5 分!")});
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));

    riseToTop(window);
    QCOMPARE(window->phase(), CNoticeWnd::Phase::Still);
    QCOMPARE(window->size(), QSize(181, 116));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window->geometry(), window->restingGeometry());
    QCOMPARE(window->geometry().right(), area.right());
    QCOMPARE(window->geometry().bottom(), area.bottom());
    QVERIFY(window->isVisible());
    QVERIFY(!window->isActiveWindow());
}

// Each mode shows its number of lines, lines 1 and 2 defaulting to the
// heading; long Chinese lines wrap and every line fits below the heading.
void TestNoticeWnd::modes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("shown");

    const QString tip = QStringLiteral("小贴士");
    const QString greeting = QStringLiteral("长期不登录,等级分下降 30 分!");
    const QString festival = QStringLiteral("离 国庆节 还有 125 天");
    const QString planned = QStringLiteral("当天有事务需处理!");
    const QString birthdays = QStringLiteral("本月有人或其家属过生日!");
    QTest::newRow("mode 1 without text") << 1 << QStringList{} << QStringList{tip};
    QTest::newRow("mode 1 long line") << 1 << QStringList{greeting} << QStringList{greeting};
    QTest::newRow("mode 2 line 2 defaults")
        << 2 << QStringList{greeting} << QStringList{greeting, tip};
    QTest::newRow("mode 2") << 2 << QStringList{greeting, festival}
                            << QStringList{greeting, festival};
    QTest::newRow("mode 3") << 3 << QStringList{greeting, festival, planned}
                            << QStringList{greeting, festival, planned};
    QTest::newRow("mode 4") << 4 << QStringList{greeting, festival, planned, birthdays}
                            << QStringList{greeting, festival, planned, birthdays};
    QTest::newRow("mode 4 extra lines ignored")
        << 4 << QStringList{greeting, festival, planned, birthdays, tip}
        << QStringList{greeting, festival, planned, birthdays};
    QTest::newRow("mode 0 means one line") << 0 << QStringList{festival} << QStringList{festival};
}

void TestNoticeWnd::modes() {
    QFETCH(int, mode);
    QFETCH(QStringList, given);
    QFETCH(QStringList, shown);
    QWidget owner;
    CNoticeWnd window(mode, given, &owner);
    QCOMPARE(window.shownLines(), shown);
    QCOMPARE(window.mode(), shown.size());

    const QList<QRect> rects = window.lineRects();
    QCOMPARE(rects.size(), shown.size());
    const QFontMetrics metrics(window.lineFont());
    QVERIFY(window.lineFont().pointSizeF() >= 7.0);
    const int headingBottom = 5 + metrics.height();
    for (int i = 0; i < rects.size(); ++i) {
        QVERIFY(QRect(0, 0, 181, 116).contains(rects[i]));
        QVERIFY2(rects[i].top() >= (mode <= 1 ? 30 : headingBottom - 2), qPrintable(shown[i]));
        if (i > 0)
            QVERIFY(rects[i].top() >= rects[i - 1].bottom());
        const QRect needed = metrics.boundingRect(
            rects[i], Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, shown[i]);
        QVERIFY2(rects[i].contains(needed), qPrintable(shown[i]));
    }
}

void TestNoticeWnd::slidesUpWaitsAndSlidesDown() {
    QWidget owner;
    NoticeHost host(&owner);
    const StartupNotice startup(QStringLiteral("维护人脉资源,走向成功!"), Festival{"元旦", 3}, true,
                                true);
    QPointer<CNoticeWnd> window = host.showStartup(startup);
    QVERIFY(window);
    QCOMPARE(window->mode(), 4);
    QCOMPARE(window->shownLines(), startup.lines());
    QCOMPARE(window->phase(), CNoticeWnd::Phase::Rising);
    QVERIFY(!window->isVisible()); // no height yet

    const QRect rest = window->restingGeometry();
    QList<int> expected;
    for (int h = 3; h <= 114; h += 3)
        expected << h;
    expected << 116; // the step past the full height stops at it
    QList<int> heights;
    QList<int> tops;
    while (window->phase() == CNoticeWnd::Phase::Rising) {
        window->tick();
        heights << window->height();
        tops << window->y();
        QCOMPARE(window->x(), rest.x());
        QCOMPARE(window->geometry().bottom(), rest.bottom());
    }
    QCOMPARE(heights, expected);
    QCOMPARE(tops.first(), rest.bottom() + 1 - 3);
    QCOMPARE(tops.last(), rest.top());

    for (int i = 0; i < 10; ++i)
        window->tick();
    QCOMPARE(window->phase(), CNoticeWnd::Phase::Still);
    QCOMPARE(window->geometry(), rest);
    QVERIFY(host.isOpen());

    window->slideDown(); // what the pause's timer does when it ends
    QList<int> falling;
    while (window && window->phase() == CNoticeWnd::Phase::Falling) {
        window->tick();
        if (window->phase() == CNoticeWnd::Phase::Falling) {
            falling << window->height();
            QCOMPARE(window->geometry().bottom(), rest.bottom());
        }
    }
    QCOMPARE(falling.first(), 113);
    QCOMPARE(falling.last(), 2);
    QCOMPARE(falling.size(), 38);
    QCOMPARE(window->phase(), CNoticeWnd::Phase::Done);
    QVERIFY(!window->isVisible());
    QVERIFY(!host.isOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
}

void TestNoticeWnd::secondNoticeIsDropped() {
    QWidget owner;
    NoticeHost host(&owner);
    QVERIFY(!host.isOpen());
    QPointer<CNoticeWnd> first = host.showNotice(QStringLiteral("等级分增加 5 分!"));
    QVERIFY(first);
    QVERIFY(!host.showNotice(QStringLiteral("等级分减少 5 分!")));
    QVERIFY(!host.showStartup(StartupNotice(QStringLiteral("x"), Festival{}, false, false)));
    QCOMPARE(host.current(), first.data());
    QCOMPARE(first->lineText(1), QStringLiteral("等级分增加 5 分!"));
    QCOMPARE(owner.findChildren<CNoticeWnd*>().size(), 1);

    riseToTop(first);
    first->slideDown();
    while (first->phase() == CNoticeWnd::Phase::Falling)
        first->tick();
    QVERIFY(!host.isOpen());
    CNoticeWnd* second = host.showNotice(QStringLiteral("等级分减少 5 分!"));
    QVERIFY(second);
    QCOMPARE(second->lineText(1), QStringLiteral("等级分减少 5 分!"));
}

void TestNoticeWnd::clickSendsItAway() {
    QWidget owner;
    NoticeHost host(&owner);
    CNoticeWnd* window = host.showNotice(QStringLiteral("不错,等级分增加了!"));
    riseToTop(window);
    QCOMPARE(window->phase(), CNoticeWnd::Phase::Still);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(90, 60));
    QCOMPARE(window->phase(), CNoticeWnd::Phase::Falling);
    window->tick();
    QCOMPARE(window->height(), 113);
}

void TestNoticeWnd::timersCarryItThrough() {
    QWidget owner;
    NoticeHost host(&owner);
    QPointer<CNoticeWnd> window = host.showNotice(QStringLiteral("等级分增加 5 分!"));
    window->setTimings(1, 1);
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
    QVERIFY(!host.isOpen());
}

QTEST_MAIN(TestNoticeWnd)
#include "tst_noticewnd.moc"
