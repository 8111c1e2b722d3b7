// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Clock;
class Database;
class DetailPane;
class ListHost;
class Prompter;
class ReportModel;
class ReportRows;

// The contact list of the contact view: what the navigation tree selected, one
// row per contact, and the lifecycle commands (trash, restore, delete, empty the
// trash, hand over to another department) that act on the ticked rows.
class ContactList {
  public:
    static inline const QString kColumns =
        QStringLiteral("选,25;ID,0;姓名,60;职务,65;级别,85;手机,105;联系电话,120;单位名称,160;"
                       "部门名称,80;最近联系时间,93;");

    enum Column {
        TickColumn,
        IdColumn,
        NameColumn,
        PostColumn,
        LevelColumn,
        MobileColumn,
        PhoneColumn,
        WorkNameColumn,
        BranchColumn,
        LastContactColumn,
    };

    // There is no mode 4.
    enum Mode {
        Contacts = 0,
        PlannedToday = 1,
        DueToday = 2,
        Overdue = 3,
        Documents = 5,
        BirthdayCare = 6,
        FamilyCare = 7,
    };

    // Asks the user for the department whose manager receives the contacts;
    // nothing when the choice was cancelled.
    using DepartmentChooser = std::function<std::optional<QString>()>;

    ContactList(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode,
                ReportModel& model);

    void setHost(ListHost* host) { host_ = host; }
    void setDetailPane(DetailPane* pane) { pane_ = pane; }
    void setDepartmentChooser(DepartmentChooser chooser) { chooser_ = std::move(chooser); }

    ReportModel& model() const { return model_; }

    // Fills the list with what the filter (a WHERE fragment over the alias b,
    // possibly empty) selects in the given mode. liveFlag is 1 for live
    // contacts, 0 for the trash. False when the mode is unknown or the query failed
    // (the list then keeps its rows).
    bool load(const sql::Statement& filter, int mode, int liveFlag);
    // The statement a load issues; empty for an unknown mode.
    sql::Statement statement(const sql::Statement& filter, int mode) const;
    // The rows a load shows, in list order, without touching the list.
    bool fetch(const sql::Statement& filter, int mode, ReportRows& rows);

    sql::Statement filter() const { return filter_; }
    int mode() const { return mode_; }
    int liveFlag() const { return liveFlag_; }

    // A click on a row: offers to save the edits of the contact in the pane,
    // then shows the clicked contact. Returns whether the pane now shows it.
    bool openContact(qint64 code);
    // Offers to save the pane's unsaved edits of the current contact before it
    // leaves the pane; false when the user wants to save but the pages do not
    // validate (the edits stay, and the caller should not go on).
    bool settleEdits();
    // The list row of a contact just saved shows its new name, post, phones
    // and company.
    void showSaved(qint64 code);
    // The interactions of a contact changed: a reminder list keeps the
    // contact's row only while the reminders still name the contact (the row
    // then shows its new values); any other list refreshes the row. The
    // detail pane stays as it is.
    void interactionsChanged(qint64 code);
    // The contact shown in the detail pane, 0 when none.
    qint64 currentContact() const { return current_; }
    void clearDetail();

    // The lifecycle commands; each returns whether it got as far as the walk.
    bool moveToTrash();
    bool restore();
    bool deleteContacts();
    bool emptyTrash();
    bool distribute();

    // Deletes one contact with every row that depends on it, all or nothing.
    bool deleteWithDependents(const QString& id);

  private:
    struct Walk {
        QString nothingTicked;
        std::function<bool()> confirm;
        std::function<bool(const QString& id)> perRow;
        // Handing over keeps the rows in place and stops at the first failure.
        bool handOver = false;
        std::function<void()> followUp;
        QString closing;
    };
    bool run(const Walk& walk);
    bool setLiveFlag(const QString& id, bool live);
    void scoreFollowUp(const QString& notice);

    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
    qint64 userCode_;
    ReportModel& model_;
    ListHost* host_ = nullptr;
    DetailPane* pane_ = nullptr;
    DepartmentChooser chooser_;

    sql::Statement filter_;
    int mode_ = Contacts;
    int liveFlag_ = 1;
    qint64 current_ = 0;
};
