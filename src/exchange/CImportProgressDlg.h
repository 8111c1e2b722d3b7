// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

// The "please wait" window of a long import or export, with a "取消" button:
// the work asks step() between contacts whether to go on.
class CImportProgressDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CImportProgressDlg(QWidget* parent = nullptr);

    // Shows how far the work is and lets the window react (at most every
    // 50 ms); false once "取消" was pressed.
    bool step(qint64 done, qint64 total);
    bool cancelled() const { return cancelled_; }
    void cancel();
    QString percentText() const;

  protected:
    void reject() override;

  private:
    QProgressBar* bar_;
    QLabel* percent_;
    QElapsedTimer shown_;
    bool cancelled_ = false;
};
