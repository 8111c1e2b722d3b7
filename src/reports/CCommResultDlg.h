// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/InteractionQuery.h"
#include "reports/InteractionTotals.h"

#include <QDialog>
#include <functional>

class CReportView;
class Database;
class QLabel;
class ReportModel;

// "往来查询" results: the interactions found, their totals and averages, and
// the export of the ticked rows with those totals.
class CCommResultDlg : public QDialog {
    Q_OBJECT
  public:
    // Writes the ticked rows and the totals to a file the user picks.
    using Exporter = std::function<void(const ReportModel& rows, const InteractionTotals& totals)>;

    CCommResultDlg(Database& db, const InteractionConditions& conditions, Exporter exporter,
                   QWidget* parent = nullptr);

    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    const InteractionTotals& totals() const { return totals_; }
    // The shown value of a total: "totalTime", "totalCost", "count",
    // "averageTime", "averageCost", "income".
    QString shown(const QString& name) const;

  private:
    void exportRows();

    ReportModel* model_;
    CReportView* list_;
    InteractionTotals totals_;
    Exporter exporter_;
};
