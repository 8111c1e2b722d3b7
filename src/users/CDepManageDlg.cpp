// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/CDepManageDlg.h"

#include "reference/RefTableDefinitions.h"
#include "users/CDepEditDlg.h"

CDepManageDlg::CDepManageDlg(Database& db, Prompter& prompter, QWidget* parent)
    : CRefListDlg(db, prompter, *reftables::find(QStringLiteral("dep")), parent) {
    setObjectName(QStringLiteral("CDepManageDlg"));
}

bool CDepManageDlg::runEditForm(RefRecordForm& form, const RefRecord& start) {
    CDepEditDlg dialog(form, start, this);
    return dialog.exec() == QDialog::Accepted;
}
