// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/CUserManageDlg.h"

#include "users/CUserEditDlg.h"
#include "users/UserForm.h"
#include "users/UserList.h"

CUserManageDlg::CUserManageDlg(Database& db, Prompter& prompter, qint64 currentUser,
                               QWidget* parent)
    : CRefListDlg(std::make_unique<UserList>(db, prompter, currentUser), parent), userDb_(db),
      userPrompter_(prompter) {
    setObjectName(QStringLiteral("CUserManageDlg"));
}

bool CUserManageDlg::openForm(int row) {
    ReportModel& rows = list().model();
    CUserEditDlg::Start start;
    if (row >= 0) {
        start.name = rows.text(row, UserList::NameColumn);
        start.department = rows.text(row, UserList::DepartmentColumn);
        start.manager = rows.text(row, UserList::ManagerColumn) == UserList::kManagerMark;
    }
    UserForm form(userDb_, userPrompter_, row >= 0 ? UserForm::Mode::Modify : UserForm::Mode::Add,
                  row >= 0 ? rows.text(row, UserList::CodeColumn) : QString(), start.department);
    CUserEditDlg dialog(form, start, this);
    return dialog.exec() == QDialog::Accepted;
}
