// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "login/PasswordChange.h"

#include <QDialog>

class QLineEdit;

// "设置密码": old password, new password twice.
class CPasswordDlg : public QDialog {
    Q_OBJECT
  public:
    CPasswordDlg(PasswordChange& change, QWidget* parent = nullptr);

    QLineEdit* oldEdit() const { return old_; }
    QLineEdit* newEdit() const { return new_; }
    QLineEdit* againEdit() const { return again_; }

  private:
    void onOk();

    PasswordChange& change_;
    QLineEdit* old_;
    QLineEdit* new_;
    QLineEdit* again_;
};
