// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReportModel.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

ReportModel::ReportModel(QObject* parent) : QAbstractTableModel(parent) {}

ReportModel::ReportModel(const QString& columnSpec, QObject* parent) : QAbstractTableModel(parent) {
    setColumns(columnSpec);
}

void ReportModel::setColumns(const QString& columnSpec) {
    beginResetModel();
    columns_ = ReportColumn::parse(columnSpec);
    rows_ = ReportRows();
    forgetSort();
    endResetModel();
}

void ReportModel::forgetSort() {
    sortColumn_ = -1;
    sortOrder_ = Qt::AscendingOrder;
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::EditRole)
        return rows_.text(index.row(), index.column());
    if (role == Qt::CheckStateRole && index.column() == 0)
        return rows_.isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ReportModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rows_.size())
        return false;
    if (role == Qt::CheckStateRole && index.column() == 0) {
        setChecked(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    if (role == Qt::EditRole) {
        setText(index.row(), index.column(), value.toString());
        return true;
    }
    return false;
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_.at(section).caption;
    return {};
}

Qt::ItemFlags ReportModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void ReportModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columns_.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> oldRows;
    for (const QModelIndex& index : before)
        oldRows << index.row();

    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    QList<int> order_(rows_.size());
    QList<QCollatorSortKey> keys;
    keys.reserve(rows_.size());
    for (int i = 0; i < rows_.size(); ++i) {
        order_[i] = i;
        keys.append(collator.sortKey(rows_.text(i, column)));
    }
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const int c = keys.at(a).compare(keys.at(b));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QList<int> newPosition(rows_.size());
    for (int i = 0; i < order_.size(); ++i)
        newPosition[order_.at(i)] = i;
    rows_.reorder(order_);

    QModelIndexList after;
    for (int i = 0; i < before.size(); ++i)
        after << index(newPosition.at(oldRows.at(i)), before.at(i).column());
    changePersistentIndexList(before, after);
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool ReportModel::clickHeader(int column) {
    if (column == 0) {
        const bool check = checkAllNext_;
        checkAllNext_ = !checkAllNext_;
        for (qsizetype row = 0; row < rows_.size(); ++row)
            rows_.setChecked(row, check);
        if (!rows_.isEmpty())
            emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, 0), {Qt::CheckStateRole});
        return false;
    }
    const Qt::SortOrder order = column == sortColumn_ && sortOrder_ == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    sort(column, order);
    return true;
}

int ReportModel::addRow(const QStringList& texts) {
    const int row = int(rows_.size());
    beginInsertRows({}, row, row);
    rows_.append(texts);
    endInsertRows();
    return row;
}

void ReportModel::setRows(const QList<QStringList>& rows) {
    beginResetModel();
    forgetSort();
    rows_.clear();
    rows_.reserve(rows.size());
    for (const QStringList& texts : rows)
        rows_.append(texts);
    endResetModel();
}

void ReportModel::setRows(ReportRows rows) {
    beginResetModel();
    forgetSort();
    rows_ = std::move(rows);
    endResetModel();
}

void ReportModel::removeRowAt(int row) {
    if (row < 0 || row >= rows_.size())
        return;
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

void ReportModel::clear() {
    beginResetModel();
    forgetSort();
    rows_ = ReportRows();
    endResetModel();
}

QString ReportModel::text(int row, int column) const {
    if (row < 0 || row >= rows_.size())
        return {};
    return rows_.text(row, column);
}

void ReportModel::setText(int row, int column, const QString& text) {
    if (row < 0 || row >= rows_.size() || column < 0 || column >= columns_.size())
        return;
    rows_.setText(row, column, text);
    emit dataChanged(index(row, column), index(row, column));
}

bool ReportModel::isChecked(int row) const {
    return row >= 0 && row < rows_.size() && rows_.isChecked(row);
}

void ReportModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rows_.size() || rows_.isChecked(row) == checked)
        return;
    rows_.setChecked(row, checked);
    emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
}

QList<int> ReportModel::checkedRows() const {
    QList<int> result;
    for (int i = 0; i < rows_.size(); ++i) {
        if (rows_.isChecked(i))
            result << i;
    }
    return result;
}
