// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/PostalLookup.h"
#include "ui/ReportModel.h"

#include <QDialog>

class CReportView;
class QLineEdit;
class QPushButton;

// "邮编区号查询": four fragments (province, city, area code, postcode) and the
// cities that hold them.
class CPostalLookupDlg : public QDialog {
    Q_OBJECT
  public:
    CPostalLookupDlg(Database& db, QWidget* parent = nullptr);

    QLineEdit* provinceEdit() const { return province_; }
    QLineEdit* cityEdit() const { return city_; }
    QLineEdit* areaCodeEdit() const { return areaCode_; }
    QLineEdit* postcodeEdit() const { return postcode_; }
    QPushButton* searchButton() const { return search_; }
    ReportModel& model() { return model_; }

    void search();

  private:
    PostalLookup lookup_;
    ReportModel model_;
    CReportView* view_ = nullptr;
    QLineEdit* province_ = nullptr;
    QLineEdit* city_ = nullptr;
    QLineEdit* areaCode_ = nullptr;
    QLineEdit* postcode_ = nullptr;
    QPushButton* search_ = nullptr;
};
