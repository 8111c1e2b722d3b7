// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CleansingFeature.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "contacts/CClientView2.h"
#include "contacts/CValidityDlg.h"
#include "contacts/Cleansing.h"
#include "contacts/ContactList.h"
#include "contacts/ValidityPeriod.h"
#include "featureapi/CommandTable.h"

#include <QApplication>

void CleansingFeature::install(FrameServices& frame) {
    frame.addCommand(commands::Cleansing, [this, &frame] { cleanse(frame); });
    frame.addCommand(commands::ValidityPeriod, [&frame] {
        CValidityDlg dialog(frame.context().settings, frame.context().prompter, frame.window());
        dialog.exec();
    });
}

void CleansingFeature::cleanse(FrameServices& frame) {
    AppContext& app = frame.context();
    // The pane is emptied afterwards: its unsaved edits are offered first.
    if (!frame.contactList().settleEdits())
        return;
    Cleansing cleansing(app.db, app.prompter, app.clock);
    const int days = Cleansing::periodOf(app.settings.value(ValidityPeriod::kKey));
    if (!cleansing.confirm(days))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = cleansing.run(days);
    QApplication::restoreOverrideCursor();
    if (!done)
        return;
    // The list shows the trashed contacts no longer, the tree counts them anew.
    frame.contactsChanged();
    frame.showScore();
    app.prompter.inform(Cleansing::kDone);
}
