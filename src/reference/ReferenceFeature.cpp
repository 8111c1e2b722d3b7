// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/ReferenceFeature.h"

#include "featureapi/CommandTable.h"
#include "reference/CPostalLookupDlg.h"
#include "reference/CRefListDlg.h"
#include "reference/RefTableDefinitions.h"

#include <QPair>

void ReferenceFeature::install(FrameServices& frame) {
    static const QList<QPair<int, const char*>> editors{
        {commands::RelationEditor, "relationsort"},
        {commands::RegionEditor, "region"},
        {commands::ProvinceEditor, "province"},
        {commands::IndustryEditor, "industry"},
        {commands::DutyEditor, "duty"},
        {commands::DatumSortEditor, "datumsort"},
        {commands::DegreeEditor, "degree"},
        {commands::DocSortEditor, "docsort"},
        {commands::LevelEditor, "sort"},
        {commands::FeastEditor, "feast"},
        {commands::PhoneSortEditor, "societysitesort"},
        {commands::BusinessEditor, "business"},
        {commands::AssoSortEditor, "assosort"},
    };
    for (const auto& [id, table] : editors) {
        const QString name = QString::fromLatin1(table);
        frame.addCommand(id, [&frame, name] { openEditor(frame, name); });
    }
    frame.addCommand(commands::PostalLookup, [&frame] {
        CPostalLookupDlg dialog(frame.context().db, frame.window());
        dialog.exec();
    });
}

void ReferenceFeature::openEditor(FrameServices& frame, const QString& table) {
    const RefTableDefinition* definition = reftables::find(table);
    if (!definition)
        return;
    AppContext& app = frame.context();
    CRefListDlg dialog(app.db, app.prompter, *definition, frame.window());
    dialog.exec();
    if (!dialog.changed())
        return;
    frame.referenceTableChanged(table);
    // A level's value is part of every score.
    if (table == QLatin1String("sort"))
        frame.showScore();
}
