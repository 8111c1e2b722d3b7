// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/SyncAccount.h"

#include <QDialog>
#include <QSslCertificate>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "通讯录同步": the server, the user and password, the address books found
// there (RFC 6352 discovery) and the one chosen, how often to sync. A server
// whose certificate no authority vouches for is reached only when the person
// ticks that they trust that very certificate; the window then keeps saying so.
class CSyncAccountDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CSyncAccountDlg(const SyncAccount& account, QWidget* parent = nullptr);

    // Asks the server for the address books; false (said in the window) when it cannot.
    bool discover();
    SyncAccount account() const;

    QLineEdit* serverEdit() const { return server_; }
    QLineEdit* userEdit() const { return user_; }
    QLineEdit* passwordEdit() const { return password_; }
    QComboBox* books() const { return books_; }
    QCheckBox* trustBox() const { return trust_; }
    QPushButton* syncButton() const { return sync_; }
    QLabel* status() const { return status_; }

  private:
    void showCertificate();

    QLineEdit* server_;
    QLineEdit* user_;
    QLineEdit* password_;
    QPushButton* find_;
    QComboBox* books_;
    QLabel* certificate_;
    QCheckBox* trust_;
    QSpinBox* every_;
    QLabel* status_;
    QPushButton* sync_;
    QSslCertificate untrusted_;
    QString trusted_; // SHA-256 hex of the certificate trusted, empty for none
};
