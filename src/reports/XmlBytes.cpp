// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/XmlBytes.h"

#include <algorithm>
#include <cstring>
#include <utility>

XmlBytes::XmlBytes(qsizetype reserve) {
    if (reserve > 0)
        bytes_.resize(reserve);
}

void XmlBytes::grow(qsizetype n) {
    bytes_.resize(std::max({used_ + n, bytes_.size() * 2, qsizetype(4096)}));
}

void XmlBytes::append(const char* bytes, qsizetype size) {
    if (size <= 0)
        return;
    std::memcpy(room(size), bytes, size_t(size));
    used_ += size;
}

void XmlBytes::appendNumber(qint64 n) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    const bool negative = n < 0;
    quint64 u = negative ? 0 - quint64(n) : quint64(n);
    do {
        *--p = char('0' + u % 10);
        u /= 10;
    } while (u > 0);
    if (negative)
        *--p = '-';
    append(p, end - p);
}

void XmlBytes::appendEscaped(QStringView text) {
    // At most six bytes for one UTF-16 unit ("&quot;"); four for a pair.
    char* const start = room(text.size() * 6);
    char* p = start;
    const char16_t* s = text.utf16();
    const char16_t* const end = s + text.size();
    auto put = [&p](const char* entity, int size) {
        std::memcpy(p, entity, size_t(size));
        p += size;
    };
    while (s < end) {
        const char16_t u = *s++;
        if (u < 0x80) {
            switch (u) {
            case u'&':
                put("&amp;", 5);
                break;
            case u'<':
                put("&lt;", 4);
                break;
            case u'>':
                put("&gt;", 4);
                break;
            case u'"':
                put("&quot;", 6);
                break;
            case u'\r':
                put("&#13;", 5);
                break;
            default:
                if (u >= 0x20 || u == u'\t' || u == u'\n')
                    *p++ = char(u);
                break;
            }
        } else if (u < 0x800) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            // Only a high half followed by a low half is a character.
            if (u <= 0xDBFF && s < end && *s >= 0xDC00 && *s <= 0xDFFF) {
                const char32_t c = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (*s++ - 0xDC00);
                *p++ = char(0xF0 | (c >> 18));
                *p++ = char(0x80 | ((c >> 12) & 0x3F));
                *p++ = char(0x80 | ((c >> 6) & 0x3F));
                *p++ = char(0x80 | (c & 0x3F));
            }
        } else if (u != 0xFFFE && u != 0xFFFF) {
            *p++ = char(0xE0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        }
    }
    used_ += p - start;
}

QByteArray XmlBytes::take() {
    bytes_.truncate(used_);
    used_ = 0;
    return std::exchange(bytes_, QByteArray());
}
