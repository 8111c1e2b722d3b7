// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"

#include <QString>
#include <QStringList>

namespace exchange {

// One contact read from a file, before it is stored.
struct IncomingContact {
    int line = 0; // where it starts in the file (1-based)
    // The values by column, names for the code columns (as ContactRecord says).
    ContactRecord record;
    // What was changed or left out on the way in, one text each, to be reported.
    QStringList notes;
    // Why it cannot be imported; empty when it can.
    QString refusal;
};

// Contacts read one by one from an import file.
class ContactSource {
  public:
    virtual ~ContactSource() = default;
    // The next contact; false at the end, or when the file turned out unreadable
    // (error() then says why, and nothing of it may be kept).
    virtual bool next(IncomingContact& contact) = 0;
    virtual QString error() const = 0;
    // Bytes read so far and in all, for progress.
    virtual qint64 position() const = 0;
    virtual qint64 size() const = 0;
};

} // namespace exchange
