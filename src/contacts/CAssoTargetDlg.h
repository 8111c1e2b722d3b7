// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/AssoTargets.h"

#include <QDialog>

class CReportView;
class Prompter;
class QLineEdit;
class ReportModel;

// "资料列表": picks the contact an association names. Lists the live contacts
// other than the current one; typing into the name filter lists those whose
// name and unit contain the two filter texts.
class CAssoTargetDlg : public QDialog {
    Q_OBJECT
  public:
    CAssoTargetDlg(Database& db, Prompter& prompter, qint64 currentContact,
                   QWidget* parent = nullptr);

    // The base_code of the row confirmed; empty until then.
    QString chosenCode() const { return chosen_; }

    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    QLineEdit* nameFilter() const { return name_; }
    QLineEdit* unitFilter() const { return unit_; }

    void accept() override;

  private:
    void fill(const sql::Statement& statement);

    Prompter& prompter_;
    AssoTargets targets_;
    ReportModel* model_;
    CReportView* list_;
    QLineEdit* name_;
    QLineEdit* unit_;
    QString chosen_;
};
