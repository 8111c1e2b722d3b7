// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class XlsxWorkbook;

// One of the exports: which sheet of the template it fills, how it fills it
// and what it says when the file is written.
class SheetWriter {
  public:
    virtual ~SheetWriter() = default;

    // The template sheet laid out for this export (the active sheet when the
    // template has none of that name).
    virtual QString sheetName() const = 0;
    // Rows of the source list: the progress window's range.
    virtual int steps() const = 0;
    // Fills the cells, calling advance(n) after the n-th source row. False
    // after a database error (shown): nothing is then saved.
    virtual bool fill(XlsxWorkbook& book, const std::function<void(int)>& advance) = 0;
    virtual QString doneMessage() const = 0;
    // Why there is nothing to export (shown instead of writing a file), or
    // empty text when there is something.
    virtual QString nothingToWrite() const { return {}; }
};
