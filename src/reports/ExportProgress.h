// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompter.h"

#include <QElapsedTimer>
#include <QPointer>

class CProgressDlg;
class QWidget;

// The export's progress window ("进度") with the wait cursor, for as long as
// the handle lives. The window is repainted a few times a second, not at every
// row, so that long exports do not spend their time painting.
class ExportProgress : public ProgressHandle {
  public:
    explicit ExportProgress(QWidget* parent);
    ~ExportProgress() override;

    void setRange(int lower, int upper) override;
    void setPosition(int position) override;

  private:
    QPointer<CProgressDlg> dialog_;
    QElapsedTimer sincePaint_;
    int upper_ = 0;
};
