// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tree/TreeSink.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The navigation tree held as text, for printing: the tree operations applied
// at once, in the order they come.
class TextTree : public TreeSink {
  public:
    // Every node, one per line, two blanks of indent per level.
    QStringList lines() const;

    void clearTree() override;
    TreeNode findOrAddTopLevel(const QString& pattern, CaptionMatch match,
                               const QString& caption) override;
    using TreeSink::findOrAddTopLevel;
    TreeNode findOrAddChild(TreeNode parent, const QString& caption) override;
    void removeChildren(TreeNode node) override;
    TreeNode addChild(TreeNode parent, const QString& caption) override;
    void setCaption(TreeNode node, const QString& caption) override;
    void expand(TreeNode) override {}
    void buildStarted() override {}
    void buildEnded(bool) override {}

  private:
    struct Node {
        TreeNode id = 0;
        QString caption;
        QList<int> children; // indexes into nodes_
    };
    int indexOf(TreeNode id) const;
    TreeNode add(int parent, const QString& caption);
    void print(const QList<int>& level, int depth, QStringList& out) const;

    QList<Node> nodes_;
    QList<int> top_;
    QHash<TreeNode, int> live_; // a live node's index in nodes_, by id
};
