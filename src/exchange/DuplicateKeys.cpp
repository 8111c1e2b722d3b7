// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/DuplicateKeys.h"

namespace exchange::duplicates {

QString mobileKey(const QString& mobile) {
    QString n;
    n.reserve(mobile.size());
    for (const QChar c : mobile) {
        // U+FF0D is the full-width dash of Chinese input methods.
        if (c.isSpace() || c == u'-' || c == QChar(0xFF0D))
            continue;
        n += c;
    }
    if (n.startsWith(QLatin1String("+86")))
        n.remove(0, 3);
    else if (n.startsWith(QLatin1String("0086")))
        n.remove(0, 4);
    return n;
}

QString emailKey(const QString& email) {
    return email.trimmed().toCaseFolded();
}

QString nameUnitKey(const QString& name, const QString& unit) {
    const QString n = name.trimmed().toCaseFolded();
    const QString u = unit.trimmed().toCaseFolded();
    if (n.isEmpty() || u.isEmpty())
        return {};
    return n + QChar(0x1F) + u;
}

} // namespace exchange::duplicates
