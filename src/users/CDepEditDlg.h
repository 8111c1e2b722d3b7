// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/CRefEditDlg.h"

// "部门增加" / "部门修改": the department name.
class CDepEditDlg : public CRefEditDlg {
    Q_OBJECT
  public:
    CDepEditDlg(RefRecordForm& form, const RefRecord& start, QWidget* parent = nullptr);
};
