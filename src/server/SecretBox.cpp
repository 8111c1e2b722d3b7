// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/SecretBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace {

constexpr int kKeyBytes = 32;
constexpr int kNonceBytes = 12;
constexpr int kTagBytes = 16;
const QByteArray kPrefix = QByteArrayLiteral("v1:");
// Binds a sealed text to what it is for.
const QByteArray kPurpose = QByteArrayLiteral("mavor server password");

void fail(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

QString SecretBox::defaultKeyPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mavor/server.key");
}

bool SecretBox::isSealed(const QString& text) {
    return text.startsWith(QString::fromLatin1(kPrefix));
}

std::optional<QByteArray> SecretBox::key(bool create, QString* error) const {
    QFile file(keyPath_);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (bytes.size() != kKeyBytes) {
            fail(error, QStringLiteral("密钥文件 %1 已损坏").arg(keyPath_));
            return std::nullopt;
        }
        return bytes;
    }
    if (!create) {
        fail(error, QStringLiteral("没有密钥文件 %1: 请用 mavor-admin server 重新输入服务器密码")
                        .arg(keyPath_));
        return std::nullopt;
    }
    QByteArray bytes(kKeyBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), kKeyBytes) != 1) {
        fail(error, QStringLiteral("无法生成密钥"));
        return std::nullopt;
    }
    const QString dir = QFileInfo(keyPath_).absolutePath();
    if (!QDir().mkpath(dir)) {
        fail(error, QStringLiteral("无法建立目录 %1").arg(dir));
        return std::nullopt;
    }
    // Made for its owner only from the first byte on; never replaces a key
    // another run wrote meanwhile (that one is read instead).
    QFile out(keyPath_);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                  QFile::ReadOwner | QFile::WriteOwner)) {
        if (QFileInfo::exists(keyPath_))
            return key(false, error);
        fail(error, QStringLiteral("无法写入密钥文件 %1").arg(keyPath_));
        return std::nullopt;
    }
    if (out.write(bytes) != kKeyBytes || !out.flush()) {
        out.remove();
        fail(error, QStringLiteral("无法写入密钥文件 %1").arg(keyPath_));
        return std::nullopt;
    }
    return bytes;
}

std::optional<QString> SecretBox::seal(const QString& secret, QString* error) const {
    const auto k = key(true, error);
    if (!k)
        return std::nullopt;
    const QByteArray plain = secret.toUtf8();
    QByteArray nonce(kNonceBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(nonce.data()), kNonceBytes) != 1) {
        fail(error, QStringLiteral("无法生成随机数"));
        return std::nullopt;
    }
    QByteArray cipher(plain.size() + kTagBytes, '\0');
    QByteArray tag(kTagBytes, '\0');
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n = 0;
    int last = 0;
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(k->constData());
    const bool ok =
        ctx && EVP_EncryptInit_ex(ctx, EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1 &&
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_IVLEN, kNonceBytes, nullptr) == 1 &&
        EVP_EncryptInit_ex(ctx, nullptr, nullptr, keyBytes,
                           reinterpret_cast<const unsigned char*>(nonce.constData())) == 1 &&
        EVP_EncryptUpdate(ctx, nullptr, &n,
                          reinterpret_cast<const unsigned char*>(kPurpose.constData()),
                          int(kPurpose.size())) == 1 &&
        EVP_EncryptUpdate(ctx, reinterpret_cast<unsigned char*>(cipher.data()), &n,
                          reinterpret_cast<const unsigned char*>(plain.constData()),
                          int(plain.size())) == 1 &&
        EVP_EncryptFinal_ex(ctx, reinterpret_cast<unsigned char*>(cipher.data()) + n, &last) == 1 &&
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG, kTagBytes, tag.data()) == 1;
    EVP_CIPHER_CTX_free(ctx);
    if (!ok) {
        fail(error, QStringLiteral("无法加密密码"));
        return std::nullopt;
    }
    cipher.truncate(n + last);
    return QString::fromLatin1(kPrefix + (nonce + cipher + tag).toBase64());
}

std::optional<QString> SecretBox::open(const QString& sealed, QString* error) const {
    if (!isSealed(sealed)) {
        fail(error, QStringLiteral("密码没有加密保存"));
        return std::nullopt;
    }
    const QByteArray raw = QByteArray::fromBase64(sealed.mid(kPrefix.size()).toLatin1(),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    if (raw.size() < kNonceBytes + kTagBytes) {
        fail(error, QStringLiteral("保存的密码已损坏"));
        return std::nullopt;
    }
    const auto k = key(false, error);
    if (!k)
        return std::nullopt;
    const QByteArray nonce = raw.left(kNonceBytes);
    const QByteArray cipher = raw.mid(kNonceBytes, raw.size() - kNonceBytes - kTagBytes);
    QByteArray tag = raw.right(kTagBytes);
    QByteArray plain(cipher.size() + kTagBytes, '\0');
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n = 0;
    int last = 0;
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(k->constData());
    const bool ok =
        ctx && EVP_DecryptInit_ex(ctx, EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1 &&
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_IVLEN, kNonceBytes, nullptr) == 1 &&
        EVP_DecryptInit_ex(ctx, nullptr, nullptr, keyBytes,
                           reinterpret_cast<const unsigned char*>(nonce.constData())) == 1 &&
        EVP_DecryptUpdate(ctx, nullptr, &n,
                          reinterpret_cast<const unsigned char*>(kPurpose.constData()),
                          int(kPurpose.size())) == 1 &&
        EVP_DecryptUpdate(ctx, reinterpret_cast<unsigned char*>(plain.data()), &n,
                          reinterpret_cast<const unsigned char*>(cipher.constData()),
                          int(cipher.size())) == 1 &&
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, kTagBytes, tag.data()) == 1 &&
        EVP_DecryptFinal_ex(ctx, reinterpret_cast<unsigned char*>(plain.data()) + n, &last) == 1;
    EVP_CIPHER_CTX_free(ctx);
    if (!ok) {
        fail(error, QStringLiteral("保存的密码无法解开 (密钥文件 %1 不是加密它的那一个): "
                                   "请用 mavor-admin server 重新输入服务器密码")
                        .arg(keyPath_));
        return std::nullopt;
    }
    plain.truncate(n + last);
    return QString::fromUtf8(plain);
}
