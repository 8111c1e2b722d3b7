// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/AssoFeature.h"

#include "contacts/CAssoPage.h"

void AssoFeature::install(FrameServices& frame) {
    ContactTabs& tabs = frame.contactTabs();
    auto* page = new CAssoPage(frame.context(), frame.session().userCode, &frame, tabs.tabParent());
    tabs.setListTab(ContactTabs::Associations, page, page->associations());
}
