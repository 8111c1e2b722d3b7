// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ReportColumn.h"
#include "ui/ReportRows.h"

#include <QAbstractTableModel>
#include <QStringList>

// The rows of every list window: one text per column, a tick in the first
// column, a locale-aware sort by any column, and the "选" header that ticks
// every row on one click and clears every row on the next.
class ReportModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ReportModel(QObject* parent = nullptr);
    explicit ReportModel(const QString& columnSpec, QObject* parent = nullptr);

    void setColumns(const QString& columnSpec);
    const QList<ReportColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // One text per column; missing texts are empty. Returns the new row's index.
    int addRow(const QStringList& texts);
    // Many rows at once (one model reset), for long lists. A list filled anew,
    // or emptied, is unsorted: the next header click sorts its column A to Z.
    void setRows(const QList<QStringList>& rows);
    void setRows(ReportRows rows);
    void removeRowAt(int row);
    void clear();

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    // The hidden key column (the second by convention).
    QString key(int row) const { return text(row, 1); }

    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    QList<int> checkedRows() const;

    // A click on a header: the first column toggles every tick, any other
    // sorts (again on the same column reverses). Returns whether it sorted.
    bool clickHeader(int column);
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

  private:
    void forgetSort();

    QList<ReportColumn> columns_;
    ReportRows rows_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    bool checkAllNext_ = true;
};
