// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactsFeature.h"

#include "contacts/CContactAddSheet.h"
#include "contacts/ContactList.h"
#include "featureapi/CommandTable.h"

void ContactsFeature::install(FrameServices& frame) {
    ContactListView* view = &frame.contactList();
    frame.addCommand(commands::AddContact, [this, &frame] { addContacts(frame); });
    frame.addCommand(commands::DeleteContact, [view] { view->deleteContacts(); });
    frame.addCommand(commands::MoveToTrash, [view] { view->moveToTrash(); });
    frame.addCommand(commands::Restore, [view] { view->restore(); });
    frame.addCommand(commands::EmptyTrash, [view] { view->emptyTrash(); });
    frame.addCommand(commands::Distribute, [view, &frame] {
        view->distribute();
        frame.showScore();
    });
}

void ContactsFeature::addContacts(FrameServices& frame) {
    // The sheet may leave the pane's edits behind a reload: settle them first.
    if (!frame.contactList().settleEdits())
        return;
    const int saved = runAddContacts(frame.context(), frame.session(), frame.window());
    if (saved > 0) {
        frame.showNotice(QStringLiteral("不错,等级分增加了!"));
        frame.showScore();
        frame.contactsChanged();
    }
}
