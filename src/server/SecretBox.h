// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Keeps a secret (the server's password) in a text file without writing it in
// clear: AES-256-GCM under a key of 32 random bytes that lives apart from the
// text, in a file of the user's own ($XDG_CONFIG_HOME/mavor/server.key, made
// on first use, readable by its owner only). The sealed form is
// "v1:" + base64(nonce | ciphertext | tag).
//
// Unlike the login password's codec, whose key is built into every copy of
// the program, the sealed text alone gives nothing away: a mavor.ini that
// travels (a shared folder, a backup, a message to support) keeps the server
// password to itself. Moved to another account, the password is entered once
// more ("mavor-admin server").
class SecretBox {
  public:
    explicit SecretBox(const QString& keyPath = defaultKeyPath()) : keyPath_(keyPath) {}

    static QString defaultKeyPath();
    static bool isSealed(const QString& text);

    // Creates the key when there is none yet.
    std::optional<QString> seal(const QString& secret, QString* error = nullptr) const;
    // nullopt when the text was not sealed with this key or was altered.
    std::optional<QString> open(const QString& sealed, QString* error = nullptr) const;

  private:
    std::optional<QByteArray> key(bool create, QString* error) const;

    QString keyPath_;
};
