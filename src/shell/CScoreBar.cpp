// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CScoreBar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>

CScoreBar::CScoreBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CScoreBar"));
    score_ = new QLabel(this);
    score_->setObjectName(QStringLiteral("label1131"));
    QFont bold = score_->font();
    bold.setBold(true);
    score_->setFont(bold);
    score_->setStyleSheet(QStringLiteral("color: #1f6fb2;"));
    level_ = new QLabel(this);
    level_->setObjectName(QStringLiteral("label1261"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 2, 12, 2);
    layout->setSpacing(2);
    layout->addWidget(score_);
    layout->addWidget(level_);
    // In a narrow window the score gives way to the commands and the find
    // box: its lines end in "…", the whole text stays in the tooltip.
    score_->setMinimumWidth(60);
    level_->setMinimumWidth(60);
}

void CScoreBar::show(const QString& scoreText, const QString& levelText) {
    scoreText_ = scoreText;
    levelText_ = levelText;
    setToolTip(scoreText + u'\n' + levelText);
    fit();
    updateGeometry();
}

void CScoreBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fit();
}

void CScoreBar::fit() {
    const int width = contentsRect().width() - 24;
    const auto fitted = [width](const QLabel* label, const QString& text) {
        const QFontMetrics metrics(label->font());
        return width <= 0 || metrics.horizontalAdvance(text) <= width
                   ? text
                   : metrics.elidedText(text, Qt::ElideRight, width);
    };
    score_->setText(fitted(score_, scoreText_));
    level_->setText(fitted(level_, levelText_));
}

QSize CScoreBar::sizeHint() const {
    const int text = std::max(QFontMetrics(score_->font()).horizontalAdvance(scoreText_),
                              QFontMetrics(level_->font()).horizontalAdvance(levelText_));
    return {text + 24 + 4, QWidget::sizeHint().height()};
}

QString CScoreBar::scoreText() const {
    return scoreText_;
}
QString CScoreBar::levelText() const {
    return levelText_;
}
