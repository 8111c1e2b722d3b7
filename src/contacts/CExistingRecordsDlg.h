// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactSearch.h"

#include <QDialog>

struct AppContext;
class CReportView;
class ReportModel;

// "已有资料": the live contacts whose name or work unit contains a text. From
// the unit search, the row confirmed (or double-clicked) names the contact
// whose unit data is copied.
class CExistingRecordsDlg : public QDialog {
    Q_OBJECT
  public:
    CExistingRecordsDlg(AppContext& app, const QString& text, ContactSearch::Mode mode,
                        QWidget* parent = nullptr);

    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    // The base_code of the row confirmed; empty when no row was selected.
    QString chosenCode() const { return chosen_; }

    void accept() override;

  private:
    void chooseRow(int row);

    ReportModel* model_;
    CReportView* list_;
    QString chosen_;
};
