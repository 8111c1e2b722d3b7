// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>

// The rows of a list, their texts kept one after another in one string: a list
// of a hundred thousand rows is a few large blocks of memory instead of a
// million small ones, quick to fill and to let go. Rows keep their own tick.
class ReportRows {
  public:
    ReportRows() = default;
    // Room for rows of about the given number of characters each.
    void reserve(qsizetype rows, qsizetype charsPerRow = 0, int columns = 0);

    qsizetype size() const { return entries_.size(); }
    bool isEmpty() const { return entries_.isEmpty(); }
    // No rows; the memory is kept for the next ones.
    void clear();

    // One row of texts; missing texts read as empty.
    void append(std::initializer_list<QStringView> texts);
    void append(const QStringList& texts);

    QStringView view(qsizetype row, int column) const;
    QString text(qsizetype row, int column) const { return view(row, column).toString(); }
    // All texts of one row.
    QStringList texts(qsizetype row) const;
    // Replaces one text; columns past the row's end are added empty.
    void setText(qsizetype row, int column, QStringView text);

    bool isChecked(qsizetype row) const { return entries_.at(row).checked; }
    void setChecked(qsizetype row, bool checked) { entries_[row].checked = checked; }

    void removeAt(qsizetype row);
    // The rows rearranged: row i of the result is row order[i] of before.
    void reorder(const QList<int>& order);

  private:
    struct Cell {
        qsizetype start = 0;
        qsizetype length = 0;
    };
    struct Entry {
        qsizetype firstCell = 0;
        int cells = 0;
        bool checked = false;
    };
    Cell store(QStringView text);
    void beginRow(int cells);

    QString chars_;
    QList<Cell> cells_;
    QList<Entry> entries_;
};
