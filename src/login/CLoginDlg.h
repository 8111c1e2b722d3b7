// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "login/LoginCheck.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The login form: user name, masked password, "remember" box and "登录".
// Esc and the close box cancel.
class CLoginDlg : public QDialog {
    Q_OBJECT
  public:
    CLoginDlg(LoginCheck& check, QWidget* parent = nullptr);

    QString userName() const;
    // Team mode: the server the person signs in to, and how safely.
    void showServer(const ServerAddress& server);
    QLineEdit* userEdit() const { return user_; }
    QLineEdit* passwordEdit() const { return password_; }
    QCheckBox* rememberBox() const { return remember_; }

    static constexpr int kMaxChars = 20;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void onLogin();

    LoginCheck& check_;
    QLineEdit* user_;
    QLineEdit* password_;
    QCheckBox* remember_;
    class QLabel* server_ = nullptr;
};
