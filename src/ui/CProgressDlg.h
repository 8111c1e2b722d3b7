// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The small "please wait" window (form 104) shown while long work runs.
class CProgressDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CProgressDlg(QWidget* parent = nullptr);

    void setRange(int lower, int upper);
    void setPosition(int position);
    QString percentText() const;
    int position() const;

  private:
    QProgressBar* bar_;
    QLabel* percent_;
};
