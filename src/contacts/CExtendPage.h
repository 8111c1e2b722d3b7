// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/CContactPage.h"

// "扩展信息": education and other extended data.
class CExtendPage : public CContactPage {
    Q_OBJECT
  public:
    CExtendPage(AppContext& app, QWidget* parent = nullptr)
        : CContactPage(ContactPage::Extend, {2, {}}, app, parent) {}
};
