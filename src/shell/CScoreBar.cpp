// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CScoreBar.h"

#include "ui/ElidedLabel.h"

#include <QVBoxLayout>

CScoreBar::CScoreBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CScoreBar"));
    score_ = new ElidedLabel(this);
    score_->setObjectName(QStringLiteral("label1131"));
    QFont bold = score_->font();
    bold.setBold(true);
    score_->setFont(bold);
    score_->setStyleSheet(QStringLiteral("color: #1f6fb2;"));
    level_ = new ElidedLabel(this);
    level_->setObjectName(QStringLiteral("label1261"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 2, 12, 2);
    layout->setSpacing(2);
    layout->addWidget(score_);
    layout->addWidget(level_);
    // In a narrow window the score gives way to the commands and the find
    // box: its lines end in "…", the whole text stays in the tooltip. They
    // ask for their whole width while there is room.
    for (QLabel* line : {score_, level_}) {
        line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        line->setMinimumWidth(60);
    }
}

void CScoreBar::show(const QString& scoreText, const QString& levelText) {
    score_->setText(scoreText);
    level_->setText(levelText);
    setToolTip(scoreText + u'\n' + levelText);
}

QString CScoreBar::scoreText() const {
    return score_->text();
}
QString CScoreBar::levelText() const {
    return level_->text();
}
