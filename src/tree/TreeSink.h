// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>

// Names a node of the navigation tree for the code that builds it. Ids are
// handed out at once, while the node itself may only come to exist later on
// the user-interface thread, so a builder on another thread never waits for it.
using TreeNode = int;

enum class CaptionMatch { Exact, Contains };

// The operations that build the navigation tree. The builder thread and the
// user-interface thread both call them; an implementation applies them in the
// order they were called, on the thread that owns the tree.
class TreeSink {
  public:
    virtual ~TreeSink() = default;

    // Deletes every node.
    virtual void clearTree() = 0;
    // The first top-level node whose caption matches pattern, or a new one at
    // the end of the top level; either way it is captioned caption afterwards.
    virtual TreeNode findOrAddTopLevel(const QString& pattern, CaptionMatch match,
                                       const QString& caption) = 0;
    // The first child of parent captioned exactly caption, or a new last child.
    virtual TreeNode findOrAddChild(TreeNode parent, const QString& caption) = 0;
    virtual void removeChildren(TreeNode node) = 0;
    virtual TreeNode addChild(TreeNode parent, const QString& caption) = 0;
    virtual void setCaption(TreeNode node, const QString& caption) = 0;
    virtual void expand(TreeNode node) = 0;

    // A build clears the ready flag when it starts; when it ends it sets the
    // flag again, and a complete build also clears the busy flag.
    virtual void buildStarted() = 0;
    virtual void buildEnded(bool complete) = 0;

    TreeNode findOrAddTopLevel(const QString& caption) {
        return findOrAddTopLevel(caption, CaptionMatch::Exact, caption);
    }

  protected:
    TreeNode newNode() { return nextNode_.fetch_add(1) + 1; }

  private:
    std::atomic<int> nextNode_{0};
};
