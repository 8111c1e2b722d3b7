// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// What the contact list asks of the detail pane below it: the pane shows one
// contact and keeps the user's unsaved edits (the modified flag) until they are
// saved or dropped.
class DetailPane {
  public:
    virtual ~DetailPane() = default;

    // Empties every page and the contact's lists.
    virtual void clearPane() = 0;
    // Shows the contact whose base_invalid_flag equals liveFlag.
    virtual void loadContact(qint64 code, int liveFlag) = 0;
    // Checks the pages in their order; a failure has been shown and its field focused.
    virtual bool validatePane() = 0;
    // Writes the five pages of the contact in one transaction.
    virtual bool saveContact(qint64 code) = 0;

    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;
};
