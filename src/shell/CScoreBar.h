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
    // Wide enough for both whole lines; the layout may give less.
    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fit();

    QString scoreText_, levelText_;
    QLabel* score_; // label 1131
    QLabel* level_; // label 1261
};
