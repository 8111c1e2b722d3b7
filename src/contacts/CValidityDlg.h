// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ValidityPeriod.h"

#include <QDialog>

class Prompter;
class QLineEdit;

// The period dialog (form 242, "往来有效期设置") of the data cleansing.
class CValidityDlg : public QDialog {
    Q_OBJECT
  public:
    CValidityDlg(Settings& settings, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }

  private:
    void onOk();

    ValidityPeriod period_;
    Prompter& prompter_;
    QLineEdit* edit_;
};
