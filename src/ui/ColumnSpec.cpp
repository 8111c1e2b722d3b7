#include "ui/ColumnSpec.h"

QList<ColumnSpec> ColumnSpec::parse(const QString& spec) {
    QList<ColumnSpec> columns;
    qsizetype pos = 0;
    while (true) {
        const qsizetype comma = spec.indexOf(u',', pos);
        if (comma < 0)
            break;
        const qsizetype semicolon = spec.indexOf(u';', comma + 1);
        const qsizetype end = semicolon < 0 ? spec.size() : semicolon;
        ColumnSpec column;
        column.caption = spec.mid(pos, comma - pos);
        column.width = spec.mid(comma + 1, end - comma - 1).trimmed().toInt();
        columns.append(column);
        if (semicolon < 0)
            break;
        pos = semicolon + 1;
    }
    return columns;
}
