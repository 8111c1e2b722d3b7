// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ContactSource.h"
#include "exchange/VCardCard.h"

#include <functional>

namespace exchange {

// Turns a card into a contact's values. Standard properties go to the fields
// people expect (TEL;TYPE=CELL to the mobile number, ORG to the unit and its
// department, ADR;TYPE=WORK to the unit's address, ...); X-MAVOR-<COLUMN>
// properties, which this program writes for fields vCard has no property for,
// go back to their column. Limits and lists are the importer's business.
class VCardMapper {
  public:
    // Says whether a category is one of the program's relation categories.
    using Known = std::function<bool(const QString&)>;

    explicit VCardMapper(Known isRelation = {}) : isRelation_(std::move(isRelation)) {}

    IncomingContact map(const VCardCard& card) const;

    // The property name that carries a column without a vCard property of its own.
    static QString extensionName(const QString& column);
    // The column an X-MAVOR- property carries; empty when it names none.
    static QString extensionColumn(const QString& propertyName);

  private:
    Known isRelation_;
};

} // namespace exchange
