// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/AssoList.h"

#include <QWidget>
#include <memory>

struct AppContext;
class CReportView;
class ListHost;
class QPushButton;
class ReportModel;

// The "关联关系" tab of the detail pane: the associations of the contact shown,
// with "增加", "修改" and "删除"; a double click modifies the row.
class CAssoPage : public QWidget {
    Q_OBJECT
  public:
    CAssoPage(AppContext& app, qint64 userCode, ListHost* host, QWidget* parent = nullptr);
    ~CAssoPage() override;

    AssoList* associations() const { return list_.get(); }
    ReportModel* model() const { return model_; }
    CReportView* view() const { return view_; }
    QPushButton* button(const QString& caption) const;

  private:
    ReportModel* model_;
    CReportView* view_;
    std::unique_ptr<AssoList> list_;
};
