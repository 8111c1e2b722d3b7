// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class ContactTab;
class QWidget;
class ReportModel;

// The contact list of the main window's first view, as the features see it:
// its rows and ticks, which contacts it shows, and its lifecycle commands.
class ContactListView {
  public:
    virtual ~ContactListView() = default;

    // The rows shown, with their ticks; each row's key is the contact's number.
    virtual const ReportModel& rows() const = 0;
    // 1 while live contacts are shown, 0 for the trash.
    virtual int liveFlag() const = 0;
    // The contact shown in the detail pane, 0 when none.
    virtual qint64 currentContact() const = 0;
    // Offers to save the pane's pending edits; false when the user stays with them.
    virtual bool settleEdits() = 0;
    // Shows the contact of a listed row in the detail pane and highlights the
    // row; false when it is not listed or could not be read.
    virtual bool openContact(qint64 code) = 0;

    virtual bool moveToTrash() = 0;
    virtual bool restore() = 0;
    virtual bool deleteContacts() = 0;
    virtual bool emptyTrash() = 0;
    virtual bool distribute() = 0;
};

// The detail pane's list tabs, which features fill: each lists the rows of
// the contact shown.
class ContactTabs {
  public:
    // The list tabs, by their position.
    enum ListTab { Associations = 5, Interactions = 6, Documents = 7 };

    virtual ~ContactTabs() = default;
    // The parent of a tab's widget.
    virtual QWidget* tabParent() = 0;
    // Puts a list tab in place of its placeholder; the pane owns widget.
    virtual void setListTab(ListTab which, QWidget* widget, ContactTab* tab) = 0;
    // The widget of a list tab, null before it is set.
    virtual QWidget* listTab(ListTab which) const = 0;
    // The contact whose rows the tabs list, 0 before the first.
    virtual qint64 contactShown() const = 0;
};
