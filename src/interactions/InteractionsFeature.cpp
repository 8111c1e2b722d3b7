// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/InteractionsFeature.h"

#include "featureapi/CommandTable.h"
#include "interactions/CInteractionPage.h"
#include "interactions/CScoreQueryDlg.h"

void InteractionsFeature::install(FrameServices& frame) {
    frame_ = &frame;
    AppContext& app = frame.context();
    auto* page = new CInteractionPage(app.db, app.prompter, app.clock, frame.session().userCode);
    page->list().setHost(this);
    ContactListView* view = &frame.contactList();
    // The contact chosen in the list, as the list knows it.
    page->list().setContactSource([view] { return view->currentContact(); });
    frame.contactTabs().setListTab(ContactTabs::Interactions, page, page);

    frame.addCommand(commands::ScoreQuery, [&frame] {
        CScoreQueryDlg dialog(frame.context().db, frame.window());
        dialog.exec();
    });
}

void InteractionsFeature::showNotice(const QString& text) {
    frame_->showNotice(text);
}

void InteractionsFeature::showScore() {
    frame_->showScore();
}

void InteractionsFeature::remindersChanged() {
    frame_->remindersChanged();
}
