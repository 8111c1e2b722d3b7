// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ContactSource.h"
#include "exchange/VCardMapper.h"
#include "exchange/VCardParser.h"

#include <QFile>
#include <memory>

namespace exchange {

// The contacts of a vCard file, card by card.
class VCardSource : public ContactSource {
  public:
    VCardSource(const QString& path, VCardMapper::Known isRelation);

    bool next(IncomingContact& contact) override;
    QString error() const override { return error_; }
    qint64 position() const override { return parser_ ? parser_->position() : 0; }
    qint64 size() const override { return file_.size(); }

  private:
    QFile file_;
    std::unique_ptr<VCardParser> parser_;
    VCardMapper mapper_;
    QString error_;
};

} // namespace exchange
