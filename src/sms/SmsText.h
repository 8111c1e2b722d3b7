// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The rules of a message text: it is counted in characters for the user and
// limited in the bytes of its GBK form, as the gateways take it.
namespace smstext {

// Most characters the compose field takes.
inline constexpr int kMaxCharacters = 1000;
// Most bytes of the text in GBK.
inline constexpr int kMaxGbkBytes = 1024;

// Characters as the user sees them: a Chinese character, a letter and an emoji count 1 each.
int characterCount(const QString& text);
// Bytes of the text in GBK; a character GBK has no code for counts with its
// GB18030 length (four bytes), so no text slips under the limit.
int gbkByteCount(const QString& text);
// The text cut to the field's limit without splitting a character.
QString limited(const QString& text);
// The message that refuses the text, or empty text when it may be queued.
QString refusal(const QString& text);

} // namespace smstext
