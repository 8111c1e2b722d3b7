// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/SyncFeature.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "carddav/CSyncAccountDlg.h"
#include "carddav/CSyncConflictDlg.h"
#include "carddav/CSyncMatchesDlg.h"
#include "carddav/CardDavClient.h"
#include "db/Database.h"
#include "featureapi/AppContext.h"
#include "featureapi/CommandTable.h"
#include "server/SecretBox.h"

#include <QApplication>
#include <QProgressDialog>

using namespace carddav;

void SyncFeature::install(FrameServices& frame) {
    frame_ = &frame;
    frame.addCommand(commands::SyncContacts, [this] { openAccount(); });
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // Not while a window of the person's own is open over the main one.
        if (running_ || QApplication::activeModalWidget())
            return;
        SyncAccount account;
        QString error;
        if (SyncAccount::read(iniPath(), SecretBox::defaultKeyPath(), &account, &error) &&
            account.isSet())
            syncNow(account, true);
    });
    SyncAccount account;
    QString error;
    if (SyncAccount::read(iniPath(), SecretBox::defaultKeyPath(), &account, &error))
        schedule(account);
}

QString SyncFeature::iniPath() const {
    return frame_->context().settings.path();
}

void SyncFeature::schedule(const SyncAccount& account) {
    timer_.stop();
    if (account.isSet() && account.everyMinutes > 0)
        timer_.start(account.everyMinutes * 60 * 1000);
}

bool SyncFeature::openAccount() {
    AppContext& app = frame_->context();
    SyncAccount account;
    QString error;
    if (!SyncAccount::read(iniPath(), SecretBox::defaultKeyPath(), &account, &error))
        app.prompter.inform(error);
    CSyncAccountDlg dialog(account, frame_->window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    account = dialog.account();
    if (!SyncAccount::write(iniPath(), SecretBox::defaultKeyPath(), account, &error)) {
        app.prompter.inform(error);
        return false;
    }
    schedule(account);
    return syncNow(account, false).ok();
}

SyncReport SyncFeature::syncNow(const SyncAccount& account, bool quiet) {
    AppContext& app = frame_->context();
    SyncReport report;
    // The list is reloaded afterwards: the pane's edits are settled first.
    if (!frame_->contactList().settleEdits()) {
        report.cancelled = true;
        return report;
    }
    running_ = true;
    QProgressDialog progress(QStringLiteral("正在同步通讯录..."), QStringLiteral("取消"), 0, 0,
                             frame_->window());
    progress.setWindowTitle(QStringLiteral("通讯录同步"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(quiet ? 2000 : 0);
    CardDavClient client(account.connection());
    SyncEngine engine(app.db, app.prompter, frame_->session(), app.clock, client, account.book,
                      account.user);
    report = engine.run(
        [this](const QList<ProposedMatch>& matches) {
            CSyncMatchesDlg dialog(matches, frame_->window());
            return dialog.exec() == QDialog::Accepted ? dialog.joined() : QList<bool>();
        },
        [&progress](const QString& step, int done, int total) {
            progress.setLabelText(step);
            progress.setMaximum(total);
            progress.setValue(std::min(done, total));
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.close();
    running_ = false;
    QApplication::processEvents(); // the window is gone before the next one opens
    if (!report.error.isEmpty())
        app.prompter.inform(QStringLiteral("通讯录同步没有完成: %1\r\n\r\n已完成的部分已保存, "
                                           "下次同步会接着做。")
                                .arg(report.error));
    else if (report.cancelled && !quiet)
        app.prompter.inform(
            QStringLiteral("通讯录同步已取消。已完成的部分已保存, 下次同步会接着做。"));
    else if (!quiet)
        app.prompter.inform(QStringLiteral("通讯录同步完成: %1。").arg(report.summary()));
    if (report.conflicts > 0 && !quiet)
        mergeConflicts(engine);
    if (report.downloaded + report.updatedLocal + report.trashedLocal + report.matched > 0) {
        frame_->contactsChanged();
        frame_->showScore();
    }
    return report;
}

void SyncFeature::mergeConflicts(SyncEngine& engine) {
    for (const SyncConflict& conflict : engine.conflicts()) {
        CSyncConflictDlg dialog(conflict, frame_->window());
        if (dialog.exec() != QDialog::Accepted)
            continue;
        if (!engine.resolve(conflict.code, dialog.merged()))
            frame_->context().prompter.inform(
                QStringLiteral("合并没有保存: %1").arg(frame_->context().db.lastError()));
    }
    frame_->contactsChanged();
}
