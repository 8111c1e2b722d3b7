// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/CRefListDlg.h"

// "用户管理": the other users, added, changed and deleted.
class CUserManageDlg : public CRefListDlg {
    Q_OBJECT
  public:
    CUserManageDlg(Database& db, Prompter& prompter, qint64 currentUser, QWidget* parent = nullptr);

  protected:
    bool openForm(int row) override;
    bool opensOnDoubleClick() const override { return true; }

  private:
    Database& userDb_;
    Prompter& userPrompter_;
};
