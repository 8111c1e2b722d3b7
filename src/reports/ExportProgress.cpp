// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ExportProgress.h"

#include "ui/CProgressDlg.h"

#include <QApplication>

namespace {
constexpr int kPaintEveryMs = 40;
}

ExportProgress::ExportProgress(QWidget* parent) : dialog_(new CProgressDlg(parent)) {
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setWindowTitle(QStringLiteral("进度"));
    dialog_->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.start();
}

ExportProgress::~ExportProgress() {
    QApplication::restoreOverrideCursor();
    if (dialog_)
        dialog_->close();
}

void ExportProgress::setRange(int lower, int upper) {
    upper_ = upper;
    if (dialog_)
        dialog_->setRange(lower, upper);
}

void ExportProgress::setPosition(int position) {
    if (!dialog_)
        return;
    if (position < upper_ && sincePaint_.elapsed() < kPaintEveryMs)
        return;
    dialog_->setPosition(position);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.restart();
}
