// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/CTickBoxDelegate.h"

void CTickBoxDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text.clear();
    option->features &= ~QStyleOptionViewItem::HasDisplay;
}
