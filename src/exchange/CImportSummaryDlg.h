// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ImportSummary.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// What an import did: how many contacts were imported, merged, skipped as
// duplicates and refused, then every refused, repeated or changed contact
// with its line in the file and the reason.
class CImportSummaryDlg : public QDialog {
    Q_OBJECT
  public:
    CImportSummaryDlg(const exchange::ImportSummary& summary, const QString& fileName,
                      QWidget* parent = nullptr);

    QString countsText() const;
    QTableWidget* table() const { return table_; }
    // The list as tab-separated lines, for the clipboard.
    QString listText() const;

  private:
    QLabel* counts_;
    QTableWidget* table_;
};
