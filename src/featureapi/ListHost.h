// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The main window's services the contact list calls after a lifecycle command:
// the sliding notice, the score bar, and what shows the contacts.
class ListHost {
  public:
    virtual ~ListHost() = default;

    // Opens the one-line notice window, unless one is already open.
    virtual void showNotice(const QString& text) = 0;
    // Recomputes the user's score and shows it in the score bar.
    virtual void showScore() = 0;
    // Contacts were added, moved, deleted or handed over: the list is loaded
    // again with the node last selected and the tree's counts are rebuilt (with
    // the "部门分布" node too when departments is true).
    virtual void contactsChanged(bool departments = false) = 0;
};
