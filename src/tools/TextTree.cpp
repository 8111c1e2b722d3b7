// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TextTree.h"

int TextTree::indexOf(TreeNode id) const {
    return live_.value(id, -1);
}

TreeNode TextTree::add(int parent, const QString& caption) {
    const TreeNode id = newNode();
    nodes_.append({id, caption, {}});
    const int index = int(nodes_.size()) - 1;
    live_.insert(id, index);
    if (parent < 0)
        top_.append(index);
    else
        nodes_[parent].children.append(index);
    return id;
}

void TextTree::clearTree() {
    nodes_.clear();
    top_.clear();
    live_.clear();
}

TreeNode TextTree::findOrAddTopLevel(const QString& pattern, CaptionMatch match,
                                     const QString& caption) {
    for (int index : top_) {
        Node& node = nodes_[index];
        if (match == CaptionMatch::Contains ? node.caption.contains(pattern)
                                            : node.caption == pattern) {
            node.caption = caption;
            return node.id;
        }
    }
    return add(-1, caption);
}

TreeNode TextTree::findOrAddChild(TreeNode parent, const QString& caption) {
    const int under = indexOf(parent);
    if (under < 0)
        return newNode();
    for (int index : nodes_[under].children)
        if (nodes_[index].caption == caption)
            return nodes_[index].id;
    return add(under, caption);
}

void TextTree::removeChildren(TreeNode node) {
    const int index = indexOf(node);
    if (index < 0)
        return;
    QList<int> doomed = nodes_[index].children;
    nodes_[index].children.clear();
    while (!doomed.isEmpty()) {
        const int next = doomed.takeLast();
        live_.remove(nodes_[next].id);
        doomed += nodes_[next].children;
    }
}

TreeNode TextTree::addChild(TreeNode parent, const QString& caption) {
    const int under = indexOf(parent);
    return under < 0 ? newNode() : add(under, caption);
}

void TextTree::setCaption(TreeNode node, const QString& caption) {
    if (const int index = indexOf(node); index >= 0)
        nodes_[index].caption = caption;
}

void TextTree::print(const QList<int>& level, int depth, QStringList& out) const {
    for (int index : level) {
        out << QString(depth * 2, u' ') + nodes_[index].caption;
        print(nodes_[index].children, depth + 1, out);
    }
}

QStringList TextTree::lines() const {
    QStringList out;
    print(top_, 0, out);
    return out;
}
