// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardParser.h"

#include "exchange/TextEncoding.h"
#include "exchange/VCardText.h"

#include <QIODevice>
#include <QStringDecoder>

namespace exchange {

namespace {

const QString kBinary = QStringLiteral("文件中含有二进制数据, 不是 vCard 文件");
const QString kNoEnd = QStringLiteral("缺少 END:VCARD");
const QString kTooLong = QStringLiteral("过长 (超过 1 MB)");
const QString kTooManyProperties =
    QStringLiteral("名片过大 (超过 %1 项内容)").arg(VCardParser::kMaxProperties);
const QString kTooBig = QStringLiteral("名片过大 (超过 1 MB)");

// The header (name and parameters) ends at the first colon outside quotes.
qsizetype headerEnd(const QByteArray& line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '"')
            quoted = !quoted;
        else if (c == ':' && !quoted)
            return i;
    }
    return -1;
}

QList<QByteArray> splitHeader(const QByteArray& header) {
    QList<QByteArray> parts;
    QByteArray current;
    bool quoted = false;
    for (const char c : header) {
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

bool containsNoCase(QByteArrayView text, QByteArrayView what) {
    for (qsizetype i = 0; i + what.size() <= text.size(); ++i)
        if (qstrnicmp(text.data() + i, what.data(), size_t(what.size())) == 0)
            return true;
    return false;
}

// What the start of a logical line says about reading the rest of it; looked
// at for every line, so it copies nothing.
struct LineKind {
    bool skipped = false; // photos, sounds, keys, BASE64 data: read past, never kept
    bool quotedPrintable = false;
};

LineKind kindOf(const QByteArray& line) {
    const qsizetype end = headerEnd(line);
    QByteArrayView name = QByteArrayView(line).first(end < 0 ? line.size() : end).trimmed();
    if (const qsizetype semi = name.indexOf(';'); semi >= 0)
        name.truncate(semi);
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.sliced(dot + 1);
    LineKind kind;
    for (const char* skipped : {"PHOTO", "LOGO", "SOUND", "KEY"})
        kind.skipped = kind.skipped || name.compare(skipped, Qt::CaseInsensitive) == 0;
    if (end < 0)
        return kind;
    const QByteArrayView header = QByteArrayView(line).first(end);
    kind.skipped =
        kind.skipped || containsNoCase(header, "ENCODING=B") || containsNoCase(header, ";BASE64");
    kind.quotedPrintable = end > 0 && containsNoCase(header, "QUOTED-PRINTABLE");
    return kind;
}

QString decodeText(const QByteArray& bytes, const QString& charset) {
    if (!charset.isEmpty()) {
        QStringDecoder decoder = decoderForCharset(charset);
        if (decoder.isValid())
            return decoder(bytes);
    }
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QStringDecoder gb = decoderFor(Encoding::Gb18030);
    return gb(bytes);
}

bool isCardLine(const QByteArray& bytes, const char* what) {
    return QByteArrayView(bytes).trimmed().compare(what, Qt::CaseInsensitive) == 0;
}

} // namespace

VCardParser::VCardParser(QIODevice& device) : device_(device) {}

qint64 VCardParser::position() const {
    return device_.pos();
}

QByteArrayView VCardParser::readSlice() {
    // One buffer for every line: reading a line costs what the line holds,
    // not a buffer of the longest line each time.
    if (slice_.size() != kMaxLine + 1)
        slice_.resize(kMaxLine + 1);
    const qint64 n = device_.readLine(slice_.data(), slice_.size());
    return QByteArrayView(slice_.constData(), qsizetype(qMax<qint64>(n, 0)));
}

bool VCardParser::readPhysical(Physical& out) {
    out = Physical();
    if (device_.atEnd())
        return false;
    out.line = ++lineNumber_;
    out.bytes = readSlice().toByteArray();
    if (!out.bytes.endsWith('\n') && !device_.atEnd()) {
        // Read past the rest of the line without keeping it.
        out.tooLong = true;
        while (!device_.atEnd()) {
            const QByteArrayView rest = readSlice();
            if (rest.contains('\0'))
                out.bytes += '\0';
            if (rest.isEmpty() || rest.endsWith('\n'))
                break;
        }
        out.bytes.truncate(qMin<qsizetype>(out.bytes.size(), 256));
    }
    if (out.bytes.contains('\0')) {
        error_ = kBinary;
        return false;
    }
    while (out.bytes.endsWith('\n') || out.bytes.endsWith('\r'))
        out.bytes.chop(1);
    return true;
}

bool VCardParser::peek(Physical*& out) {
    if (!havePeek_) {
        if (!readPhysical(peeked_))
            return false;
        havePeek_ = true;
    }
    out = &peeked_;
    return true;
}

void VCardParser::consumePeeked() {
    havePeek_ = false;
}

bool VCardParser::readLogical(Physical& logical, bool* skipped) {
    Physical* first = nullptr;
    if (!peek(first))
        return false;
    logical = *first;
    consumePeeked();
    const LineKind kind = kindOf(logical.bytes);
    *skipped = kind.skipped;
    const bool qp = kind.quotedPrintable;
    if (*skipped)
        logical.bytes.truncate(qMin<qsizetype>(logical.bytes.size(), 256));
    Physical* next = nullptr;
    while (peek(next)) {
        const bool softBreak = qp && logical.bytes.endsWith('=');
        const bool folded = next->bytes.startsWith(' ') || next->bytes.startsWith('\t');
        if (!softBreak && !folded)
            break;
        if (!*skipped) {
            if (softBreak) {
                logical.bytes.chop(1);
                logical.bytes += next->bytes;
            } else {
                logical.bytes += next->bytes.mid(1);
            }
            logical.tooLong = logical.tooLong || next->tooLong || logical.bytes.size() > kMaxLine;
            if (logical.tooLong)
                logical.bytes.truncate(qMin<qsizetype>(logical.bytes.size(), 256));
        }
        consumePeeked();
    }
    return error_.isEmpty();
}

bool VCardParser::parseProperty(const Physical& logical, VCardProperty& property) const {
    const qsizetype end = headerEnd(logical.bytes);
    if (end <= 0)
        return false;
    const QList<QByteArray> header = splitHeader(logical.bytes.left(end));
    QString name = QString::fromLatin1(header.first().trimmed());
    const qsizetype dot = name.lastIndexOf(u'.');
    property = VCardProperty();
    property.line = logical.line;
    if (dot >= 0) {
        property.group = name.left(dot);
        name = name.mid(dot + 1);
    }
    property.name = name.toUpper();
    bool qp = false;
    for (qsizetype i = 1; i < header.size(); ++i) {
        const QByteArray& raw = header.at(i);
        const qsizetype eq = raw.indexOf('=');
        QString key, value;
        if (eq < 0) {
            value = QString::fromUtf8(raw.trimmed());
            const QString upper = value.toUpper();
            key = upper == u"QUOTED-PRINTABLE" || upper == u"BASE64" || upper == u"8BIT" ||
                          upper == u"7BIT"
                      ? QStringLiteral("ENCODING")
                      : QStringLiteral("TYPE");
        } else {
            key = QString::fromUtf8(raw.left(eq).trimmed()).toUpper();
            value = QString::fromUtf8(raw.mid(eq + 1).trimmed());
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
        }
        if (key == u"ENCODING" && value.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0)
            qp = true;
        property.params.append({key, value});
    }
    QByteArray bytes = logical.bytes.mid(end + 1);
    if (qp)
        bytes = vcardtext::decodeQuotedPrintable(bytes);
    property.value = decodeText(bytes, property.param(QStringLiteral("CHARSET")));
    return true;
}

bool VCardParser::next(VCardCard& card) {
    card = VCardCard();
    if (!error_.isEmpty())
        return false;
    Physical logical;
    bool skipped = false;
    // Find the card's start.
    if (pendingBegin_) {
        pendingBegin_ = false;
        card.line = pendingLine_;
    } else {
        for (;;) {
            if (!readLogical(logical, &skipped))
                return false;
            if (isCardLine(logical.bytes, "BEGIN:VCARD")) {
                card.line = logical.line;
                break;
            }
            // Text outside a card is not ours to read.
        }
    }
    sawCard_ = true;
    int count = 0;
    qsizetype bytes = 0;
    bool tooBig = false; // past a cap: the rest is read, not kept
    for (;;) {
        if (!readLogical(logical, &skipped)) {
            if (!error_.isEmpty())
                return false;
            card.problem = kNoEnd;
            return true;
        }
        if (isCardLine(logical.bytes, "END:VCARD"))
            return true;
        if (isCardLine(logical.bytes, "BEGIN:VCARD")) {
            // The card before never ended: it is refused, this one starts.
            pendingBegin_ = true;
            pendingLine_ = logical.line;
            card.problem = kNoEnd;
            return true;
        }
        if (skipped || tooBig || logical.bytes.isEmpty())
            continue;
        ++count;
        bytes += logical.bytes.size();
        if (count > kMaxProperties || bytes > kMaxCardBytes) {
            tooBig = true;
            if (card.problem.isEmpty())
                card.problem = count > kMaxProperties ? kTooManyProperties : kTooBig;
            card.dropProperties();
            continue;
        }
        if (logical.tooLong) {
            if (card.problem.isEmpty())
                card.problem = QStringLiteral("第 %1 行").arg(logical.line) + kTooLong;
            continue;
        }
        VCardProperty property;
        if (!parseProperty(logical, property))
            continue;
        if (property.name == u"VERSION")
            card.version = property.value.trimmed();
        card.add(std::move(property));
    }
}

} // namespace exchange
