// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocumentsFeature.h"

#include "db/Lookups.h"
#include "documents/CDatumView.h"
#include "documents/CDocPage.h"
#include "documents/DesktopFileOpener.h"
#include "featureapi/CommandTable.h"

void DocumentsFeature::install(FrameServices& frame) {
    AppContext& app = frame.context();
    auto opener = std::make_shared<DesktopFileOpener>(app.prompter);
    const qint64 user = frame.session().userCode;

    ContactTabs& tabs = frame.contactTabs();
    auto* page = new CDocPage(app, user, &frame, opener, tabs.tabParent());
    // The tree's "文档资料" counts and titles follow every change; the list
    // and the contact shown stay as they are.
    page->documents()->setOnChanged([&frame] { frame.countsChanged(); });
    tabs.setListTab(ContactTabs::Documents, page, page->documents());

    auto* view = new CDatumView(app, user, opener);
    frame.setView(4, view);
    view->setCommandRunner([&frame](int id) { frame.runCommand(id); });
    frame.onGroupItem(commands::DatumGroup, [view, &app](int, const QString& caption) {
        view->items()->load(Lookups(app.db).datumSortCode(caption));
    });
    frame.addCommand(commands::AddDatum, [view] { view->items()->add(); });
    frame.addCommand(commands::ModifyDatum, [view] { view->items()->modifyTicked(); });
    frame.addCommand(commands::DeleteDatum, [view] { view->items()->remove(); });
}
