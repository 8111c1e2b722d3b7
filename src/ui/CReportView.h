// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class ReportModel;

// The list widget over a ReportModel: grid lines, whole-row selection, hidden
// key columns, header clicks that sort or toggle every tick.
class CReportView : public QTableView {
    Q_OBJECT
  public:
    explicit CReportView(QWidget* parent = nullptr);

    void setReportModel(ReportModel* model);
    ReportModel* reportModel() const { return model_; }
    // Applies the model's column widths and hides the width-0 columns.
    void applyColumns();

  private:
    void onHeaderClicked(int section);
    void showSortIndicator();

    ReportModel* model_ = nullptr;
};
