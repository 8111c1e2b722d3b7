// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/CContactPage.h"

// "家庭信息": the spouse, the child and the household, one band each.
class CHomePage : public CContactPage {
    Q_OBJECT
  public:
    CHomePage(AppContext& app, QWidget* parent = nullptr)
        : CContactPage(ContactPage::Home, {3, {3, 3, 3}}, app, parent) {}
};
