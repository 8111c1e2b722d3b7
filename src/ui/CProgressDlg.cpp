// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CProgressDlg"));
    setWindowTitle(QStringLiteral("提示"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);

    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    percent_ = new QLabel(QStringLiteral(" 0 %"), this);
    percent_->setObjectName(QStringLiteral("percent"));
    auto* text = new QLabel(QStringLiteral("正在处理，请稍候"), this);

    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(percent_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(text, 0, Qt::AlignHCenter);
    setMinimumWidth(320);
}

void CProgressDlg::setRange(int lower, int upper) {
    bar_->setRange(lower, upper);
}

void CProgressDlg::setPosition(int position) {
    bar_->setValue(position);
    const int span = bar_->maximum() - bar_->minimum();
    const int percent = span > 0 ? (position - bar_->minimum()) * 100 / span : 100;
    percent_->setText(QStringLiteral("%1%").arg(percent));
}

QString CProgressDlg::percentText() const {
    return percent_->text();
}

int CProgressDlg::position() const {
    return bar_->value();
}
