#include "documents/DocumentsFeature.h"

#include "app/CMainFrame.h"
#include "app/CNavTree.h"
#include "app/CommandTable.h"
#include "contacts/CContactDetailPane.h"
#include "db/Lookups.h"
#include "documents/CDatumView.h"
#include "documents/CDocPage.h"
#include "documents/DesktopFileOpener.h"

void DocumentsFeature::install(FrameServices& frame) {
    auto opener = std::make_shared<DesktopFileOpener>();
    AppContext& app = frame.context();
    const qint64 user = frame.session().userCode;
    auto* main = qobject_cast<CMainFrame*>(frame.window());

    CContactDetailPane* pane = frame.detailPane();
    auto* page = new CDocPage(app, user, &frame, opener, pane);
    // The tree's "文档资料" counts and titles follow every change; the list
    // and the contact shown stay as they are.
    page->documents()->setOnChanged([main] {
        if (main)
            main->tree()->rebuildAfterChange(false);
    });
    pane->setListTab(CContactDetailPane::Documents, page, page->documents());

    auto* view = new CDatumView(app, user, opener);
    frame.setView(4, view);
    view->setCommandRunner([main](int id) {
        if (main)
            main->runCommand(id);
    });
    frame.onGroupItem(commands::DatumGroup, [view, &app](int, const QString& caption) {
        view->items()->load(Lookups(app.db).datumSortCode(caption));
    });
    frame.addCommand(commands::AddDatum, [view] { view->items()->add(); });
    frame.addCommand(commands::ModifyDatum, [view] { view->items()->modifyTicked(); });
    frame.addCommand(commands::DeleteDatum, [view] { view->items()->remove(); });
}
