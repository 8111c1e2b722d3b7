// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The least work that makes a workbook of some cells: one worksheet written by
// hand as the cells come (rows in order, columns in order within a row), no
// template, no styles, the few other parts fixed texts, zipped the way the
// program zips (deflate at the fastest level) straight into the file.
class FloorSheet {
  public:
    FloorSheet();

    // Rows and columns count from 1.
    void cell(int row, int column, QStringView text);
    bool save(const QString& path);

  private:
    QByteArray xml_;
    int row_ = 0; // the open row, 0 before the first
};
