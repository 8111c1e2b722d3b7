// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/CContactPage.h"

// "基本信息": the contact's own data; its "查" lists the contacts of that name.
class CBasePage : public CContactPage {
    Q_OBJECT
  public:
    CBasePage(AppContext& app, QWidget* parent = nullptr);

  protected:
    void runSearch(FieldSearch search) override;
};
