// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReportRows.h"

void ReportRows::reserve(qsizetype rows, qsizetype charsPerRow, int columns) {
    entries_.reserve(rows);
    chars_.reserve(rows * charsPerRow);
    cells_.reserve(rows * columns);
}

void ReportRows::clear() {
    chars_.resize(0);
    cells_.clear();
    entries_.clear();
}

ReportRows::Cell ReportRows::store(QStringView text) {
    const Cell cell{chars_.size(), text.size()};
    chars_.append(text);
    return cell;
}

void ReportRows::beginRow(int cells) {
    entries_.append({cells_.size(), cells, false});
}

void ReportRows::append(std::initializer_list<QStringView> texts) {
    beginRow(int(texts.size()));
    for (QStringView text : texts)
        cells_.append(store(text));
}

void ReportRows::append(const QStringList& texts) {
    beginRow(int(texts.size()));
    for (const QString& text : texts)
        cells_.append(store(text));
}

QStringView ReportRows::view(qsizetype row, int column) const {
    if (row < 0 || row >= entries_.size() || column < 0)
        return {};
    const Entry& entry = entries_.at(row);
    if (column >= entry.cells)
        return {};
    const Cell& cell = cells_.at(entry.firstCell + column);
    return QStringView(chars_).mid(cell.start, cell.length);
}

QStringList ReportRows::texts(qsizetype row) const {
    QStringList result;
    if (row < 0 || row >= entries_.size())
        return result;
    for (int c = 0; c < entries_.at(row).cells; ++c)
        result << text(row, c);
    return result;
}

void ReportRows::setText(qsizetype row, int column, QStringView text) {
    if (row < 0 || row >= entries_.size() || column < 0)
        return;
    Entry& entry = entries_[row];
    if (column >= entry.cells) {
        // The row moves to the end with room for the new column; its old
        // cells stay unused until the rows are filled anew.
        const qsizetype first = cells_.size();
        for (int c = 0; c < entry.cells; ++c)
            cells_.append(cells_.at(entry.firstCell + c));
        cells_.resize(first + column + 1);
        entry.firstCell = first;
        entry.cells = column + 1;
    }
    cells_[entry.firstCell + column] = store(text);
}

void ReportRows::removeAt(qsizetype row) {
    if (row >= 0 && row < entries_.size())
        entries_.removeAt(row);
}

void ReportRows::reorder(const QList<int>& order) {
    QList<Entry> arranged;
    arranged.reserve(order.size());
    for (int from : order)
        arranged.append(entries_.at(from));
    entries_ = std::move(arranged);
}
