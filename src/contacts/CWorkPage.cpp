// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CWorkPage.h"

#include "contacts/CExistingRecordsDlg.h"
#include "contacts/ContactSearch.h"
#include "featureapi/AppContext.h"

CWorkPage::CWorkPage(AppContext& app, QWidget* parent)
    : CContactPage(ContactPage::Work, {2, {3, 5, 2}}, app, parent) {}

void CWorkPage::runSearch(FieldSearch search) {
    if (search != FieldSearch::Unit)
        return;
    const QString unit = values().value(QStringLiteral("work_name"));
    ContactSearch contacts(app_.db, app_.prompter);
    if (!contacts.checkUnit(unit))
        return;
    CExistingRecordsDlg dialog(app_, unit, ContactSearch::Mode::ByUnit, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenCode().isEmpty())
        return;
    copyUnitOf(dialog.chosenCode().toLongLong());
}

void CWorkPage::copyUnitOf(qint64 code) {
    ContactSearch contacts(app_.db, app_.prompter);
    mergeValues(contacts.unitOf(code));
    markModified();
}
