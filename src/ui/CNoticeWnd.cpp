// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CNoticeWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

const QString CNoticeWnd::kTitle = QStringLiteral("Halvora人脉提示窗");
const QString CNoticeWnd::kHeading = QStringLiteral("小贴士");

namespace {

constexpr int kHeadingX = 30;
constexpr int kHeadingY = 5;
constexpr int kFirstLineTop = 30; // one line fills the window from here down
constexpr int kMargin = 7;
constexpr int kHeadingGap = 2;
constexpr qreal kSmallestPointSize = 7.0;
const QColor kHeadingColor(0, 64, 128);
const QColor kTextColor(24, 32, 48);
const QColor kBorderColor(70, 116, 168);
constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap;

} // namespace

CNoticeWnd::CNoticeWnd(int mode, const QStringList& lines, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      mode_(qBound(1, mode, kMaxMode)) {
    setObjectName(QStringLiteral("CNoticeWnd"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);

    lines_ = {kHeading, kHeading, QString(), QString()};
    for (int i = 0; i < kMaxMode && i < lines.size(); ++i)
        lines_[i] = lines[i];

    // Impact has no Chinese glyphs; the heading falls back to the desktop's CJK face.
    headingFont_ = QApplication::font();
    headingFont_.setFamilies({QStringLiteral("Impact"), QApplication::font().family()});
    headingFont_.setPointSizeF(9);
    headingFont_.setBold(true);
    lineFont_ = QApplication::font();
    lineFont_.setPointSizeF(9);
    layoutLines();

    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &CNoticeWnd::tick);
    stillTimer_.setSingleShot(true);
    stillTimer_.setInterval(kStillMs);
    connect(&stillTimer_, &QTimer::timeout, this, &CNoticeWnd::slideDown);
    resize(kWidth, kHeight);
}

QString CNoticeWnd::lineText(int line) const {
    return line >= 1 && line <= kMaxMode ? lines_[line - 1] : QString();
}

QStringList CNoticeWnd::shownLines() const {
    return lines_.mid(0, mode_);
}

void CNoticeWnd::setTimings(int tickMs, int stillMs) {
    ticker_.setInterval(tickMs);
    stillTimer_.setInterval(stillMs);
}

QRect CNoticeWnd::workArea() const {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QRect CNoticeWnd::restingGeometry() const {
    const QRect area = workArea_.isValid() ? workArea_ : workArea();
    return {area.right() + 1 - kWidth, area.bottom() + 1 - kHeight, kWidth, kHeight};
}

void CNoticeWnd::start() {
    if (phase_ != Phase::Hidden)
        return;
    workArea_ = workArea();
    phase_ = Phase::Rising;
    ticker_.start();
}

void CNoticeWnd::placeAt(int height) {
    setGeometry(workArea_.right() + 1 - kWidth, workArea_.bottom() + 1 - height, kWidth, height);
}

void CNoticeWnd::tick() {
    switch (phase_) {
    case Phase::Rising:
        visible_ += kStep;
        if (visible_ > kHeight) {
            visible_ = kHeight;
            phase_ = Phase::Still;
            ticker_.stop();
            stillTimer_.start();
        }
        placeAt(visible_);
        if (!isVisible())
            show();
        break;
    case Phase::Falling:
        visible_ -= kStep;
        if (visible_ <= 0) {
            visible_ = 0;
            close();
            break;
        }
        placeAt(visible_);
        break;
    case Phase::Hidden:
    case Phase::Still:
    case Phase::Done:
        break;
    }
}

void CNoticeWnd::slideDown() {
    if (phase_ != Phase::Rising && phase_ != Phase::Still)
        return;
    stillTimer_.stop();
    phase_ = Phase::Falling;
    ticker_.start();
}

void CNoticeWnd::closeEvent(QCloseEvent* event) {
    ticker_.stop();
    stillTimer_.stop();
    phase_ = Phase::Done;
    QWidget::closeEvent(event);
}

void CNoticeWnd::mousePressEvent(QMouseEvent* event) {
    // A click sends the hint away early instead of waiting out the pause.
    slideDown();
    event->accept();
}

// Lines are wrapped to the window's width and spread over the height below
// the heading; when long lines do not fit, the font shrinks a little.
void CNoticeWnd::layoutLines() {
    const int width = kWidth - 2 * kMargin;
    const int headingBottom = kHeadingY + QFontMetrics(headingFont_).height();
    const int top = mode_ == 1 ? kFirstLineTop : headingBottom + kHeadingGap;
    const int available = kHeight - kMargin / 2 - top;

    QList<int> heights;
    int total = 0;
    for (;;) {
        const QFontMetrics metrics(lineFont_);
        heights.clear();
        total = 0;
        for (int i = 0; i < mode_; ++i) {
            const QString text = lines_[i].isEmpty() ? QStringLiteral(" ") : lines_[i];
            const int h =
                metrics.boundingRect(QRect(0, 0, width, 10000), kTextFlags, text).height();
            heights << h;
            total += h;
        }
        if (total <= available || lineFont_.pointSizeF() <= kSmallestPointSize)
            break;
        lineFont_.setPointSizeF(lineFont_.pointSizeF() - 0.5);
    }

    lineRects_.clear();
    const int spare = qMax(0, available - total);
    int y = top;
    for (int i = 0; i < mode_; ++i) {
        const int band = heights[i] + spare / mode_;
        lineRects_ << QRect(kMargin, y, width, band);
        y += band;
    }
}

QList<QRect> CNoticeWnd::lineRects() const {
    return lineRects_;
}

void CNoticeWnd::paintEvent(QPaintEvent*) {
    // Drawn at full size from the top: while sliding, the lower part is simply
    // still below the edge of the work area.
    QPainter painter(this);
    const QRect full(0, 0, kWidth, kHeight);
    QLinearGradient background(0, 0, 0, kHeight);
    background.setColorAt(0.0, QColor(214, 231, 248));
    background.setColorAt(0.25, QColor(240, 246, 253));
    background.setColorAt(1.0, QColor(226, 238, 250));
    painter.fillRect(full, background);
    painter.setPen(kBorderColor);
    painter.drawRect(full.adjusted(0, 0, -1, -1));

    // A small round mark in front of the heading.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 196, 64));
    painter.setPen(QColor(200, 140, 30));
    painter.drawEllipse(QRectF(11.5, 8.5, 12, 12));
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setFont(headingFont_);
    painter.setPen(kHeadingColor);
    painter.drawText(QRect(kHeadingX, kHeadingY, kWidth - kHeadingX, kHeight),
                     Qt::AlignLeft | Qt::AlignTop, kHeading);

    painter.setFont(lineFont_);
    painter.setPen(kTextColor);
    for (int i = 0; i < lineRects_.size(); ++i)
        painter.drawText(lineRects_[i], kTextFlags, lines_[i]);
}
