// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/CContactLedgerStrip.h"

#include "base/Clock.h"
#include "stats/RelationStats.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {

constexpr int kSparkWidth = 96;
constexpr int kSparkHeight = 18;

QString yuan(double value) {
    return QString::number(value, 'f', 2);
}

} // namespace

CContactLedgerStrip::CContactLedgerStrip(Database& db, const Clock& clock, QWidget* parent)
    : QWidget(parent), db_(db), clock_(clock) {
    setObjectName(QStringLiteral("ledgerStrip"));
    line_ = new QLabel(this);
    line_->setTextFormat(Qt::RichText);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, kSparkWidth + 12, 2);
    layout->addWidget(line_, 1);
    setToolTip(QStringLiteral("右侧小图: 最近12个月每月的往来次数"));
}

QString CContactLedgerStrip::describe(const ContactLedger& l) {
    if (l.count == 0)
        return QStringLiteral("还没有往来记录");
    QString text =
        QStringLiteral("往来 %1 次 · 支出 %2 元 · 收入 %3 元 · 差额 %4%5 元 · 最近 %6")
            .arg(l.count)
            .arg(yuan(l.given), yuan(l.received), l.balance() > 0 ? QStringLiteral("+") : QString(),
                 yuan(l.balance()), l.last.toString(Qt::ISODate));
    if (l.count > 1) {
        const double average = l.averageInterval();
        const QString interval = QStringLiteral(" · 平均间隔 %1 天 (级别要求 %2 天)")
                                     .arg(average, 0, 'f', 1)
                                     .arg(l.levelInterval);
        text += average > double(l.levelInterval) && l.levelInterval > 0
                    ? QStringLiteral("<font color=\"#b00000\">%1</font>").arg(interval)
                    : interval;
    }
    if (l.unreadableMoney > 0)
        text += QStringLiteral(" · <font color=\"#b00000\">%1 条金额无法识别, 按 0 计</font>")
                    .arg(l.unreadableMoney);
    return text;
}

void CContactLedgerStrip::showContact(qint64 code) {
    months_.clear();
    if (code < 1) {
        line_->clear();
        update();
        return;
    }
    const auto ledger = RelationStats(db_).ledger(code, clock_.today());
    if (!ledger) {
        line_->clear();
        update();
        return;
    }
    line_->setText(describe(*ledger));
    months_ = ledger->lastTwelveMonths;
    update();
}

QString CContactLedgerStrip::text() const {
    return line_->text();
}

void CContactLedgerStrip::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (months_.isEmpty())
        return;
    qint64 most = 1;
    for (qint64 n : months_)
        most = std::max(most, n);
    QPainter painter(this);
    const QRect area(width() - kSparkWidth - 6, (height() - kSparkHeight) / 2, kSparkWidth,
                     kSparkHeight);
    const int bar = kSparkWidth / int(months_.size());
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < months_.size(); ++i) {
        const int h = months_[i] > 0 ? std::max(2, int(kSparkHeight * months_[i] / most)) : 1;
        painter.setBrush(months_[i] > 0 ? QColor(0x29, 0x80, 0xb9) : QColor(0xbb, 0xbb, 0xbb));
        painter.drawRect(area.left() + i * bar, area.bottom() - h + 1, bar - 1, h);
    }
}
