// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// One of the detail pane's list tabs (associations, interactions, documents):
// it is handed the number of the contact shown and lists that contact's rows.
class ContactTab {
  public:
    virtual ~ContactTab() = default;
    // Empties the list.
    virtual void clearContact() = 0;
    // Remembers code and lists its rows; false (after a reported failure)
    // stops the pane from handing the contact to the tabs after this one.
    virtual bool showContact(qint64 code) = 0;
};
