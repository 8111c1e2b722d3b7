// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/CDepEditDlg.h"

CDepEditDlg::CDepEditDlg(RefRecordForm& form, const RefRecord& start, QWidget* parent)
    : CRefEditDlg(form, start, parent) {
    setObjectName(QStringLiteral("CDepEditDlg"));
}
