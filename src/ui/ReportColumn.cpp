// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReportColumn.h"

QList<ReportColumn> ReportColumn::parse(const QString& columnText) {
    QList<ReportColumn> columns;
    qsizetype pos = 0;
    while (true) {
        const qsizetype comma = columnText.indexOf(u',', pos);
        if (comma < 0)
            break;
        const qsizetype semicolon = columnText.indexOf(u';', comma + 1);
        const qsizetype end = semicolon < 0 ? columnText.size() : semicolon;
        ReportColumn column;
        column.caption = columnText.mid(pos, comma - pos);
        column.width = columnText.mid(comma + 1, end - comma - 1).trimmed().toInt();
        columns.append(column);
        if (semicolon < 0)
            break;
        pos = semicolon + 1;
    }
    return columns;
}
