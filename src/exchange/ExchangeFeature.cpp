// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ExchangeFeature.h"

#include "base/Prompter.h"
#include "contacts/ContactList.h"
#include "exchange/CDuplicatesDlg.h"
#include "exchange/CExportDlg.h"
#include "exchange/CImportProgressDlg.h"
#include "exchange/CImportSummaryDlg.h"
#include "exchange/CImportWizard.h"
#include "exchange/ContactImporter.h"
#include "exchange/ImportCleaner.h"
#include "featureapi/CommandTable.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace exchange;

void ExchangeFeature::install(FrameServices& frame) {
    frame.addCommand(commands::ImportContacts, [&frame] { importContacts(frame); });
    frame.addCommand(commands::ExportContacts, [&frame] { exportContacts(frame); });
    frame.addCommand(commands::FindDuplicates, [&frame] { findDuplicates(frame); });
}

bool ExchangeFeature::importContacts(FrameServices& frame) {
    // The list is reloaded afterwards: the pane's edits are settled first.
    if (!frame.contactList().settleEdits())
        return false;
    AppContext& app = frame.context();
    CImportWizard wizard(app.prompter, app.settings, frame.window());
    if (wizard.exec() != QDialog::Accepted)
        return false;
    const int stored = runImport(frame, wizard);
    if (stored > 0) {
        frame.contactsChanged();
        frame.showScore();
    }
    return stored > 0;
}

int ExchangeFeature::runImport(FrameServices& frame, const CImportWizard& wizard) {
    AppContext& app = frame.context();
    ImportCleaner cleaner(app.db);
    std::unique_ptr<ContactSource> source;
    if (wizard.file().format() == FileFormat::VCard)
        source = wizard.file().vcardSource(
            [&cleaner](const QString& name) { return cleaner.isRelation(name); });
    else
        source = wizard.file().csvSource(wizard.encoding(), wizard.mapping());
    CImportProgressDlg progress(frame.window());
    ContactImporter importer(app.db, app.prompter, frame.session(), app.clock);
    const ImportSummary summary =
        importer.run(*source, cleaner, wizard.policy(),
                     [&progress](qint64 done, qint64 total) { return progress.step(done, total); });
    progress.close();
    QApplication::processEvents(); // the window is gone before the next one opens
    if (summary.cancelled) {
        app.prompter.inform(QStringLiteral("导入已取消, 没有导入任何人脉。"));
        return 0;
    }
    if (!summary.error.isEmpty()) {
        app.prompter.inform(QStringLiteral("%1\r\n\r\n没有导入任何人脉。").arg(summary.error));
        return 0;
    }
    CImportSummaryDlg dialog(summary, QFileInfo(wizard.file().path()).fileName(), frame.window());
    dialog.exec();
    return summary.imported + summary.merged;
}

bool ExchangeFeature::exportContacts(FrameServices& frame) {
    AppContext& app = frame.context();
    ContactListView& view = frame.contactList();
    const ReportModel* model = &view.rows();
    if (model->rowCount() == 0) {
        app.prompter.inform(QStringLiteral("列表中没有人脉可导出!"));
        return false;
    }
    const QList<int> ticked = model->checkedRows();
    CExportDlg dialog(int(ticked.size()), model->rowCount(), frame.window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QList<qint64> codes;
    if (dialog.tickedOnly()) {
        for (int row : ticked)
            codes << model->key(row).toLongLong();
    } else {
        for (int row = 0; row < model->rowCount(); ++row)
            codes << model->key(row).toLongLong();
    }
    const bool csv = dialog.format() == ExportFormat::Csv;
    const QString suggested =
        QDir::home().filePath(csv ? QStringLiteral("人脉.csv") : QStringLiteral("人脉.vcf"));
    const QString path = QFileDialog::getSaveFileName(
        frame.window(), QStringLiteral("导出人脉"), suggested,
        csv ? QStringLiteral("CSV 表格 (*.csv)") : QStringLiteral("vCard 名片 (*.vcf)"));
    if (path.isEmpty())
        return false;
    CImportProgressDlg progress(frame.window());
    ContactExporter exporter(app.db, app.prompter);
    const bool ok =
        exporter.write(codes, view.liveFlag(), dialog.format(), dialog.encoding(), path,
                       [&progress](int done, int total) { return progress.step(done, total); });
    progress.close();
    QApplication::processEvents();
    if (!ok) {
        app.prompter.inform(QStringLiteral("导出失败: %1").arg(exporter.error()));
        return false;
    }
    app.prompter.inform(QStringLiteral("已导出 %1 个人脉到\r\n%2").arg(codes.size()).arg(path));
    return false;
}

bool ExchangeFeature::findDuplicates(FrameServices& frame) {
    if (!frame.contactList().settleEdits())
        return false;
    AppContext& app = frame.context();
    CDuplicatesDlg dialog(app.db, app.prompter, frame.window());
    if (!dialog.load())
        return false;
    if (dialog.groupCount() == 0) {
        app.prompter.inform(QStringLiteral("没有找到重复的人脉。"));
        return false;
    }
    dialog.exec();
    if (dialog.mergedAway() == 0)
        return false;
    frame.contactsChanged();
    frame.remindersChanged();
    frame.showScore();
    return true;
}
