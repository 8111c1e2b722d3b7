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

} // namespace record
