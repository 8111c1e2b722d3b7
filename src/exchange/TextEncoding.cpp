// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/TextEncoding.h"

#include <QStringEncoder>

namespace exchange {

namespace {

const char kGb18030[] = "GB18030";

// Length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

bool isValidUtf8(const QByteArray& bytes, bool allowCutEnd) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int len = sequenceLength(p[i]);
        if (len == 0)
            return false;
        if (i + len > n) {
            // Every byte present must still continue the sequence.
            for (qsizetype k = i + 1; k < n; ++k)
                if ((p[k] & 0xC0) != 0x80)
                    return false;
            return allowCutEnd;
        }
        for (int k = 1; k < len; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        // Overlong forms and surrogates are not UTF-8.
        if (len == 3 && ((p[i] == 0xE0 && p[i + 1] < 0xA0) || (p[i] == 0xED && p[i + 1] > 0x9F)))
            return false;
        if (len == 4 && ((p[i] == 0xF0 && p[i + 1] < 0x90) || (p[i] == 0xF4 && p[i + 1] > 0x8F)))
            return false;
        i += len;
    }
    return true;
}

bool looksBinary(const QByteArray& bytes) {
    qsizetype controls = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0)
            return true;
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f')
            ++controls;
    }
    // Text has the odd form feed or escape; data has them everywhere.
    return controls > 8 && controls * 100 > bytes.size();
}

Detection detectEncoding(const QByteArray& sample) {
    Detection d;
    if (sample.startsWith("\xEF\xBB\xBF")) {
        d.encoding = Encoding::Utf8;
        d.bomLength = 3;
        d.binary = looksBinary(sample.mid(3));
        return d;
    }
    if (sample.startsWith("\xFF\xFE") || sample.startsWith("\xFE\xFF")) {
        d.encoding = sample.startsWith("\xFF\xFE") ? Encoding::Utf16LE : Encoding::Utf16BE;
        d.bomLength = 2;
        // UTF-16 text is full of NUL bytes: judge the decoded text instead.
        QStringDecoder decoder = decoderFor(d.encoding);
        const QString text = decoder(sample.mid(2));
        d.binary = decoder.hasError() || looksBinary(text.toUtf8());
        return d;
    }
    d.binary = looksBinary(sample);
    d.encoding = isValidUtf8(sample, true) ? Encoding::Utf8 : Encoding::Gb18030;
    return d;
}

QStringDecoder decoderFor(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QStringDecoder(QStringDecoder::Utf8);
    case Encoding::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE);
    case Encoding::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE);
    case Encoding::Gb18030:
        break;
    }
    return QStringDecoder(kGb18030);
}

QByteArray encode(const QString& text, Encoding encoding, bool bom) {
    switch (encoding) {
    case Encoding::Utf8:
        return (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        QStringEncoder encoder(
            encoding == Encoding::Utf16LE ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
            bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
        return encoder(text);
    }
    case Encoding::Gb18030:
        break;
    }
    QStringEncoder encoder(kGb18030);
    return encoder(text);
}

QString encodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Gb18030:
        return QStringLiteral("GB18030");
    case Encoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case Encoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    }
    return {};
}

bool parseEncoding(const QString& name, Encoding* encoding) {
    const QString n = name.trimmed().toUpper().remove(u'-').remove(u'_');
    if (n == u"UTF8")
        *encoding = Encoding::Utf8;
    else if (n == u"GB18030" || n == u"GBK" || n == u"GB2312" || n == u"CP936")
        *encoding = Encoding::Gb18030;
    else if (n == u"UTF16LE" || n == u"UTF16")
        *encoding = Encoding::Utf16LE;
    else if (n == u"UTF16BE")
        *encoding = Encoding::Utf16BE;
    else
        return false;
    return true;
}

QStringDecoder decoderForCharset(const QString& charset) {
    Encoding known;
    if (parseEncoding(charset, &known))
        return decoderFor(known);
    return QStringDecoder(charset.trimmed().toLatin1().constData());
}

} // namespace exchange
