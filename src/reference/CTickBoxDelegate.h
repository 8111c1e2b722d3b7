// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Draws the first column of a list as its tick box alone. Some lists carry a
// row's code in that column for the program's own use: at the column's
// narrow width the code would only show as an ellipsis.
class CTickBoxDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
