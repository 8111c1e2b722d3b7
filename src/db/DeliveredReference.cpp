// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DeliveredReference.h"

#include "db/DeliveredDatabase.h"

DeliveredReference::DeliveredReference() {
    if (!dir_.isValid()) {
        error_ = dir_.errorString();
        return;
    }
    const QString path = dir_.filePath(QStringLiteral("delivered.tdb"));
    if (!delivered::create(path, &error_))
        return;
    if (!db_.open(path)) {
        error_ = db_.lastError();
        return;
    }
    valid_ = true;
}
