// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text rules of vCard values (RFC 6350 3.4, RFC 2426 4, vCard 2.1 2.1.3).
namespace exchange::vcardtext {

// "\n", "\N", "\,", "\;", "\:" and "\\" read as the characters they stand for;
// a backslash before anything else is kept. Line breaks read as "\n".
QString unescape(const QString& value);
// The components of a structured value (N, ADR, ORG) split at the semicolons
// that are not escaped, each unescaped.
QStringList splitStructured(const QString& value);
// The values of a list (CATEGORIES) split at the commas that are not escaped.
QStringList splitList(const QString& value);

// A text written as a vCard 4.0 value: backslash, comma, semicolon and line
// break escaped.
QString escape(const QString& text);

// The bytes of a QUOTED-PRINTABLE value (soft line breaks already joined).
QByteArray decodeQuotedPrintable(const QByteArray& value);

// One content line folded after at most 75 octets (a UTF-8 character is never
// split), lines ended by CRLF.
QByteArray fold(const QString& line);

} // namespace exchange::vcardtext
