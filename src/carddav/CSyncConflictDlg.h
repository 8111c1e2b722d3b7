// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/SyncEngine.h"
#include "exchange/ContactMerger.h"

#include <QDialog>

class QButtonGroup;
class QTableWidget;

// A contact changed here and on the server since the last sync: for each
// field where the two differ the person picks the value kept (this program's
// to start with); "合并" stores the result, which the next sync sends.
class CSyncConflictDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CSyncConflictDlg(const carddav::SyncConflict& conflict, QWidget* parent = nullptr);

    // The record to keep, with the values chosen.
    ContactRecord merged() const;
    // Picks the server's value (1) or this program's (0) for a field's row.
    void choose(int row, int side);
    QTableWidget* fields() const { return fields_; }

  private:
    QList<ContactRecord> records_;
    QList<exchange::MergeField> differences_;
    QList<QButtonGroup*> choices_;
    QTableWidget* fields_;
};
