// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/CDocForm.h"
#include "documents/DatumList.h"

#include <QWidget>
#include <functional>
#include <memory>

struct AppContext;
class CReportView;
class FileOpener;
class QMenu;
class ReportModel;

// View 4: the my-data items of the category chosen in the 〖我的资料〗 group.
// A double click opens an item's file; the right button offers the my-data
// commands (menu 326).
class CDatumView : public QWidget {
    Q_OBJECT
  public:
    CDatumView(AppContext& app, qint64 userCode, std::shared_ptr<FileOpener> opener,
               QWidget* parent = nullptr);
    ~CDatumView() override;

    DatumList* items() const { return list_.get(); }
    ReportModel* model() const { return model_; }
    CReportView* view() const { return view_; }
    QMenu* contextMenu() const { return menu_; }

    // Runs a command of the context menu through the main window (its guard included).
    void setCommandRunner(std::function<void(int)> run) { run_ = std::move(run); }
    // Replace what opens the files and the open-file dialog of the form's "浏览".
    void setFileOpener(std::shared_ptr<FileOpener> opener);
    void setFileChooser(CDocForm::FileChooser chooser) { chooser_ = std::move(chooser); }

  private:
    std::shared_ptr<FileOpener> opener_;
    ReportModel* model_;
    CReportView* view_;
    std::unique_ptr<DatumList> list_;
    QMenu* menu_;
    std::function<void(int)> run_;
    CDocForm::FileChooser chooser_;
};
