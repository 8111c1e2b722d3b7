// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CRightPanelWnd.h"

CRightPanelWnd::CRightPanelWnd(QWidget* parent) : QStackedWidget(parent) {
    setObjectName(QStringLiteral("CRightPanelWnd"));
}

void CRightPanelWnd::setView(int number, QWidget* view) {
    views_.insert(number, view);
    addWidget(view);
    if (current_ == 0)
        switchView(number);
}

void CRightPanelWnd::switchView(int number) {
    QWidget* target = views_.value(number, nullptr);
    if (!target || number == current_)
        return;
    setCurrentWidget(target);
    current_ = number;
}

QWidget* CRightPanelWnd::view(int number) const {
    return views_.value(number, nullptr);
}
