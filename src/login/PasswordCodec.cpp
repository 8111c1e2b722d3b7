// SPDX-License-Identifier: GPL-3.0-or-later
#include "login/PasswordCodec.h"

#include <errno.h>
#include <iconv.h>
#include <openssl/evp.h>

namespace password {

namespace {

// The fixed key of every installation (24 bytes for AES-192).
constexpr unsigned char kKey[24] = {'M', 'a', 'v', 'o', 'r', '-', 'n', 'e', 't', 'w', 'o', 'r',
                                    'k', '-', 'k', 'e', 'y', '-', '2', '0', '2', '6', '!', '!'};

std::optional<QByteArray> convert(const QByteArray& input, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    QByteArray output(input.size() * 4 + 8, '\0');
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        return std::nullopt;
    output.truncate(output.size() - qsizetype(outLeft));
    return output;
}

std::optional<QByteArray> cipher(const QByteArray& block, bool encrypt) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    if (!ctx)
        return std::nullopt;
    QByteArray out(32, '\0');
    int n1 = 0;
    int n2 = 0;
    const auto* in = reinterpret_cast<const unsigned char*>(block.constData());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    bool ok =
        EVP_CipherInit_ex(ctx, EVP_aes_192_ecb(), nullptr, kKey, nullptr, encrypt ? 1 : 0) == 1 &&
        EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 &&
        EVP_CipherUpdate(ctx, o, &n1, in, int(block.size())) == 1 &&
        EVP_CipherFinal_ex(ctx, o + n1, &n2) == 1;
    EVP_CIPHER_CTX_free(ctx);
    if (!ok || n1 + n2 != kMaxBytes)
        return std::nullopt;
    out.truncate(kMaxBytes);
    return out;
}

} // namespace

std::optional<QByteArray> gbkBytes(const QString& text) {
    if (text.isEmpty())
        return QByteArray();
    return convert(text.toUtf8(), "GBK", "UTF-8");
}

QString fromGbk(const QByteArray& bytes) {
    const auto utf8 = convert(bytes, "UTF-8", "GBK");
    return utf8 ? QString::fromUtf8(*utf8) : QString::fromLatin1(bytes);
}

bool fits(const QString& text) {
    const auto bytes = gbkBytes(text);
    return bytes && bytes->size() <= kMaxBytes;
}

std::optional<QString> encode(const QString& text) {
    const auto bytes = gbkBytes(text);
    if (!bytes || bytes->size() > kMaxBytes)
        return std::nullopt;
    QByteArray block(kMaxBytes, '\0');
    std::copy(bytes->cbegin(), bytes->cend(), block.begin());
    const auto enciphered = cipher(block, true);
    if (!enciphered)
        return std::nullopt;
    return QString::fromLatin1(enciphered->toHex());
}

std::optional<QString> decode(const QString& hex) {
    if (hex.size() != 2 * kMaxBytes)
        return std::nullopt;
    // The text may come from a hand-edited settings file: any character can
    // stand here, so test the range itself rather than hand it to the C library.
    const auto isHexDigit = [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    for (const QChar c : hex) {
        if (!isHexDigit(c.unicode()))
            return std::nullopt;
    }
    const auto plain = cipher(QByteArray::fromHex(hex.toLatin1()), false);
    if (!plain)
        return std::nullopt;
    const qsizetype zero = plain->indexOf('\0');
    return fromGbk(zero < 0 ? *plain : plain->left(zero));
}

QString tooLongMessage() {
    return QStringLiteral(
        "密码太长或含有无法使用的字符!\r\n密码最多16个字节(8个汉字或16个字母、数字)。");
}

} // namespace password
