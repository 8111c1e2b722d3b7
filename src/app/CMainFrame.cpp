#include "app/CMainFrame.h"

#include "app/AppInfo.h"
#include "app/CPasswordDlg.h"
#include "app/PacedExit.h"
#include "app/PasswordChange.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QUrl>

CMainFrame::CMainFrame(AppContext& context, const Session& session, QWidget* parent)
    : QMainWindow(parent), context_(context), session_(session) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(app::kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/app/mavor.png")));
    buildMenus();
    auto* welcome = new QLabel(QStringLiteral("欢迎使用 %1").arg(app::kTitle), this);
    welcome->setAlignment(Qt::AlignCenter);
    setCentralWidget(welcome);
    statusBar()->showMessage(QStringLiteral("就绪"));
    resize(1024, 700);
}

void CMainFrame::buildMenus() {
    QMenu* system = menuBar()->addMenu(QStringLiteral("系统设置(&E)"));
    QAction* password = system->addAction(QStringLiteral("密码设置(&P)\tCtrl+P"));
    password->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    connect(password, &QAction::triggered, this, &CMainFrame::changePassword);
    system->addSeparator();
    QAction* exit = system->addAction(QStringLiteral("退出(&X)"));
    connect(exit, &QAction::triggered, this, &CMainFrame::exitProgram);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    QAction* helpFile = help->addAction(QStringLiteral("显示帮助文件"));
    helpFile->setShortcut(QKeySequence::HelpContents);
    connect(helpFile, &QAction::triggered, this, &CMainFrame::showHelp);
}

void CMainFrame::exitProgram() {
    PacedExit paced(context_.prompter, context_.stopEvent, context_.doneEvent);
    if (!paced.run(PacedExit::kMenuStepMs))
        return;
    exiting_ = true;
    QApplication::exit(0);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    PacedExit paced(context_.prompter, context_.stopEvent, context_.doneEvent);
    if (!paced.run(PacedExit::kCloseStepMs)) {
        event->ignore();
        return;
    }
    exiting_ = true;
    event->accept();
}

void CMainFrame::showHelp() {
    const QString page = context_.programDir + QStringLiteral("/help/index.html");
    if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        context_.prompter.inform(QStringLiteral("无法打开帮助文件:\r\n%1").arg(page));
}

void CMainFrame::changePassword() {
    PasswordChange change(context_.db, context_.settings, context_.prompter, session_.userCode);
    CPasswordDlg dialog(change, this);
    dialog.exec();
}
