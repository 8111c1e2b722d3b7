// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The stored form of a password: its GBK bytes in one zero-filled 16-byte block,
// enciphered with AES-192 under the installation's fixed key, written as 32
// lowercase hex digits. Every installation sharing a database uses the same key.
namespace password {

constexpr int kMaxBytes = 16;

// The password's bytes as they are counted and enciphered; nullopt when the
// text has a character GBK cannot hold.
std::optional<QByteArray> gbkBytes(const QString& text);
QString fromGbk(const QByteArray& bytes);

// True when the text fits the 16-byte block.
bool fits(const QString& text);

// The 32 hex digits; nullopt for a password that does not fit.
std::optional<QString> encode(const QString& text);

// The password of 32 hex digits (bytes up to the first zero); nullopt when the
// text is not 32 hex digits.
std::optional<QString> decode(const QString& hex);

// The message for a password that does not fit.
QString tooLongMessage();

} // namespace password
