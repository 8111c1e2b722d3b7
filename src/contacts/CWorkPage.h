// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/CContactPage.h"

// "单位信息": the contact's work unit in three bands; its "查" copies a known
// unit's data from another contact.
class CWorkPage : public CContactPage {
    Q_OBJECT
  public:
    CWorkPage(AppContext& app, QWidget* parent = nullptr);

    // Copies the unit data of contact code into the page (the contact's own
    // position and the superior are left as they are).
    void copyUnitOf(qint64 code);

  protected:
    void runSearch(FieldSearch search) override;
};
