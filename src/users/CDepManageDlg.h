// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/CRefListDlg.h"

// "部门管理": the departments, added, renamed and deleted while no user belongs to them.
class CDepManageDlg : public CRefListDlg {
    Q_OBJECT
  public:
    CDepManageDlg(Database& db, Prompter& prompter, QWidget* parent = nullptr);

  protected:
    bool runEditForm(RefRecordForm& form, const RefRecord& start) override;
};
