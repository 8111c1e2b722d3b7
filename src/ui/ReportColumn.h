// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// A list's columns, written "caption,width;caption,width;..." with an optional
// final ";". Width 0 is a hidden column holding the row's key.
struct ReportColumn {
    QString caption;
    int width = 0;

    bool hidden() const { return width == 0; }

    static QList<ReportColumn> parse(const QString& columnText);
};
