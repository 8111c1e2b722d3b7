#pragma once

#include <QString>

// The main window's services the contact list calls after a lifecycle command:
// the sliding notice, the score bar and the navigation tree.
class ListHost {
  public:
    virtual ~ListHost() = default;

    // Opens the one-line notice window, unless one is already open.
    virtual void showNotice(const QString& text) = 0;
    // Recomputes the user's score and shows it in the score bar.
    virtual void showScore() = 0;
    // Marks the tree busy and starts the tree builder.
    virtual void refreshTree() = 0;
    // Rebuilds the "部门分布" node with its departments and users.
    virtual void rebuildDepartments() = 0;
};
