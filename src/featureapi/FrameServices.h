// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "featureapi/AppContext.h"
#include "featureapi/ContactView.h"
#include "featureapi/ListHost.h"
#include "featureapi/Session.h"

#include <QString>
#include <functional>

class QWidget;

// What a feature asks of the main window: a place for its commands and views,
// and the window's shared services. The window keeps the routing (enabled
// state, the shortcut-group guards); the feature carries the command out.
class FrameServices : public ListHost {
  public:
    virtual AppContext& context() = 0;
    virtual const Session& session() const = 0;
    // The parent of the feature's dialogs.
    virtual QWidget* window() = 0;

    // Runs action when the command id is chosen (menu, toolbar, key, context menu).
    virtual void addCommand(int id, std::function<void()> action) = 0;
    // Puts a widget at the end of the toolbar (the find box).
    virtual void addToolWidget(QWidget* widget) { Q_UNUSED(widget); }
    // Puts a view into the right panel under its number (3: phones, 4: my data).
    virtual void setView(int number, QWidget* view) = 0;
    virtual void switchView(int number) = 0;
    // Runs action when an item of a shortcut group is clicked (its index and caption).
    virtual void onGroupItem(int group, std::function<void(int, const QString&)> action) = 0;
    // Fills a shortcut group's items again from its statement.
    virtual void refillGroup(int group) = 0;

    // The contact list of view 1.
    virtual ContactListView& contactList() = 0;
    // The list tabs of the detail pane below it, which the features fill.
    virtual ContactTabs& contactTabs() = 0;
    // Runs a command as the menus do, guards included; false when refused.
    virtual bool runCommand(int id) = 0;
    // Something the tree counts changed (documents, names): the tree is rebuilt;
    // the list and the contact shown stay as they are.
    virtual void countsChanged() = 0;
    // Stops a running tree build and waits for its thread (which holds a
    // connection of its own); true when one was running.
    virtual bool stopTreeBuild() = 0;
    // Interactions changed: the reminder node is rebuilt.
    virtual void remindersChanged() = 0;
    // Shows the contacts a program-built condition selects (a query), as a tree
    // node would: list mode and live flag as for the list; false when the user
    // stays with unsaved edits.
    virtual bool showContacts(const sql::Statement& filter, int mode, int live) = 0;
    // A reference table's names changed (its editor reports it): what shows them
    // is filled again: shortcut-bar groups, the lists of the contact pages, the tree.
    virtual void referenceTableChanged(const QString& table) = 0;
    // Runs action (with the table's name) whenever a reference table's names change.
    virtual void onReferenceTableChange(std::function<void(const QString&)> action) = 0;
};

// A feature installs its commands and views into the main window once, when the
// window is built.
class Feature {
  public:
    virtual ~Feature() = default;
    virtual void install(FrameServices& frame) = 0;
};
