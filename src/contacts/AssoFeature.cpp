// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/AssoFeature.h"

#include "contacts/CAssoPage.h"
#include "contacts/CContactDetailPane.h"

void AssoFeature::install(FrameServices& frame) {
    CContactDetailPane* pane = frame.detailPane();
    auto* page = new CAssoPage(frame.context(), frame.session().userCode, &frame, pane);
    pane->setListTab(CContactDetailPane::Associations, page, page->associations());
}
