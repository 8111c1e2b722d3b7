// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsText.h"

#include <cerrno>
#include <iconv.h>

namespace smstext {

int characterCount(const QString& text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

int gbkByteCount(const QString& text) {
    if (text.isEmpty())
        return 0;
    // GB18030 is GBK for every character GBK has, and codes all the others.
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    if (cd == iconv_t(-1))
        return int(text.toUtf8().size());
    QByteArray input = text.toUtf8();
    char* in = input.data();
    size_t inLeft = size_t(input.size());
    int total = 0;
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        total += int(sizeof buffer - outLeft);
        if (rc == size_t(-1) && errno != E2BIG) {
            // Malformed input cannot come from a QString; count the rest as UTF-8.
            total += int(inLeft);
            break;
        }
    }
    iconv_close(cd);
    return total;
}

QString limited(const QString& text) {
    if (characterCount(text) <= kMaxCharacters)
        return text;
    qsizetype end = 0;
    for (int kept = 0; kept < kMaxCharacters && end < text.size(); ++kept)
        end += (text.at(end).isHighSurrogate() && end + 1 < text.size()) ? 2 : 1;
    return text.left(end);
}

QString refusal(const QString& text) {
    if (text.isEmpty())
        return QStringLiteral("请输入短信内容!");
    if (gbkByteCount(text) > kMaxGbkBytes)
        return QStringLiteral("短信内容不能超过1024个字符!");
    return {};
}

} // namespace smstext
