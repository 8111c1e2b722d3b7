// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/SyncEngine.h"

#include <QDialog>

class QTableWidget;

// The contacts that seem to be the same person here and on the server, shown
// before the sync stores anything of them: the ticked ones become one
// contact, the others stay two.
class CSyncMatchesDlg : public QDialog {
    Q_OBJECT
  public:
    CSyncMatchesDlg(const QList<carddav::ProposedMatch>& matches, QWidget* parent = nullptr);

    QList<bool> joined() const;
    QTableWidget* table() const { return table_; }

  private:
    QTableWidget* table_;
};
