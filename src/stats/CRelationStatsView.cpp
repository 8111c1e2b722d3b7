// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/CRelationStatsView.h"

#include "base/Clock.h"
#include "db/Database.h"
#include "stats/RelationStats.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QHorizontalStackedBarSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QValueAxis>
#include <cmath>

namespace {

// Months are drawn one bar each up to three years; longer periods by year.
constexpr int kMonthlyUpTo = 36;
// The pie shows the largest types and puts the rest together.
constexpr int kPieSlices = 8;

QFont chartFont(int points, bool bold = false) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QChartView* newChartView(QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(300);
    return view;
}

// Replaces a view's chart with a new empty one with a title.
QChart* freshChart(QChartView* view, const QString& title) {
    QChart* old = view->chart();
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(chartFont(11, true));
    chart->legend()->setFont(chartFont(9));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    view->setChart(chart);
    delete old;
    return chart;
}

QValueAxis* valueAxis(const QString& title, double max, bool whole) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(chartFont(9));
    axis->setLabelsFont(chartFont(9));
    axis->setRange(0, max > 0 ? max * 1.1 : 1);
    axis->setLabelFormat(whole ? QStringLiteral("%d") : QStringLiteral("%.0f"));
    if (whole)
        axis->applyNiceNumbers();
    return axis;
}

QString yuan(double value) {
    return QString::number(value, 'f', 2);
}

} // namespace

