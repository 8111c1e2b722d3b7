// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// One worksheet part of a workbook: the template's XML and the texts the
// program sets into its cells. Rendering keeps everything of the template
// (column widths, row heights, page set-up, the template's own cells) and
// writes each set cell as text in the template's format for that place: the
// format of the template cell itself, else of the nearest template cell above
// it in its column (the model row of a table), else of its row or column.
class SheetXml {
  public:
    explicit SheetXml(const QString& xml) : xml_(xml) {}

    // Rows and columns count from 1. A cell set again keeps the last text.
    void setText(int row, int column, const QString& text);
    // A plain decimal ("120.50", "-3") is stored as a number that the
    // spreadsheet can sum; any other text is stored as text.
    void setNumber(int row, int column, const QString& text);
    // The text set at a cell; empty when none was.
    QString text(int row, int column) const;
    // The sheet becomes the workbook's selected tab.
    void select() { selected_ = true; }

    // The new worksheet part in UTF-8; empty (and *error set) when the
    // template's XML cannot be read.
    QByteArray render(QString* error = nullptr) const;

    // "A", "B", ..., "Z", "AA", ...
    static QString columnName(int column);
    // The row and column of a reference such as "AB12"; false when it is not one.
    static bool parseReference(QStringView reference, int* row, int* column);

  private:
    // A cell set; its text is texts_.sliced(at, size). An export sets
    // hundreds of thousands: they are kept flat, their texts one after
    // another in one string.
    struct Cell {
        int row;
        int column;
        qsizetype at;
        qsizetype size;
        bool number = false;
    };
    // The cells in row and column order, each place once with its last text.
    std::vector<Cell> ordered() const;

    QString xml_;
    std::vector<Cell> cells_; // in the order they were set
    QString texts_;
    bool inOrder_ = true; // cells_ is in row and column order, each place once
    bool selected_ = false;
};
