// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/AppContext.h"
#include "tree/QueuedPrompter.h"
#include "tree/TreeSelection.h"
#include "tree/TreeSink.h"
#include "tree/TreeState.h"
#include "tree/TreeWorker.h"

#include <QHash>
#include <QTreeWidget>
#include <functional>
#include <memory>

class ReminderNodes;

// The navigation tree of the first shortcut group. The builder thread fills it
// through the TreeSink operations, which are queued to this widget's thread;
// calls made on this thread take effect at once. Selecting a node asks the main
// window to load the contact list.
class CNavTree : public QTreeWidget, public TreeSink {
    Q_OBJECT
  public:
    CNavTree(AppContext& context, qint64 userCode, QWidget* parent = nullptr);
    ~CNavTree() override;

    // Starts the builder; busy is true for a refresh (selections are then
    // ignored until the build completes). False while a build still runs.
    bool startBuild(bool busy, bool departments = false);
    // Counts changed: rebuilds as a refresh does, or once the running build
    // ends, so the counts shown never lag behind a change.
    void rebuildAfterChange(bool departments);
    // Adds or rebuilds the "部门分布" node on this thread.
    void rebuildDepartments();
    // Rebuilds the reminder node on this thread (after interactions change);
    // while a build runs, once it has ended.
    bool rebuildReminders();
    // Stops a running build and waits for the thread to end.
    void stopAndWait();

    bool isReady() const { return state_.ready; }
    bool isBusy() const { return state_.busy; }
    bool isBuilding() const { return worker_.isRunning(); }

    // The reminder and care nodes; the builder calls them on its thread.
    // Ignored while a build runs.
    void setReminderNodes(std::unique_ptr<ReminderNodes> reminders);
    // How a document file is opened; the desktop's default action unless replaced.
    void setFileOpener(std::function<void(const QString&)> opener);

    // The node's depth and the captions of it, its parent and grandparent.
    static TreeNodePath pathOf(const QTreeWidgetItem* item);

    // TreeSink
    void clearTree() override;
    TreeNode findOrAddTopLevel(const QString& pattern, CaptionMatch match,
                               const QString& caption) override;
    using TreeSink::findOrAddTopLevel;
    TreeNode findOrAddChild(TreeNode parent, const QString& caption) override;
    void removeChildren(TreeNode node) override;
    TreeNode addChild(TreeNode parent, const QString& caption) override;
    void setCaption(TreeNode node, const QString& caption) override;
    void expand(TreeNode node) override;
    void buildStarted() override;
    void buildEnded(bool complete) override;

  signals:
    // Every selection change, before its rule is applied (the list view is shown).
    void nodeSelected();
    // A node that selects contacts was chosen while the tree was not busy.
    void selectionRequested(const sql::Statement& filter, int mode, int live);
    // The right mouse button: the contact list's context menu belongs there.
    void contextMenuRequested(const QPoint& globalPos);
    void readyChanged(bool ready);
    // The reminder node was rebuilt with the reminders of now.
    void remindersRebuilt();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // Runs op now on this widget's thread, or queues it there from another thread.
    void apply(std::function<void()> op);
    QTreeWidgetItem* item(TreeNode node) const { return items_.value(node); }
    void bind(TreeNode node, QTreeWidgetItem* item) { items_.insert(node, item); }
    // Drops the ids of items about to be deleted, with all their descendants.
    void forgetItems(const QList<QTreeWidgetItem*>& doomed);
    void onCurrentItemChanged(QTreeWidgetItem* current);
    void onItemDoubleClicked(QTreeWidgetItem* clicked);
    void workerFinished();
    // Rebuilds the reminder node now, keeping the selection on the group chosen.
    bool rebuildRemindersNow();

    AppContext& context_;
    qint64 userCode_;
    TreeState state_;
    QueuedPrompter workerPrompter_;
    std::unique_ptr<ReminderNodes> reminders_;
    std::function<void(const QString&)> openFile_;
    QHash<TreeNode, QTreeWidgetItem*> items_;
    // A change came while a build was running: build again when it ends.
    bool rebuildPending_ = false;
    bool pendingDepartments_ = false;
    // Interactions changed while a build was running.
    bool remindersPending_ = false;
    TreeWorker worker_;
};
