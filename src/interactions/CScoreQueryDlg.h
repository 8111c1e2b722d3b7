// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CReportView;
class Database;
class QLabel;
class ReportModel;

// The score query (dialog 274, "等级分查询"): every user's and every
// department's score, with the users' total and average.
class CScoreQueryDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CScoreQueryDlg(Database& db, QWidget* parent = nullptr);

    ReportModel* users() const { return users_; }
    ReportModel* departments() const { return departments_; }
    QString totalText() const;
    QString averageText() const;

  private:
    void fill(Database& db);

    ReportModel* users_;
    ReportModel* departments_;
    QLabel* total_;
    QLabel* average_;
};
