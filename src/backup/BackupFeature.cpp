// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/BackupFeature.h"

#include "backup/BackupCommands.h"
#include "base/AutoResetEvent.h"
#include "featureapi/CommandTable.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace {

const QStringList kFilters = {QStringLiteral("Access Files (*.mdb)"),
                              QStringLiteral("All Files (*)")};
const QString kExtension = QStringLiteral("mdb");

} // namespace

void BackupFeature::install(FrameServices& frame) {
    frame.addCommand(commands::Backup, [&frame] { backup(frame); });
    frame.addCommand(commands::RestoreBackup, [&frame] {
        // No file to choose for a server: the notice says who restores it.
        if (BackupCommands(frame.context().db, frame.context().prompter).restoresOnServerOnly())
            return;
        const QString chosen = chooseRestoreFile(frame.window());
        if (!chosen.isEmpty())
            restore(frame, chosen);
    });
}

void BackupFeature::backup(FrameServices& frame) {
    AppContext& app = frame.context();
    QFileDialog dialog(frame.window(), QStringLiteral("数据备份"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kFilters);
    dialog.setDefaultSuffix(kExtension);
    dialog.setDirectory(QDir::homePath());
    dialog.selectFile(BackupCommands::defaultBackupName(app.clock) + u'.' + kExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    BackupCommands commands(app.db, app.prompter);
    commands.backup(dialog.selectedFiles().first());
}

QString BackupFeature::chooseRestoreFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("数据恢复"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kFilters);
    dialog.setDefaultSuffix(kExtension);
    dialog.setDirectory(QDir::homePath());
    dialog.selectFile(QStringLiteral("mavor.") + kExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void BackupFeature::restore(FrameServices& frame, const QString& chosen,
                            const std::function<void()>& quit) {
    AppContext& app = frame.context();
    bool stopped = false;
    BackupCommands commands(app.db, app.prompter);
    // The tree builder reads the file on a connection of its own while it runs.
    const auto result = commands.restore(chosen, [&] {
        stopped = frame.stopTreeBuild() || stopped;
        // A stop that came as the build ended must not end the next one at once.
        app.stopEvent.reset();
    });
    if (result == BackupCommands::RestoreResult::Restored) {
        // The program ends; the next start opens the restored data.
        if (quit)
            quit();
        else
            QApplication::exit(0);
        return;
    }
    if (stopped)
        frame.countsChanged();
}
