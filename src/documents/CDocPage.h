// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/CDocForm.h"
#include "documents/DocList.h"

#include <QWidget>
#include <memory>

struct AppContext;
class CReportView;
class FileOpener;
class ListHost;
class QPushButton;
class ReportModel;

// The "相关文档" tab of the detail pane: the documents of the contact shown,
// with "增加", "修改", "删除" and "查看"; a double click modifies the row.
class CDocPage : public QWidget {
    Q_OBJECT
  public:
    CDocPage(AppContext& app, qint64 userCode, ListHost* host, std::shared_ptr<FileOpener> opener,
             QWidget* parent = nullptr);
    ~CDocPage() override;

    DocList* documents() const { return list_.get(); }
    ReportModel* model() const { return model_; }
    CReportView* view() const { return view_; }
    QPushButton* button(const QString& caption) const;
    // Replaces what opens the files (the list's "查看", the form's "编辑").
    void setFileOpener(std::shared_ptr<FileOpener> opener);
    // Replaces the open-file dialog of the form's "浏览".
    void setFileChooser(CDocForm::FileChooser chooser) { chooser_ = std::move(chooser); }

  private:
    // The row highlighted in the list, -1 when none is.
    int selectedRow() const;

    std::shared_ptr<FileOpener> opener_;
    ReportModel* model_;
    CReportView* view_;
    std::unique_ptr<DocList> list_;
    CDocForm::FileChooser chooser_;
};
