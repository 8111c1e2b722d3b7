// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartUp.h"

#include "backup/DataFileCheck.h"
#include "backup/DatabaseGate.h"
#include "base/AppInfo.h"
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/ProgramLayout.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "featureapi/AppContext.h"
#include "login/CLoginDlg.h"
#include "login/LoginCheck.h"
#include "net/SystemProcessLauncher.h"
#include "net/UpdateCheck.h"
#include "server/DataSource.h"
#include "server/ServerSettings.h"
#include "shell/CMainFrame.h"
#include "startup/QtTextsZh.h"
#include "startup/SingleInstanceGuard.h"
#include "ui/MessagePrompter.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void installTranslations(QApplication& app) {
    // Standard buttons and file dialogs read 是/否/确定/取消.
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtbase);
    // The file dialog's texts the catalogue has no Chinese for.
    app.installTranslator(new QtTextsZh(&app));
}

} // namespace

int StartUp::run() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    app->setApplicationName(QStringLiteral("mavor"));
    app->setWindowIcon(QIcon(QStringLiteral(":/app/mavor.png")));
    app->setDesktopFileName(QStringLiteral(MAVOR_APP_ID));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    installTranslations(*app);

    // An installed program makes the user's data directory ready on its first
    // start; a failure shows up below as a database that cannot be opened.
    const ProgramLayout layout = ProgramLayout::current();
    QString prepareError;
    if (!layout.prepareDataDir(&prepareError))
        qWarning("%s", qPrintable(prepareError));

    // One copy per data directory, its lock file inside it.
    const QString dir = layout.dataDir();
    MessagePrompter prompter;
    SingleInstanceGuard guard(dir);
    if (const auto lock = guard.acquire(); lock != SingleInstanceGuard::Result::Acquired) {
        if (lock == SingleInstanceGuard::Result::Refused)
            prompter.fail(guard.problem());
        return lock == SingleInstanceGuard::Result::Running ? -1 : 1;
    }

    Database db(&prompter);
    // A shared server (never the local file instead): each person signs in to
    // it as themselves at the login, which opens the connection.
    const datasource::Choice source = datasource::choose(layout.settingsPath());
    std::optional<ServerAddress> team;
    if (source.outcome == datasource::Outcome::ServerFailed) {
        prompter.fail(source.message);
        return 1;
    }
    if (source.outcome == datasource::Outcome::Server) {
        // A shared password an earlier version kept here is no longer used.
        ServerSettings::forgetPassword(layout.settingsPath());
        team = source.server;
    } else if (!DatabaseGate(db, prompter).open(layout.databasePath())) {
        return 1;
    }

    // A settings file that cannot be one is reported and left alone: the run
    // goes on with the defaults and writes nothing into it.
    const QString settingsProblem = datafile::settingsProblemOf(layout.settingsPath());
    if (!settingsProblem.isEmpty())
        prompter.notice(app::kTitle, settingsProblem, PromptIcon::Warning);
    Settings settings(settingsProblem.isEmpty() ? layout.settingsPath() : QString());
    settings.ensureExists();

    AutoResetEvent stopEvent;
    AutoResetEvent doneEvent;
    SystemClock clock;
    AppContext context{db, settings, prompter, clock, stopEvent, doneEvent, dir};

    // Every run belongs to a logged-in user; a cancelled login ends the program
    // before any window is shown.
    LoginCheck check =
        team ? LoginCheck(db, settings, prompter, *team) : LoginCheck(db, settings, prompter);
    Session session;
    {
        CLoginDlg login(check);
        if (team)
            login.showServer(*team);
        if (login.exec() != QDialog::Accepted)
            return -1;
        session = check.sessionFor(login.userName());
    }

    // A newer version may replace this one before any window opens.
    {
        SystemProcessLauncher launcher;
        // The updater is a program of the installation, beside this one.
        UpdateCheck update(prompter, QCoreApplication::applicationDirPath(), configuredUpdateUrl(),
                           launcher);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const UpdateOutcome outcome = update.run();
        QApplication::restoreOverrideCursor();
        if (outcome == UpdateOutcome::ExitForUpdate)
            return 0;
    }

    CMainFrame frame(context, session);
    prompter.setParent(&frame);
    frame.showMaximized();
    frame.startSession();
    return app->exec();
}
