// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ReportsFeature.h"

#include "base/ProgramDirectory.h"
#include "base/Prompter.h"
#include "contacts/CClientView2.h"
#include "featureapi/CommandTable.h"
#include "featureapi/DesktopTools.h"
#include "reports/CCommQueryDlg.h"
#include "reports/CCommResultDlg.h"
#include "reports/CDocQueryDlg.h"
#include "reports/CQueryAllDlg.h"
#include "reports/ContactListSheet.h"
#include "reports/ContactQuery.h"
#include "reports/DocumentQuery.h"
#include "reports/ExportProgress.h"
#include "reports/LabelSheet.h"
#include "reports/SheetExport.h"
#include "reports/StatisticsSheet.h"
#include "ui/ReportModel.h"

#include <QFileDialog>

ReportsFeature::ReportsFeature(PathChooser chooser, Opener opener)
    : chooser_(chooser ? std::move(chooser) : PathChooser(&ReportsFeature::askExportPath)),
      opener_(std::move(opener)) {}

void ReportsFeature::install(FrameServices& frame) {
    frame.addCommand(commands::ContactQuery, [this, &frame] { contactQuery(frame); });
    frame.addCommand(commands::DocumentQuery, [this, &frame] { documentQuery(frame); });
    frame.addCommand(commands::InteractionQuery, [this, &frame] { interactionQuery(frame); });
    frame.addCommand(commands::TodayInteractions, [this, &frame] { todayInteractions(frame); });
    frame.addCommand(commands::EnvelopeLabels, [this, &frame] { labels(frame); });
    frame.addCommand(commands::ListExport, [this, &frame] { contactList(frame); });
}

void ReportsFeature::contactQuery(FrameServices& frame) {
    AppContext& app = frame.context();
    ContactQuery query(app.db, app.prompter, app.clock);
    CQueryAllDlg dialog(query, app.clock, frame.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const sql::Statement condition = dialog.condition();
    if (!query.hasMatches(condition))
        return;
    frame.showContacts(condition, 0, 1);
}

void ReportsFeature::interactionQuery(FrameServices& frame) {
    AppContext& app = frame.context();
    InteractionQuery query(app.db, app.prompter, app.clock, frame.session().userCode);
    ContactQuery lists(app.db, app.prompter, app.clock);
    CCommQueryDlg dialog(query, lists.names(ContactQuery::kProvinces),
                         lists.names(ContactQuery::kLevels), app.clock, frame.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The contacts the query covers fill the main list (as the contact query
    // does) and stay its filter, so a refresh shows them again.
    const InteractionConditions conditions = dialog.conditions();
    frame.showContacts(conditions.base, 0, 1);
    showResults(frame, conditions);
}

void ReportsFeature::todayInteractions(FrameServices& frame) {
    AppContext& app = frame.context();
    InteractionQuery query(app.db, app.prompter, app.clock, frame.session().userCode);
    showResults(frame, query.today());
}

void ReportsFeature::showResults(FrameServices& frame, const InteractionConditions& conditions) {
    AppContext& app = frame.context();
    CCommResultDlg results(
        app.db, conditions,
        [this, &frame, &app](const ReportModel& rows, const InteractionTotals& totals) {
            StatisticsSheet sheet(app.clock, rows, totals);
            exportSheet(frame, sheet, kStatisticsName);
        },
        frame.window());
    results.exec();
}

void ReportsFeature::documentQuery(FrameServices& frame) {
    AppContext& app = frame.context();
    DocumentQuery query(app.db, app.prompter);
    const Opener open =
        opener_ ? opener_
                : Opener([&app](const QString& path) { desktop::openFile(path, app.prompter); });
    CDocQueryDlg dialog(query, open, frame.window());
    dialog.exec();
}

void ReportsFeature::labels(FrameServices& frame) {
    const ReportModel& list = frame.contactList().rows();
    if (list.checkedRows().isEmpty()) {
        frame.context().prompter.inform(kNoLabels);
        return;
    }
    LabelSheet sheet(frame.context().db, list);
    exportSheet(frame, sheet, kLabelsName);
}

void ReportsFeature::contactList(FrameServices& frame) {
    const ReportModel& list = frame.contactList().rows();
    if (list.checkedRows().isEmpty()) {
        frame.context().prompter.inform(kNoListRows);
        return;
    }
    ContactListSheet sheet(frame.context().db, frame.context().clock, list);
    exportSheet(frame, sheet, kListName);
}

bool ReportsFeature::exportSheet(FrameServices& frame, SheetWriter& writer,
                                 const QString& defaultName) {
    const QString path = chooser_(frame.window(), defaultName);
    if (path.isEmpty())
        return false;
    const QString templatePath =
        templatePath_.isEmpty() ? installedFile(SheetExport::kTemplateName) : templatePath_;
    QWidget* parent = frame.window();
    SheetExport exporter(frame.context().prompter, templatePath,
                         [parent] { return std::make_unique<ExportProgress>(parent); });
    return exporter.run(writer, path);
}

QString ReportsFeature::askExportPath(QWidget* parent, const QString& defaultName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Worksheet Files (*.xlsx)")});
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}
