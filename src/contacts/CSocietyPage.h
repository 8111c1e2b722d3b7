// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/CContactPage.h"

// "社交信息": the contact's habits and tastes.
class CSocietyPage : public CContactPage {
    Q_OBJECT
  public:
    CSocietyPage(AppContext& app, QWidget* parent = nullptr)
        : CContactPage(ContactPage::Society, {2, {}}, app, parent) {}
};
