// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsNetwork.h"
#include "stats/CRelationStatsView.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QHorizontalStackedBarSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QValueAxis>

// The view draws the hand-worked network's figures (StatsNetwork.h): each
// chart's series, values and labels, the clicks on the two top lists, and the
// pictures it writes.
class TestRelationStatsView : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void chartsShowTheFigures();
    void barsOpenTheirContact();
    void scopeChangeRedrawsAndPicturesAreWritten();

  private:
    static QStringList categories(QChart* chart, Qt::Alignment side) {
        const auto axes = chart->axes(side == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical);
        for (QAbstractAxis* axis : axes) {
            if (auto* c = qobject_cast<QBarCategoryAxis*>(axis))
                return c->categories();
        }
        return {};
    }
    static QList<qreal> values(QBarSet* set) {
        QList<qreal> out;
        for (int i = 0; i < set->count(); ++i)
            out << set->at(i);
        return out;
    }
    static QList<qreal> ys(QLineSeries* line) {
        QList<qreal> out;
        for (const QPointF& p : line->points())
            out << p.y();
        return out;
    }

    std::unique_ptr<ReportsFixture> f;
    std::unique_ptr<StatsNetwork> net;
    std::unique_ptr<CRelationStatsView> view;
    QList<qint64> opened;
};

void TestRelationStatsView::init() {
    f = std::make_unique<ReportsFixture>();
    net = std::make_unique<StatsNetwork>(f.get());
    net->build();
    view = std::make_unique<CRelationStatsView>();
    view->attach(&f->db, &f->clock, 1, 1);
    opened.clear();
    view->setContactOpener([this](qint64 code) { opened << code; });
    view->resize(1100, 700);
    view->choose(CRelationStatsView::Custom, StatsScope::Mine, QDate(2026, 1, 1),
                 QDate(2026, 6, 30));
}

void TestRelationStatsView::cleanup() {
    view.reset();
    net.reset();
    f.reset();
}

void TestRelationStatsView::chartsShowTheFigures() {
    QChart* months = view->monthChart();
    QCOMPARE(months->title(), QStringLiteral("每月往来与收支 (2026-01 至 2026-06)"));
    QCOMPARE(categories(months, Qt::AlignBottom),
             (QStringList{QStringLiteral("1月"), QStringLiteral("2月"), QStringLiteral("3月"),
                          QStringLiteral("4月"), QStringLiteral("5月"), QStringLiteral("6月")}));
    const auto series = months->series();
    QCOMPARE(series.size(), 3);
    auto* bars = qobject_cast<QBarSeries*>(series[0]);
    QVERIFY(bars);
    QCOMPARE(bars->barSets().first()->label(), QStringLiteral("往来次数"));
    QCOMPARE(values(bars->barSets().first()), (QList<qreal>{3, 0, 3, 0, 1, 1}));
    auto* given = qobject_cast<QLineSeries*>(series[1]);
    auto* received = qobject_cast<QLineSeries*>(series[2]);
    QVERIFY(given && received);
    QCOMPARE(given->name(), QStringLiteral("支出"));
    QCOMPARE(ys(given), (QList<qreal>{350.5, 0, 320, 0, 200, 0}));
    QCOMPARE(ys(received), (QList<qreal>{550, 0, 30, 0, 0, 0}));
    // Money on its own axis, on the right.
    QCOMPARE(given->attachedAxes().size(), 2);
    QCOMPARE(months->axes(Qt::Vertical, given).first()->alignment(), Qt::AlignRight);

    auto* pie = qobject_cast<QPieSeries*>(view->typeChart()->series().first());
    QVERIFY(pie);
    QStringList slices;
    for (QPieSlice* slice : pie->slices())
        slices << slice->label();
    QCOMPARE(slices, (QStringList{QStringLiteral("拜访 37.5%"), QStringLiteral("送礼 37.5%"),
                                  QStringLiteral("宴请 12.5%"), QStringLiteral("电话 12.5%")}));

    // Horizontal bars: the first of each list at the top, so last among the categories.
    QCOMPARE(categories(view->mostChart(), Qt::AlignLeft),
             (QStringList{QStringLiteral("李四"), QStringLiteral("王五"), QStringLiteral("张三")}));
    QCOMPARE(categories(view->imbalanceChart(), Qt::AlignLeft),
             (QStringList{QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五")}));
    auto* imbalance =
        qobject_cast<QHorizontalStackedBarSeries*>(view->imbalanceChart()->series().first());
    QVERIFY(imbalance);
    QCOMPARE(values(imbalance->barSets()[0]), (QList<qreal>{270.5, 0, 500}));
    QCOMPARE(values(imbalance->barSets()[1]), (QList<qreal>{0, -480, 0}));

    QStringList levels;
    for (QAbstractSeries* s : view->overdueChart()->series())
        levels << s->name();
    QCOMPARE(levels, (QStringList{QStringLiteral("A级-核心"), QStringLiteral("B级-重要"),
                                  QStringLiteral("C级-一般")}));
    QCOMPARE(categories(view->overdueChart(), Qt::AlignBottom).last(), QStringLiteral("26-06"));
    QCOMPARE(ys(qobject_cast<QLineSeries*>(view->overdueChart()->series().first())),
             (QList<qreal>{1, 1, 1, 1, 1, 0}));

    // The unreadable money is said once, with its count.
    QVERIFY(view->summary()->text().contains(QStringLiteral("有 2 条往来记录的金额无法识别")));
}

void TestRelationStatsView::barsOpenTheirContact() {
    auto* most = qobject_cast<QHorizontalStackedBarSeries*>(view->mostChart()->series().first());
    QVERIFY(most);
    emit most->barSets().first()->clicked(2); // the top bar
    auto* imbalance =
        qobject_cast<QHorizontalStackedBarSeries*>(view->imbalanceChart()->series().first());
    emit imbalance->barSets()[1]->clicked(1); // 李四, who received more
    QCOMPARE(opened, (QList<qint64>{net->zhang, net->li}));
}

void TestRelationStatsView::scopeChangeRedrawsAndPicturesAreWritten() {
    QSignalSpy changed(view.get(), &CRelationStatsView::choicesChanged);
    auto* scope = view->findChild<QComboBox*>(QStringLiteral("scope"));
    QVERIFY(scope);
    scope->setCurrentIndex(int(StatsScope::Everyone));
    QCOMPARE(changed.size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(view->monthChart()->series().first());
    QCOMPARE(bars->barSets().first()->at(0), 4.0); // 赵六's visit of January joins

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("stats.png"));
    const QString svg = dir.filePath(QStringLiteral("stats.svg"));
    QVERIFY(view->savePicture(png));
    QVERIFY(view->savePicture(svg));
    const QImage image(png);
    QVERIFY(image.width() > 500 && image.height() > 500);
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QStringLiteral("每月往来与收支")));
    QVERIFY(text.contains(QStringLiteral("金额(元)")));
    QVERIFY(text.contains(QStringLiteral("赵六")));
}

QTEST_MAIN(TestRelationStatsView)
#include "tst_relationstatsview.moc"
