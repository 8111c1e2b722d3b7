// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStackedWidget>

// The right side of the main window: one of the views 1 (contacts),
// 3 (phone directory) or 4 (my data) at a time.
class CRightPanelWnd : public QStackedWidget {
    Q_OBJECT
  public:
    explicit CRightPanelWnd(QWidget* parent = nullptr);

    void setView(int number, QWidget* view);
    // Shows a view; a request for the view already shown or an unknown number does nothing.
    void switchView(int number);
    int currentView() const { return current_; }
    QWidget* view(int number) const;

  private:
    QHash<int, QWidget*> views_;
    int current_ = 0;
};
