// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/RecordText.h"

namespace record {

QString join(const QStringList& fields) {
    QString text;
    for (const QString& field : fields)
        text += field + kSeparator;
    return text;
}

QStringList pieces(const QString& text) {
    QStringList out = text.split(kSeparator);
    out.removeLast(); // after the last separator, or the whole text when there is none
    return out;
}

QStringList cut(const QStringList& fields) {
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields) {
        if (field.contains(kSeparator))
            out.append(field.split(kSeparator));
        else
            out.append(field);
    }
    return out;
}

} // namespace record