CRelationStatsView::CRelationStatsView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CRelationStatsView"));
    period_ = new QComboBox(this);
    period_->setObjectName(QStringLiteral("period"));
    period_->addItems({QStringLiteral("今年"), QStringLiteral("最近12个月"),
                       QStringLiteral("全部时间"), QStringLiteral("自定义")});
    from_ = new QDateEdit(this);
    to_ = new QDateEdit(this);
    for (QDateEdit* edit : {from_, to_}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    scope_ = new QComboBox(this);
    scope_->setObjectName(QStringLiteral("scope"));
    scope_->addItems(
        {QStringLiteral("我的人脉"), QStringLiteral("本部门"), QStringLiteral("全部用户")});
    save_ = new QPushButton(QStringLiteral("保存图片"), this);
    copy_ = new QPushButton(QStringLiteral("复制"), this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("期间:"), this));
    bar->addWidget(period_);
    bar->addWidget(from_);
    bar->addWidget(new QLabel(QStringLiteral("至"), this));
    bar->addWidget(to_);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QStringLiteral("范围:"), this));
    bar->addWidget(scope_);
    bar->addStretch(1);
    bar->addWidget(save_);
    bar->addWidget(copy_);

    charts_ = new QWidget;
    charts_->setObjectName(QStringLiteral("charts"));
    months_ = newChartView(charts_);
    types_ = newChartView(charts_);
    most_ = newChartView(charts_);
    imbalance_ = newChartView(charts_);
    overdue_ = newChartView(charts_);
    // Twenty names need about 24 pixels each to be written out.
    most_->setMinimumHeight(560);
    imbalance_->setMinimumHeight(560);
    auto* grid = new QGridLayout(charts_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(months_, 0, 0);
    grid->addWidget(types_, 0, 1);
    grid->addWidget(most_, 1, 0);
    grid->addWidget(imbalance_, 1, 1);
    grid->addWidget(overdue_, 2, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(charts_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(summary_);
    layout->addWidget(scroll, 1);

    connect(period_, &QComboBox::currentIndexChanged, this, &CRelationStatsView::periodChosen);
    connect(scope_, &QComboBox::currentIndexChanged, this, [this] {
        if (choosing_)
            return;
        refresh();
        emit choicesChanged();
    });
    for (QDateEdit* edit : {from_, to_}) {
        connect(edit, &QDateEdit::editingFinished, this, [this] {
            if (choosing_ || period() != Custom)
                return;
            refresh();
            emit choicesChanged();
        });
    }
    connect(save_, &QPushButton::clicked, this, &CRelationStatsView::savePictureAs);
    connect(copy_, &QPushButton::clicked, this, &CRelationStatsView::copyPicture);
    periodChosen();
}

void CRelationStatsView::attach(Database* db, const Clock* clock, qint64 userCode,
                                qint64 departmentCode) {
    db_ = db;
    clock_ = clock;
    userCode_ = userCode;
    departmentCode_ = departmentCode;
    const QDate today = clock_->today();
    choosing_ = true;
    from_->setDate(QDate(today.year(), 1, 1));
    to_->setDate(today);
    choosing_ = false;
}

void CRelationStatsView::choose(Period period, StatsScope scope, const QDate& from,
                                const QDate& to) {
    choosing_ = true;
    if (from.isValid())
        from_->setDate(from);
    if (to.isValid())
        to_->setDate(to);
    scope_->setCurrentIndex(int(scope));
    period_->setCurrentIndex(int(period));
    choosing_ = false;
    periodChosen();
}

CRelationStatsView::Period CRelationStatsView::period() const {
    return Period(period_->currentIndex());
}

StatsScope CRelationStatsView::scope() const {
    return StatsScope(scope_->currentIndex());
}

QDate CRelationStatsView::customFrom() const {
    return from_->date();
}

QDate CRelationStatsView::customTo() const {
    return to_->date();
}

void CRelationStatsView::periodChosen() {
    const bool custom = period() == Custom;
    from_->setEnabled(custom);
    to_->setEnabled(custom);
    if (choosing_ || !db_)
        return;
    refresh();
    emit choicesChanged();
}

StatsRequest CRelationStatsView::request() const {
    const QDate today = clock_->today();
    StatsRequest r{QDate(today.year(), 1, 1), today, scope(), userCode_, departmentCode_};
    switch (period()) {
    case ThisYear:
        break;
    case LastTwelveMonths:
        r.from = QDate(today.year(), today.month(), 1).addMonths(-11);
        break;
    case AllTime:
        r.from = RelationStats(*db_).firstDay(r, today);
        break;
    case Custom:
        r.from = std::min(from_->date(), today);
        r.to = std::min(to_->date(), today);
        if (r.to < r.from)
            std::swap(r.from, r.to);
        break;
    }
    return r;
}

void CRelationStatsView::refresh() {
    if (!db_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StatsRequest r = request();
    const auto figures = RelationStats(*db_).figures(r);
    QApplication::restoreOverrideCursor();
    figures_ = figures.value_or(RelationFigures{});
    QString text = QStringLiteral("%1 至 %2: 往来 %3 次, 支出 %4 元, 收入 %5 元, 差额 %6 元")
                       .arg(r.from.toString(Qt::ISODate), r.to.toString(Qt::ISODate))
                       .arg(figures_.interactions)
                       .arg(yuan(figures_.given), yuan(figures_.received),
                            yuan(figures_.given - figures_.received));
    if (figures_.unreadableMoney > 0)
        text += QStringLiteral("<br><font color=\"#b00000\">有 %1 条往来记录的金额无法识别 "
                               "(只能是数字和一个小数点), 按 0 计算。</font>")
                    .arg(figures_.unreadableMoney);
    summary_->setText(text);
    drawMonths();
    drawTypes();
    drawContacts(most_, figures_.mostInteractions, false);
    drawContacts(imbalance_, figures_.largestImbalance, true);
    drawOverdue();
}

void CRelationStatsView::drawMonths() {
    // By month, or by year for long periods.
    QStringList labels;
    QList<MonthFigures> rows;
    const bool byYear = figures_.months.size() > kMonthlyUpTo;
    for (const MonthFigures& m : figures_.months) {
        // Short labels that fit under a bar; the title says the years.
        const QString label = byYear ? QString::number(m.month.year())
                              : figures_.months.size() > 12
                                  ? m.month.toString(QStringLiteral("yy/MM"))
                                  : QStringLiteral("%1月").arg(m.month.month());
        if (labels.isEmpty() || labels.last() != label) {
            labels << label;
            rows.append(MonthFigures{m.month});
        }
        rows.last().count += m.count;
        rows.last().given += m.given;
        rows.last().received += m.received;
    }
    const QString span =
        figures_.months.isEmpty()
            ? QString()
            : QStringLiteral(" (%1 至 %2)")
                  .arg(figures_.months.first().month.toString(QStringLiteral("yyyy-MM")),
                       figures_.months.last().month.toString(QStringLiteral("yyyy-MM")));
    QChart* chart = freshChart(
        months_,
        (byYear ? QStringLiteral("每年往来与收支") : QStringLiteral("每月往来与收支")) + span);
    // Large sums read better in 万元 (ten thousands).
    double largest = 0;
    for (const MonthFigures& m : rows)
        largest = std::max({largest, m.given, m.received});
    const double unit = largest >= 100000 ? 10000 : 1;
    auto* counts = new QBarSet(QStringLiteral("往来次数"));
    auto* given = new QLineSeries;
    given->setName(QStringLiteral("支出"));
    auto* received = new QLineSeries;
    received->setName(QStringLiteral("收入"));
    double most = 0;
    double money = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        *counts << double(rows[i].count);
        given->append(double(i), rows[i].given / unit);
        received->append(double(i), rows[i].received / unit);
        most = std::max(most, double(rows[i].count));
        money = std::max({money, rows[i].given / unit, rows[i].received / unit});
    }
    auto* bars = new QBarSeries;
    bars->append(counts);
    chart->addSeries(bars);
    chart->addSeries(given);
    chart->addSeries(received);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(labels);
    axisX->setLabelsFont(chartFont(8));
    if (labels.size() > 12)
        axisX->setLabelsAngle(-60);
    chart->addAxis(axisX, Qt::AlignBottom);
    QValueAxis* left = valueAxis(QStringLiteral("次数"), most, true);
    QValueAxis* right = valueAxis(
        unit > 1 ? QStringLiteral("金额(万元)") : QStringLiteral("金额(元)"), money, false);
    chart->addAxis(left, Qt::AlignLeft);
    chart->addAxis(right, Qt::AlignRight);
    bars->attachAxis(axisX);
    bars->attachAxis(left);
    for (QLineSeries* line : {given, received}) {
        line->setPointsVisible(true);
        line->attachAxis(axisX);
        line->attachAxis(right);
    }
    given->setColor(QColor(0xc0, 0x39, 0x2b));
    received->setColor(QColor(0x27, 0xae, 0x60));
}

void CRelationStatsView::drawTypes() {
    QChart* chart = freshChart(types_, QStringLiteral("往来类型"));
    auto* pie = new QPieSeries;
    qint64 rest = 0;
    for (qsizetype i = 0; i < figures_.types.size(); ++i) {
        const TypeShare& t = figures_.types[i];
        if (i >= kPieSlices - 1 && figures_.types.size() > kPieSlices) {
            rest += t.count;
            continue;
        }
        pie->append(t.type.isEmpty() ? QStringLiteral("未填类型") : t.type, double(t.count));
    }
    if (rest > 0)
        pie->append(QStringLiteral("其余"), double(rest));
    for (QPieSlice* slice : pie->slices()) {
        slice->setLabel(
            QStringLiteral("%1 %2%").arg(slice->label()).arg(slice->percentage() * 100, 0, 'f', 1));
        slice->setLabelVisible(false); // the legend beside the pie names every slice
    }
    pie->setPieSize(0.8);
    chart->addSeries(pie);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(chartFont(9));
    if (figures_.types.isEmpty())
        chart->setTitle(QStringLiteral("往来类型 (这段时间没有往来)"));
}

void CRelationStatsView::drawContacts(QChartView* view, const QList<ContactFigures>& list,
                                      bool balance) {
    QChart* chart = freshChart(view, balance ? QStringLiteral("收支差额最大的 20 人 (点击查看)")
                                             : QStringLiteral("往来最多的 20 人 (点击查看)"));
    // The first of the list at the top: horizontal bars are drawn from the bottom.
    QList<ContactFigures> rows(list.rbegin(), list.rend());
    QStringList names;
    auto* first =
        new QBarSet(balance ? QStringLiteral("付出多(支出-收入)") : QStringLiteral("往来次数"));
    auto* second = new QBarSet(QStringLiteral("收到多"));
    double low = 0;
    double high = 0;
    for (const ContactFigures& c : rows) {
        names << c.name;
        const double value = balance ? c.balance() : double(c.count);
        *first << (value > 0 ? value : 0);
        *second << (value < 0 ? value : 0);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    auto* bars = new QHorizontalStackedBarSeries;
    bars->append(first);
    if (balance)
        bars->append(second);
    first->setColor(balance ? QColor(0xc0, 0x39, 0x2b) : QColor(0x29, 0x80, 0xb9));
    second->setColor(QColor(0x27, 0xae, 0x60));
    if (!balance)
        delete second;
    // Counts are written on their bars; sums stand on the axis (they would not fit).
    bars->setLabelsVisible(!balance);
    chart->addSeries(bars);
    auto* axisY = new QBarCategoryAxis;
    axisY->append(names);
    axisY->setLabelsFont(chartFont(9));
    axisY->setTruncateLabels(false); // names are short; cut, they say nothing
    chart->addAxis(axisY, Qt::AlignLeft);
    auto* axisX = new QValueAxis;
    axisX->setLabelsFont(chartFont(8));
    axisX->setLabelFormat(QStringLiteral("%.0f"));
    axisX->setRange(low < 0 ? low * 1.1 : 0, high > 0 ? high * 1.1 : 1);
    axisX->applyNiceNumbers();
    axisX->setTitleText(balance ? QStringLiteral("元") : QStringLiteral("次"));
    axisX->setTitleFont(chartFont(9));
    chart->addAxis(axisX, Qt::AlignBottom);
    bars->attachAxis(axisY);
    bars->attachAxis(axisX);
    chart->legend()->setVisible(balance);
    const auto open = [this, rows](int index) {
        if (openContact_ && index >= 0 && index < rows.size())
            openContact_(rows[index].code);
    };
    for (QBarSet* set : bars->barSets())
        connect(set, &QBarSet::clicked, this, open);
    view->setCursor(Qt::PointingHandCursor);
}

void CRelationStatsView::drawOverdue() {
    QChart* chart = freshChart(overdue_, QStringLiteral("逾期未往来的人数 (按级别, 每月底)"));
    QStringList labels;
    for (const QDate& point : figures_.overduePoints)
        labels << point.toString(QStringLiteral("yy-MM"));
    auto* axisX = new QBarCategoryAxis;
    axisX->append(labels);
    axisX->setLabelsFont(chartFont(8));
    chart->addAxis(axisX, Qt::AlignBottom);
    double most = 0;
    QList<QLineSeries*> lines;
    for (const OverdueSeries& s : figures_.overdue) {
        auto* line = new QLineSeries;
        line->setName(s.level.isEmpty() ? QStringLiteral("未定级别") : s.level);
        for (qsizetype i = 0; i < s.counts.size(); ++i) {
            line->append(double(i), double(s.counts[i]));
            most = std::max(most, double(s.counts[i]));
        }
        line->setPointsVisible(true);
        chart->addSeries(line);
        lines << line;
    }
    QValueAxis* axisY = valueAxis(QStringLiteral("人数"), most, true);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (QLineSeries* line : lines) {
        line->attachAxis(axisX);
        line->attachAxis(axisY);
    }
}

QImage CRelationStatsView::picture() const {
    return charts_->grab().toImage();
}

bool CRelationStatsView::savePicture(const QString& path) const {
    if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return picture().save(path, "PNG");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(charts_->size());
    svg.setViewBox(QRect(QPoint(0, 0), charts_->size()));
    svg.setTitle(QStringLiteral("往来统计"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    charts_->render(&painter);
    return painter.end();
}

void CRelationStatsView::savePictureAs() {
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("保存图片"), QStringLiteral("往来统计.png"),
        QStringLiteral("PNG 图片 (*.png);;SVG 图片 (*.svg)"), &filter);
    if (path.isEmpty())
        return;
    const QString suffix =
        filter.startsWith(QStringLiteral("SVG")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        path += suffix;
    if (!savePicture(path))
        summary_->setText(summary_->text() +
                          QStringLiteral("<br><font color=\"#b00000\">图片没有保存: %1</font>")
                              .arg(path.toHtmlEscaped()));
}

void CRelationStatsView::copyPicture() {
    QGuiApplication::clipboard()->setImage(picture());
}

QChart* CRelationStatsView::monthChart() const {
    return months_->chart();
}
QChart* CRelationStatsView::typeChart() const {
    return types_->chart();
}
QChart* CRelationStatsView::mostChart() const {
    return most_->chart();
}
QChart* CRelationStatsView::imbalanceChart() const {
    return imbalance_->chart();
}
QChart* CRelationStatsView::overdueChart() const {
    return overdue_->chart();
}
