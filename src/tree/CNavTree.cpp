// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/CNavTree.h"

#include "base/AutoResetEvent.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "featureapi/DesktopTools.h"
#include "tree/DepartmentNodes.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeSelection.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMetaObject>
#include <QMouseEvent>
#include <QSet>
#include <QSignalBlocker>
#include <QThread>

CNavTree::CNavTree(AppContext& context, qint64 userCode, QWidget* parent)
    : QTreeWidget(parent), context_(context), userCode_(userCode),
      workerPrompter_(context.prompter, this),
      reminders_(std::make_unique<ReminderNodes>(context.clock)),
      openFile_([&context](const QString& path) { desktop::openFile(path, context.prompter); }) {
    setObjectName(QStringLiteral("CNavTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onCurrentItemChanged(current); });
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* clicked) { onItemDoubleClicked(clicked); });
}

CNavTree::~CNavTree() {
    stopAndWait();
}

void CNavTree::setReminderNodes(std::unique_ptr<ReminderNodes> reminders) {
    if (reminders && !worker_.isRunning())
        reminders_ = std::move(reminders);
}

void CNavTree::setFileOpener(std::function<void(const QString&)> opener) {
    openFile_ = std::move(opener);
}

bool CNavTree::startBuild(bool busy, bool departments) {
    if (worker_.isRunning())
        return false;
    // The flags change here and not only when the builder reports, so the
    // commands are disabled before this call returns.
    state_.started(busy);
    emit readyChanged(false);
    TreeWorker::Job job;
    job.databasePath = context_.db.path();
    job.server = context_.db.server();
    job.sink = this;
    job.prompter = &workerPrompter_;
    job.reminders = reminders_.get();
    job.stop = &context_.stopEvent;
    job.done = &context_.doneEvent;
    job.userCode = userCode_;
    job.departments = departments;
    // Runs on the worker thread as it ends; a change that came meanwhile is
    // built on this thread then.
    job.finished = [this] {
        QMetaObject::invokeMethod(this, &CNavTree::workerFinished, Qt::QueuedConnection);
    };
    return worker_.start(job);
}

void CNavTree::rebuildAfterChange(bool departments) {
    if (!worker_.isRunning() && startBuild(true, departments))
        return;
    rebuildPending_ = true;
    pendingDepartments_ = pendingDepartments_ || departments;
}

void CNavTree::stopAndWait() {
    rebuildPending_ = false;
    remindersPending_ = false;
    if (worker_.isRunning())
        context_.stopEvent.set();
    worker_.join();
}

void CNavTree::rebuildDepartments() {
    DepartmentNodes(*this, context_.db).rebuild();
}

bool CNavTree::rebuildReminders() {
    // The builder writes the same rows and nodes on its thread: the reminders
    // wait for it, so the two never interleave.
    if (worker_.isRunning()) {
        remindersPending_ = true;
        return true;
    }
    return rebuildRemindersNow();
}

bool CNavTree::rebuildRemindersNow() {
    // The groups are made anew with their new counts. A group the user chose
    // stays chosen, quietly: the list is brought up to date row by row by the
    // window, not loaded again (that would empty the pane the user works in).
    QString group;
    const QTreeWidgetItem* chosen = currentItem();
    if (chosen && chosen->parent() && !chosen->parent()->parent() &&
        chosen->parent()->text(0) == ReminderNodes::kReminderNode)
        group = chosen->text(0).section(u'<', 0, 0);
    bool rebuilt = false;
    bool kept = group.isEmpty();
    {
        const QSignalBlocker quiet(group.isEmpty() ? nullptr : this);
        rebuilt = reminders_->rebuildReminders(*this, context_.db, userCode_);
        for (int i = 0; i < topLevelItemCount() && !kept; ++i) {
            QTreeWidgetItem* top = topLevelItem(i);
            if (top->text(0) != ReminderNodes::kReminderNode)
                continue;
            for (int c = 0; c < top->childCount() && !kept; ++c) {
                if (top->child(c)->text(0).section(u'<', 0, 0) == group) {
                    setCurrentItem(top->child(c));
                    kept = true;
                }
            }
        }
    }
    // The group is gone: the selection moved, and its rule applies as for a click.
    if (!kept)
        onCurrentItemChanged(currentItem());
    emit remindersRebuilt();
    return rebuilt;
}

TreeNodePath CNavTree::pathOf(const QTreeWidgetItem* item) {
    TreeNodePath path;
    if (!item)
        return path;
    path.caption = item->text(0);
    if (const QTreeWidgetItem* parent = item->parent()) {
        path.parent = parent->text(0);
        if (const QTreeWidgetItem* grandparent = parent->parent())
            path.grandparent = grandparent->text(0);
    }
    for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        ++path.depth;
    return path;
}

