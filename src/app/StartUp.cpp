#include "app/StartUp.h"

#include "app/AppContext.h"
#include "base/AppInfo.h"
#include "app/AutoResetEvent.h"
#include "app/CLoginDlg.h"
#include "app/CMainFrame.h"
#include "base/Clock.h"
#include "app/LoginCheck.h"
#include "app/ProgramDirectory.h"
#include "app/Settings.h"
#include "app/SingleInstanceGuard.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "net/SystemProcessLauncher.h"
#include "net/UpdateCheck.h"
#include "ui/MessagePrompter.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void installTranslations(QApplication& app) {
    // Standard buttons and file dialogs read 是/否/确定/取消.
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtbase);
}

} // namespace

int StartUp::run() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    app->setApplicationName(QStringLiteral("mavor"));
    app->setApplicationDisplayName(app::kTitle);
    app->setWindowIcon(QIcon(QStringLiteral(":/app/mavor.png")));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    installTranslations(*app);

    SingleInstanceGuard guard(app::kTitle);
    if (!guard.tryAcquire())
        return -1;

    MessagePrompter prompter;
    const QString dir = programDirectory();
    Database db(&prompter);
    if (!db.open(dir + u'/' + app::kDatabaseFile)) {
        errors::show(prompter, errors::DatabaseOpen);
        return 1;
    }

    Settings settings(dir + u'/' + app::kSettingsFile);
    settings.ensureExists();

    AutoResetEvent stopEvent;
    AutoResetEvent doneEvent;
    SystemClock clock;
    AppContext context{db, settings, prompter, clock, stopEvent, doneEvent, dir};

    // Every run belongs to a logged-in user; a cancelled login ends the program
    // before any window is shown.
    LoginCheck check(db, settings, prompter);
    Session session;
    {
        CLoginDlg login(check);
        if (login.exec() != QDialog::Accepted)
            return -1;
        session = check.sessionFor(login.userName());
    }

    // A newer version may replace this one before any window opens.
    {
        SystemProcessLauncher launcher;
        UpdateCheck update(prompter, dir, configuredUpdateUrl(), launcher);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const UpdateOutcome outcome = update.run();
        QApplication::restoreOverrideCursor();
        if (outcome == UpdateOutcome::ExitForUpdate)
            return 0;
        if (outcome == UpdateOutcome::Stop)
            return -1;
    }

    CMainFrame frame(context, session);
    prompter.setParent(&frame);
    frame.showMaximized();
    frame.startSession();
    return app->exec();
}
