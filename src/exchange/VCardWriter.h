// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"

#include <QByteArray>

namespace exchange {

// Writes contacts as vCard 4.0 (RFC 6350, UTF-8, lines folded at 75 octets).
// Fields that vCard has a property for use it, so phones and mail programs
// read them; every other field goes into an X-MAVOR-<COLUMN> property, so
// this program reads back exactly what it wrote.
class VCardWriter {
  public:
    static QByteArray card(const ContactRecord& record);
};

} // namespace exchange
