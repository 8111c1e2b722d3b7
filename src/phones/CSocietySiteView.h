// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QWidget>
#include <functional>

class CPhonePage;
class CReportView;
class PhoneDirectory;
class Prompter;
class QMenu;
class QPushButton;
class QSplitter;
class ReportModel;

// View 3 of the right panel: the phone entries of the category chosen in the
// shortcut bar above, the selected entry's page below, edited in place.
class CSocietySiteView : public QWidget {
    Q_OBJECT
  public:
    explicit CSocietySiteView(QWidget* parent = nullptr);

    // Connects the view to the directory; until then it stays empty.
    void attach(PhoneDirectory* directory, Prompter* prompter);
    // Runs a main-window command from the list's context menu.
    void setCommandRunner(std::function<void(int)> run) { runCommand_ = std::move(run); }

    // Lists the entries of one category (the page is emptied); false when the
    // user wants the page's edits saved and they could not be.
    bool showCategory(qint64 categoryCode);
    // Lists again with the current condition (every entry before a category is chosen).
    bool reload();
    // The delete command: the number of entries deleted, -1 when none.
    int deleteTicked();
    // Offers to save the page's edits; false when the user said Yes and the save failed.
    bool settleEdits();
    // Saves the page now (the page's save button).
    bool saveShown();
    // Fills the page's drop-down lists again.
    void fillLists();

    qint64 shownEntry() const { return shown_; }
    sql::Statement condition() const { return condition_; }
    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    CPhonePage* page() const { return page_; }
    QPushButton* saveButton() const { return save_; }
    QMenu* contextMenu() const { return menu_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void onSelectionChanged();
    void showEntry(qint64 code);
    void selectEntry(qint64 code);
    int rowOf(qint64 code) const;
    void updateSaveButton();

    PhoneDirectory* directory_ = nullptr;
    Prompter* prompter_ = nullptr;
    std::function<void(int)> runCommand_;
    ReportModel* model_;
    CReportView* list_;
    CPhonePage* page_;
    QPushButton* save_;
    QSplitter* splitter_;
    QMenu* menu_;
    sql::Statement condition_;
    qint64 shown_ = 0;
    bool selecting_ = false;
    bool placed_ = false;
};
