// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactList.h"
#include "featureapi/ContactView.h"

#include <QWidget>
#include <memory>

class CReportView;
class Clock;
class Database;
class DetailPane;
class ListHost;
class Prompter;
class QModelIndex;
class QSplitter;
class ReportModel;

// View 1 of the right panel: the contact list above, the contact's detail below.
class CClientView2 : public QWidget, public ContactListView {
    Q_OBJECT
  public:
    static inline const QString kColumns = ContactList::kColumns;

    explicit CClientView2(QWidget* parent = nullptr);
    ~CClientView2() override;

    // Connects the list to the program's database and session; until then it
    // stays empty and its commands do nothing.
    void attach(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode);
    // The main window's services for the commands' follow-ups.
    void setHost(ListHost* host);
    // Puts the detail pane into the lower half. The view takes `widget` as its
    // child; `pane` is what the list asks of it (usually the same object).
    void setDetailPane(QWidget* widget, DetailPane* pane);
    // Replaces the department dialog of the hand-over (tests, scripted runs).
    void setDepartmentChooser(ContactList::DepartmentChooser chooser);

    // Fills the list (filter over the alias b, list mode, 1 live / 0 trash).
    bool load(const sql::Statement& filter, int mode, int liveFlag);
    bool moveToTrash() override;
    bool restore() override;
    bool deleteContacts() override;
    bool emptyTrash() override;
    bool distribute() override;

    // The contact shown in the detail pane, 0 when none.
    qint64 currentContact() const override;
    const ReportModel& rows() const override { return *model_; }
    int liveFlag() const override;
    bool settleEdits() override;
    bool openContact(qint64 code) override;
    ContactList* contacts() const { return contacts_.get(); }
    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    QWidget* detailWidget() const { return detail_; }
    QSplitter* splitter() const { return splitter_; }

  signals:
    void contextMenuRequested(const QPoint& globalPos);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void onRowClicked(const QModelIndex& index);
    void onRowDoubleClicked(const QModelIndex& index);

    QSplitter* splitter_;
    ReportModel* model_;
    CReportView* list_;
    QWidget* detail_;
    std::unique_ptr<ContactList> contacts_;
    ListHost* host_ = nullptr;
    DetailPane* pane_ = nullptr;
    ContactList::DepartmentChooser chooser_;
    bool placed_ = false;
};
