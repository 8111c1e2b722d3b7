// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// The score bar beside the toolbar: the score text and the level text.
class CScoreBar : public QWidget {
    Q_OBJECT
  public:
    explicit CScoreBar(QWidget* parent = nullptr);
    void show(const QString& scoreText, const QString& levelText);
    QString scoreText() const;
    QString levelText() const;

  private:
    QLabel* score_; // label 1131
    QLabel* level_; // label 1261
};
