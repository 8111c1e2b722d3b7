// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardSource.h"

namespace exchange {

VCardSource::VCardSource(const QString& path, VCardMapper::Known isRelation)
    : file_(path), mapper_(std::move(isRelation)) {
    if (!file_.open(QIODevice::ReadOnly))
        error_ = QStringLiteral("无法打开文件: %1").arg(file_.errorString());
    else
        parser_ = std::make_unique<VCardParser>(file_);
}

bool VCardSource::next(IncomingContact& contact) {
    if (!parser_ || !error_.isEmpty())
        return false;
    VCardCard card;
    if (!parser_->next(card)) {
        error_ = parser_->error();
        if (error_.isEmpty() && !parser_->sawCard())
            error_ = QStringLiteral("文件中没有 vCard 名片 (BEGIN:VCARD)");
        return false;
    }
    contact = mapper_.map(card);
    return true;
}

} // namespace exchange
