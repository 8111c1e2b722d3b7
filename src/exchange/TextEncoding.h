// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// The encodings contact files come in. Files written by phones and mail
// programs are UTF-8 (with or without a byte order mark); spreadsheets saved
// on Chinese systems are GBK, read here as its superset GB18030; "Unicode
// text" from a spreadsheet is UTF-16 with a byte order mark.
namespace exchange {

enum class Encoding { Utf8, Gb18030, Utf16LE, Utf16BE };

// What the first bytes of a file say.
struct Detection {
    Encoding encoding = Encoding::Utf8;
    int bomLength = 0;   // bytes of a byte order mark to skip
    bool binary = false; // NUL bytes or control characters: not a text file
};

// Looks at a sample from the start of a file (a sequence cut at the sample's
// end is no evidence against UTF-8).
Detection detectEncoding(const QByteArray& sample);

// Whether bytes read as UTF-8 without an invalid sequence; a sequence cut at
// the end counts as valid when allowCutEnd.
bool isValidUtf8(const QByteArray& bytes, bool allowCutEnd = false);

// Whether the bytes look like binary data rather than text in any of the
// 8-bit encodings (NUL bytes, or many control characters).
bool looksBinary(const QByteArray& bytes);

// A stateful decoder: chunks may split a character anywhere.
QStringDecoder decoderFor(Encoding encoding);
// Text in the encoding, with a byte order mark when bom (UTF-8 and UTF-16 only).
QByteArray encode(const QString& text, Encoding encoding, bool bom = false);

// The name a person reads ("UTF-8", "GB18030"), and back; nullopt-like
// fallback: parse gives false for an unknown name.
QString encodingName(Encoding encoding);
bool parseEncoding(const QString& name, Encoding* encoding);

// A vCard's CHARSET parameter: the decoder for the named character set, or an
// invalid decoder when the name is unknown. GB2312 and GBK read as GB18030.
QStringDecoder decoderForCharset(const QString& charset);

} // namespace exchange
