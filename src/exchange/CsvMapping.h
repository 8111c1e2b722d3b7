// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class Settings;

namespace exchange {

// Which target (ImportTargets) each column of a spreadsheet goes to; an empty
// target leaves the column out.
struct CsvMapping {
    bool headerRow = true;
    QStringList targets; // one per column

    // The first guess: what the person chose last time for the same heading,
    // else what the heading is recognised as. A first row with no recognised
    // heading is taken for data.
    static CsvMapping guess(const QStringList& firstRow, const QHash<QString, QString>& remembered);

    // What was chosen for each heading, kept in mavor.ini between imports.
    static QHash<QString, QString> remembered(const Settings& settings);
    // Adds the choices for these headings to what is kept (the others stay).
    static bool remember(Settings& settings, const QStringList& headings,
                         const CsvMapping& mapping);

    static inline const QString kSettingsKey = QStringLiteral("CsvImportMapping");
};

} // namespace exchange
