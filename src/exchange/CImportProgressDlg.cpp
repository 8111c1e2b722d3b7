// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CImportProgressDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CImportProgressDlg::CImportProgressDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CImportProgressDlg"));
    setWindowTitle(QStringLiteral("提示"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setRange(0, 1000);
    percent_ = new QLabel(QStringLiteral(" 0 %"), this);
    auto* text = new QLabel(QStringLiteral("正在处理，请稍候"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &CImportProgressDlg::cancel);
    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(percent_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(text, 0, Qt::AlignHCenter);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
}

bool CImportProgressDlg::step(qint64 done, qint64 total) {
    if (!shown_.isValid()) {
        shown_.start();
        show();
        QApplication::processEvents();
    }
    if (shown_.elapsed() >= 50 || done >= total) {
        const int position = total > 0 ? int(qMin<qint64>(1000, done * 1000 / total)) : 1000;
        bar_->setValue(position);
        percent_->setText(QStringLiteral("%1%").arg(position / 10));
        QApplication::processEvents();
        shown_.restart();
    }
    return !cancelled_;
}

void CImportProgressDlg::cancel() {
    cancelled_ = true;
}

void CImportProgressDlg::reject() {
    // Esc or the close box cancel the work; the work closes the window.
    cancel();
}

QString CImportProgressDlg::percentText() const {
    return percent_->text();
}
