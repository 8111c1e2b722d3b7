// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardText.h"

namespace exchange::vcardtext {

namespace {

QString normaliseBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Splits at unescaped separators, keeping the escapes for unescape().
QStringList splitRaw(const QString& value, QChar separator) {
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            current += c;
            current += value.at(++i);
        } else if (c == separator) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

} // namespace

QString unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(i + 1);
        if (next == u'n' || next == u'N') {
            out += u'\n';
            ++i;
        } else if (next == u',' || next == u';' || next == u':' || next == u'\\') {
            out += next;
            ++i;
        } else {
            out += c;
        }
    }
    return normaliseBreaks(out);
}

QStringList splitStructured(const QString& value) {
    QStringList parts = splitRaw(value, u';');
    for (QString& part : parts)
        part = unescape(part);
    return parts;
}

QStringList splitList(const QString& value) {
    QStringList parts = splitRaw(value, u',');
    for (QString& part : parts)
        part = unescape(part);
    return parts;
}

QString escape(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    const QString t = normaliseBreaks(text);
    for (const QChar c : t) {
        if (c == u'\\' || c == u',' || c == u';')
            out += u'\\';
        if (c == u'\n') {
            out += QLatin1String("\\n");
            continue;
        }
        out += c;
    }
    return out;
}

QByteArray decodeQuotedPrintable(const QByteArray& value) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c == '=' && i + 2 < value.size()) {
            const int hi = hex(value.at(i + 1));
            const int lo = hex(value.at(i + 2));
            if (hi >= 0 && lo >= 0) {
                out += char(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QByteArray fold(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 70 * 3 + 2);
    int width = 0;
    int limit = 75;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const int len = lead < 0x80    ? 1
                        : lead >= 0xF0 ? 4
                        : lead >= 0xE0 ? 3
                        : lead >= 0xC0 ? 2
                                       : 1;
        if (width + len > limit) {
            out += "\r\n ";
            width = 0;
            limit = 74; // the leading blank counts
        }
        out += bytes.mid(i, len);
        width += len;
        i += len;
    }
    out += "\r\n";
    return out;
}

} // namespace exchange::vcardtext