void CNavTree::onCurrentItemChanged(QTreeWidgetItem* current) {
    if (!current)
        return;
    emit nodeSelected();
    Lookups lookups(context_.db);
    const TreeChoice choice = TreeSelection(lookups).choose(pathOf(current));
    if (choice.matched && state_.acceptsSelection())
        emit selectionRequested(choice.filter, choice.mode, choice.live);
}

void CNavTree::onItemDoubleClicked(QTreeWidgetItem* clicked) {
    const TreeNodePath path = pathOf(clicked);
    if (!TreeSelection::isDocumentTitle(path))
        return;
    Lookups lookups(context_.db);
    const QString file = TreeSelection(lookups).documentToOpen(path, context_.prompter);
    if (!file.isEmpty() && openFile_)
        openFile_(file);
}

void CNavTree::mousePressEvent(QMouseEvent* event) {
    // The right button opens the context menu without moving the selection,
    // so the list keeps showing what the selected node chose.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CNavTree::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

// Tree operations. Each one names its node by an id handed out at once; the
// id is bound to an item when the operation runs on this widget's thread.

void CNavTree::apply(std::function<void()> op) {
    if (QThread::currentThread() == thread())
        op();
    else
        QMetaObject::invokeMethod(this, std::move(op), Qt::QueuedConnection);
}

void CNavTree::forgetItems(const QList<QTreeWidgetItem*>& doomed) {
    QSet<const QTreeWidgetItem*> gone;
    QList<QTreeWidgetItem*> pending = doomed;
    while (!pending.isEmpty()) {
        QTreeWidgetItem* next = pending.takeLast();
        gone.insert(next);
        for (int i = 0; i < next->childCount(); ++i)
            pending.append(next->child(i));
    }
    items_.removeIf([&](const auto& entry) { return gone.contains(entry.value()); });
}

void CNavTree::clearTree() {
    apply([this] {
        items_.clear();
        clear();
    });
}

TreeNode CNavTree::findOrAddTopLevel(const QString& pattern, CaptionMatch match,
                                     const QString& caption) {
    const TreeNode node = newNode();
    apply([this, node, pattern, match, caption] {
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < topLevelItemCount() && !found; ++i) {
            QTreeWidgetItem* candidate = topLevelItem(i);
            const QString text = candidate->text(0);
            if (match == CaptionMatch::Contains ? text.contains(pattern) : text == pattern)
                found = candidate;
        }
        if (!found)
            found = new QTreeWidgetItem(this);
        found->setText(0, caption);
        bind(node, found);
    });
    return node;
}

TreeNode CNavTree::findOrAddChild(TreeNode parent, const QString& caption) {
    const TreeNode node = newNode();
    apply([this, node, parent, caption] {
        QTreeWidgetItem* under = item(parent);
        if (!under)
            return;
        for (int i = 0; i < under->childCount(); ++i) {
            if (under->child(i)->text(0) == caption) {
                bind(node, under->child(i));
                return;
            }
        }
        bind(node, new QTreeWidgetItem(under, QStringList{caption}));
    });
    return node;
}

void CNavTree::removeChildren(TreeNode node) {
    apply([this, node] {
        QTreeWidgetItem* parent = item(node);
        if (!parent)
            return;
        const QList<QTreeWidgetItem*> children = parent->takeChildren();
        forgetItems(children);
        qDeleteAll(children);
    });
}

TreeNode CNavTree::addChild(TreeNode parent, const QString& caption) {
    const TreeNode node = newNode();
    apply([this, node, parent, caption] {
        if (QTreeWidgetItem* under = item(parent))
            bind(node, new QTreeWidgetItem(under, QStringList{caption}));
    });
    return node;
}

void CNavTree::setCaption(TreeNode node, const QString& caption) {
    apply([this, node, caption] {
        if (QTreeWidgetItem* target = item(node))
            target->setText(0, caption);
    });
}

void CNavTree::expand(TreeNode node) {
    apply([this, node] {
        if (QTreeWidgetItem* target = item(node))
            target->setExpanded(true);
    });
}

void CNavTree::buildStarted() {
    apply([this] {
        const bool wasReady = state_.ready;
        state_.started(false);
        if (wasReady)
            emit readyChanged(false);
    });
}

void CNavTree::buildEnded(bool complete) {
    apply([this, complete] {
        state_.ended(complete);
        emit readyChanged(true);
    });
}

void CNavTree::workerFinished() {
    if (worker_.isRunning())
        return;
    if (!rebuildPending_) {
        if (remindersPending_) {
            remindersPending_ = false;
            rebuildRemindersNow();
        }
        return;
    }
    // The build to come writes the reminders too.
    remindersPending_ = false;
    const bool departments = pendingDepartments_;
    rebuildPending_ = false;
    pendingDepartments_ = false;
    startBuild(true, departments);
}
