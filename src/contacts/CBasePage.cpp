// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CBasePage.h"

#include "contacts/CExistingRecordsDlg.h"
#include "contacts/ContactSearch.h"
#include "featureapi/AppContext.h"

CBasePage::CBasePage(AppContext& app, QWidget* parent)
    : CContactPage(ContactPage::Base, {2, {}}, app, parent) {}

void CBasePage::runSearch(FieldSearch search) {
    if (search != FieldSearch::Name)
        return;
    const QString name = values().value(QStringLiteral("base_name"));
    ContactSearch contacts(app_.db, app_.prompter);
    if (!contacts.checkName(name))
        return;
    // The list only informs: nothing is copied from it.
    CExistingRecordsDlg dialog(app_, name, ContactSearch::Mode::ByName, this);
    dialog.exec();
}
