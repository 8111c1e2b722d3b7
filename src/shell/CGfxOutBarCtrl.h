// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolBox>

class QListWidget;

// The shortcut bar on the left: four groups, the first holding the navigation
// tree, the next two the my-data and phone categories, the last two tools.
class CGfxOutBarCtrl : public QToolBox {
    Q_OBJECT
  public:
    explicit CGfxOutBarCtrl(QWidget* parent = nullptr);

    void setTree(QWidget* tree);
    // Replaces the items of group 1 or 2.
    void setItems(int group, const QStringList& captions);
    QStringList items(int group) const;
    QListWidget* list(int group) const;

  signals:
    // A group was opened or an item of it clicked (item -1 for the group itself).
    void notified(int group, int item, const QString& caption);

  private:
    QListWidget* makeList();

    QWidget* treeHolder_;
    QListWidget* datum_;
    QListWidget* phones_;
    QListWidget* tools_;
};
