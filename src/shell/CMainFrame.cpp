// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CMainFrame.h"

#include "base/AboutText.h"
#include "base/AppInfo.h"
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/ProgramDirectory.h"
#include "base/Prompter.h"
#include "contacts/CClientView2.h"
#include "contacts/CContactDetailPane.h"
#include "contacts/ContactList.h"
#include "db/Database.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "db/LunarCalendar.h"
#include "featureapi/CommandTable.h"
#include "featureapi/DesktopTools.h"
#include "interactions/FestivalCountdown.h"
#include "interactions/Reminders.h"
#include "interactions/Score.h"
#include "interactions/StartupNotice.h"
#include "shell/CGfxOutBarCtrl.h"
#include "shell/CRightPanelWnd.h"
#include "shell/CScoreBar.h"
#include "shell/Features.h"
#include "shell/NoticeHost.h"
#include "startup/PacedExit.h"
#include "tree/CNavTree.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kDatumGroupItems = QStringLiteral(
    "select datumsort_name from datumsort where datumsort_name<>'' \t\t\torder by datumsort_name");
const QString kPhoneGroupItems = QStringLiteral(
    "select societysitesort_name \t\t\tfrom societysitesort \t\t\twhere societysitesort_name<>'' "
    "\t\t\torder by societysitesort_name");

// Toolbar images: the desktop theme's icon when it has one, our own otherwise.
QIcon toolbarIcon(int id) {
    struct Entry {
        const char* theme;
        const char* own;
    };
    static const QHash<int, Entry> icons{
        {commands::AddContact, {"contact-new", "add-contact"}},
        {commands::DeleteContact, {"edit-delete", "delete-contact"}},
        {commands::MoveToTrash, {"user-trash", "move-to-trash"}},
        {commands::Restore, {"edit-undo", "restore"}},
        {commands::EmptyTrash, {"trash-empty", "empty-trash"}},
        {commands::ListExport, {"x-office-spreadsheet", "list-export"}},
        {commands::EnvelopeLabels, {"mail-message-new", "envelope-labels"}},
        {commands::ContactQuery, {"system-search", "contact-query"}},
        {commands::InteractionQuery, {"edit-find", "interaction-query"}},
        {commands::TodayInteractions, {"x-office-calendar", "today-interactions"}},
        {commands::SendSms, {"mail-send", "send-sms"}},
        {commands::Refresh, {"view-refresh", "refresh"}},
    };
    const auto it = icons.constFind(id);
    if (it == icons.constEnd())
        return {};
    const QIcon own(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(it->own)));
    return QIcon::fromTheme(QString::fromLatin1(it->theme), own);
}

} // namespace

CMainFrame::CMainFrame(AppContext& context, const Session& session, QWidget* parent)
    : QMainWindow(parent), context_(context), session_(session),
      notices_(std::make_unique<NoticeHost>(this)) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(app::kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/app/mavor.png")));
    buildActions();
    buildPanes();
    buildMenus();
    buildToolbar();
    features_ = makeFeatures();
    for (const auto& feature : features_)
        feature->install(*this);
    // A command no feature carries out yet says so instead of doing nothing.
    for (const commands::Command& entry : commands::table()) {
        if (!handlers_.contains(entry.id) && !commands::isFrameCommand(entry.id))
            actions_.value(entry.id)->setStatusTip(QStringLiteral("此功能尚未提供"));
    }
    auto* user = new QLabel(this);
    user->setText(QStringLiteral("用户: %1").arg(Lookups(context_.db).userName(session_.userCode)));
    auto* today = new QLabel(context_.clock.today().toString(QStringLiteral("yyyy-MM-dd")), this);
    const QString lunarText = lunar::text(context_.clock.today()); // empty past 2100
    auto* lunarToday =
        new QLabel(lunarText.isEmpty() ? QString() : QStringLiteral("农历 ") + lunarText, this);
    lunarToday->setObjectName(QStringLiteral("lunarToday"));
    lunarToday->setContentsMargins(0, 0, 6, 0); // clear of the size grip and the frame
    auto* state = new QLabel(this);
    state->setObjectName(QStringLiteral("treeState"));
    if (context_.db.isServer()) {
        auto* server =
            new QLabel(QStringLiteral("服务器: ") + context_.db.server().described(), this);
        server->setObjectName(QStringLiteral("serverState"));
        statusBar()->addPermanentWidget(server);
    }
    statusBar()->addPermanentWidget(state);
    statusBar()->addPermanentWidget(user);
    statusBar()->addPermanentWidget(today);
    statusBar()->addPermanentWidget(lunarToday);
    statusBar()->showMessage(QStringLiteral("就绪"));
    resize(1100, 720);
}

CMainFrame::~CMainFrame() {
    if (tree_)
        tree_->stopAndWait();
}

void CMainFrame::buildActions() {
    for (const commands::Command& entry : commands::table()) {
        auto* action = new QAction(entry.menuCaption, this);
        action->setObjectName(QStringLiteral("command%1").arg(entry.id));
        if (!entry.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(entry.shortcut));
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        if (!entry.toolbarCaption.isEmpty()) {
            action->setIcon(toolbarIcon(entry.id));
            action->setIconText(entry.toolbarCaption);
        }
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions_.insert(id, action);
        addAction(action); // keeps the accelerators alive when the menu bar is hidden
    }
}

void CMainFrame::buildMenus() {
    for (const commands::Menu& menu : commands::menuBar()) {
        QMenu* popup = menuBar()->addMenu(menu.title);
        for (int id : menu.items) {
            if (id == 0)
                popup->addSeparator();
            else
                popup->addAction(actions_.value(id));
        }
    }
    contactMenu_ = buildContextMenu(commands::contactListMenu().items, true);
}

QMenu* CMainFrame::buildContextMenu(const QList<int>& items, bool contactList) {
    const commands::Menu& source = contactList ? commands::contactListMenu() : commands::trayMenu();
    auto* menu = new QMenu(this);
    for (int id : items) {
        if (id == 0) {
            menu->addSeparator();
            continue;
        }
        // The context menus have captions of their own but run the same commands.
        QAction* entry = menu->addAction(commands::contextCaption(source, id));
        QAction* command = actions_.value(id);
        entry->setEnabled(command->isEnabled());
        connect(command, &QAction::changed, entry,
                [entry, command] { entry->setEnabled(command->isEnabled()); });
        connect(entry, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
    return menu;
}

void CMainFrame::buildToolbar() {
    QToolBar* bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("toolbar128"));
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (int id : commands::toolbar()) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        bar->addAction(actions_.value(id));
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(actions_.value(id))))
            button->setMinimumSize(55, 50);
    }
    QToolBar* scoreRow = addToolBar(QStringLiteral("等级分"));
    scoreRow->setObjectName(QStringLiteral("scoreBar273"));
    scoreRow->setMovable(false);
    scoreBar_ = new CScoreBar(scoreRow);
    scoreRow->addWidget(scoreBar_);
}

void CMainFrame::buildPanes() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    outBar_ = new CGfxOutBarCtrl(splitter_);
    tree_ = new CNavTree(context_, session_.userCode, this);
    outBar_->setTree(tree_);
    panel_ = new CRightPanelWnd(splitter_);
    contacts_ = new CClientView2(panel_);
    contacts_->attach(context_.db, context_.prompter, context_.clock, session_.userCode);
    contacts_->setHost(this);
    detail_ = new CContactDetailPane(context_, session_, contacts_);
    contacts_->setDetailPane(detail_, detail_);
    panel_->setView(1, contacts_);
    auto placeholder = [this](const QString& text) {
        auto* label = new QLabel(text, panel_);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    panel_->setView(3, placeholder(QStringLiteral("常用电话")));
    panel_->setView(4, placeholder(QStringLiteral("我的资料")));
    panel_->switchView(1);
    splitter_->addWidget(outBar_);
    splitter_->addWidget(panel_);
    splitter_->setCollapsible(1, false);
    panel_->setMinimumWidth(80);
    setCentralWidget(splitter_);

    connect(tree_, &CNavTree::selectionRequested, this,
            [this](const sql::Statement& filter, int mode, int live) {
                loadContactList(filter, mode, live);
            });
    connect(tree_, &CNavTree::nodeSelected, this, [this] { switchView(1); });
    connect(tree_, &CNavTree::readyChanged, this, &CMainFrame::onTreeReady);
    // New reminders after an interaction of the contact shown: its row follows.
    connect(tree_, &CNavTree::remindersRebuilt, this, [this] {
        if (contacts_->currentContact() > 0)
            contacts_->contacts()->interactionsChanged(contacts_->currentContact());
    });
    connect(tree_, &CNavTree::contextMenuRequested, this,
            [this](const QPoint& at) { contactMenu_->popup(at); });
    connect(contacts_, &CClientView2::contextMenuRequested, this,
            [this](const QPoint& at) { contactMenu_->popup(at); });
    connect(outBar_, &CGfxOutBarCtrl::notified, this, &CMainFrame::onOutBar);
    refillGroup(commands::DatumGroup);
    refillGroup(commands::PhoneGroup);
    outBar_->setCurrentIndex(commands::ContactsGroup);
}

void CMainFrame::buildTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    tray_ = new QSystemTrayIcon(QIcon(QStringLiteral(":/app/mavor.png")), this);
    tray_->setToolTip(app::kTitle);
    trayMenu_ = buildContextMenu(commands::trayMenu().items, false);
    trayMenu_->setTitle(commands::trayMenu().title);
    tray_->setContextMenu(trayMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick)
            toggleFromTray();
    });
    tray_->show();
}

void CMainFrame::toggleFromTray() {
    if (isVisible() && !isMinimized()) {
        hide();
        return;
    }
    showNormal();
    showMaximized();
    raise();
    activateWindow();
}

void CMainFrame::startSession() {
    Score score(context_.db);
    const QString greeting = score.applyLoginRule(session_.userCode, context_.clock);
    const Festival festival = FestivalCountdown(context_.db, context_.clock).next();
    Reminders reminders(context_.db, context_.clock.today());
    const bool planned = reminders.hasPlannedToday();
    const bool birthdays = reminders.hasBirthdaysAhead();
    notices_->showStartup(StartupNotice(greeting, festival, planned, birthdays));
    tree_->startBuild(false);
    showScore();
    buildTray();
}

int CMainFrame::currentGroup() const {
    return outBar_->currentIndex();
}

bool CMainFrame::runCommand(int id) {
    const commands::Command* entry = commands::find(id);
    if (!entry)
        return false;
    QAction* command = actions_.value(id);
    if (command && !command->isEnabled())
        return false;
    if (entry->guard != commands::NoGroup && currentGroup() != entry->guard) {
        context_.prompter.inform(commands::guardMessage(entry->guard));
        return false;
    }
    switch (id) {
    case commands::Refresh:
        refreshNavigation();
        break;
    case commands::Exit:
        exitProgram();
        break;
    case commands::HelpFile:
        showHelp();
        break;
    case commands::About:
        showAbout();
        break;
    default:
        if (const auto handler = handlers_.value(id))
            handler();
        else
            context_.prompter.inform(QStringLiteral("此功能尚未提供。"));
        break;
    }
    return true;
}

void CMainFrame::addCommand(int id, std::function<void()> action) {
    handlers_.insert(id, std::move(action));
}

void CMainFrame::setView(int number, QWidget* view) {
    view->setParent(panel_);
    panel_->setView(number, view);
}

void CMainFrame::onGroupItem(int group, std::function<void(int, const QString&)> action) {
    groupItems_.insert(group, std::move(action));
}

void CMainFrame::refreshNavigation() {
    const sql::Statement filter = filter_;
    const int mode = mode_;
    const int live = live_;
    tree_->startBuild(true);
    outBar_->setCurrentIndex(commands::ContactsGroup);
    switchView(1);
    filter_ = filter;
    mode_ = mode;
    live_ = live;
    showScore();
    loadContactList(filter_, mode_, live_);
}

bool CMainFrame::loadContactList(const sql::Statement& filter, int mode, int live) {
    // Reloading the list empties the pane: unsaved edits are offered for saving first.
    if (!contacts_->contacts()->settleEdits())
        return false;
    filter_ = filter;
    mode_ = mode;
    live_ = live;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    contacts_->load(filter, mode, live);
    QApplication::restoreOverrideCursor();
    return true;
}

void CMainFrame::contactsChanged(bool departments) {
    loadContactList(filter_, mode_, live_);
    tree_->rebuildAfterChange(departments);
}

void CMainFrame::countsChanged() {
    tree_->rebuildAfterChange(false);
}

bool CMainFrame::stopTreeBuild() {
    if (!tree_->isBuilding())
        return false;
    tree_->stopAndWait();
    return true;
}

void CMainFrame::remindersChanged() {
    tree_->rebuildReminders();
}

void CMainFrame::addToolWidget(QWidget* widget) {
    // A bar of its own between the commands and the score.
    auto* bar = new QToolBar(QStringLiteral("查找"), this);
    bar->setObjectName(QStringLiteral("findBar"));
    bar->setMovable(false);
    insertToolBar(qobject_cast<QToolBar*>(scoreBar_->parentWidget()), bar);
    bar->addWidget(widget);
}

bool CMainFrame::showContacts(const sql::Statement& filter, int mode, int live) {
    outBar_->setCurrentIndex(commands::ContactsGroup);
    switchView(1);
    return loadContactList(filter, mode, live);
}

void CMainFrame::referenceTableChanged(const QString& table) {
    if (table == QLatin1String("datumsort"))
        refillGroup(commands::DatumGroup);
    else if (table == QLatin1String("societysitesort"))
        refillGroup(commands::PhoneGroup);
    // The pages' lists are filled again; the contact shown keeps its values.
    detail_->fillLists();
    for (const auto& watcher : referenceWatchers_)
        watcher(table);
    if (contacts_->currentContact() > 0 && !detail_->isModified())
        detail_->loadContact(contacts_->currentContact(), live_);
    // Folder captions and counts come from the tables' names.
    tree_->rebuildAfterChange(table == QLatin1String("dep") || table == QLatin1String("userlogin"));
}

void CMainFrame::onReferenceTableChange(std::function<void(const QString&)> action) {
    referenceWatchers_.append(std::move(action));
}

void CMainFrame::onTreeReady(bool ready) {
    for (const commands::Command& entry : commands::table()) {
        if (entry.waitsForTree)
            actions_.value(entry.id)->setEnabled(ready);
    }
    if (auto* state = statusBar()->findChild<QLabel*>(QStringLiteral("treeState")))
        state->setText(ready ? QString() : QStringLiteral("正在统计人脉..."));
    // After login the list shows the live contacts once the first build is done.
    if (ready && !firstBuildSeen_ && tree_->topLevelItemCount() > 0) {
        firstBuildSeen_ = true;
        if (!tree_->currentItem())
            tree_->setCurrentItem(tree_->topLevelItem(0));
    }
}

void CMainFrame::onOutBar(int group, int item, const QString& caption) {
    switch (group) {
    case commands::ContactsGroup:
        switchView(1);
        filter_ = sql::Statement("base_invalid_flag=1 ");
        live_ = 1;
        break;
    case commands::DatumGroup:
        switchView(4);
        break;
    case commands::PhoneGroup:
        switchView(3);
        break;
    case commands::ToolsGroup:
        if (item == 0)
            desktop::startEditor(context_.prompter);
        else if (item == 1)
            desktop::startCalculator(context_.prompter);
        break;
    default:
        break;
    }
    if (item >= 0) {
        if (const auto handler = groupItems_.value(group))
            handler(item, caption);
    }
}

void CMainFrame::switchView(int number) {
    panel_->switchView(number);
}

void CMainFrame::refillGroup(int group) {
    const QString statement = group == commands::DatumGroup ? kDatumGroupItems : kPhoneGroupItems;
    const QString column = group == commands::DatumGroup ? QStringLiteral("datumsort_name")
                                                         : QStringLiteral("societysitesort_name");
    QStringList captions;
    context_.db.query(sql::format(statement), [&](const Row& row) {
        captions << row.text(column);
        return true;
    });
    outBar_->setItems(group, captions);
}

void CMainFrame::showScore() {
    const qint64 score = Score(context_.db).userScore(session_.userCode);
    scoreBar_->show(Score::scoreText(score), Score::levelText(score));
}

void CMainFrame::showNotice(const QString& text) {
    notices_->showNotice(text);
}

bool CMainFrame::leave(int stepMs) {
    PacedExit paced(context_.prompter, context_.stopEvent, context_.doneEvent);
    // Only a confirmed exit offers the pane's edits; No leaves them pending.
    if (!paced.confirm() || !contacts_->contacts()->settleEdits())
        return false;
    // The builder's end and the database's tidying run inside the waits, so
    // that nothing after them adds to the time the exit takes.
    paced.run(stepMs, [this] {
        tree_->stopAndWait();
        context_.db.tidyForClose();
    });
    exiting_ = true;
    if (tray_)
        tray_->hide();
    return true;
}

void CMainFrame::exitProgram() {
    if (leave(PacedExit::kMenuStepMs))
        QApplication::exit(0);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!exiting_ && !leave(PacedExit::kCloseStepMs)) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimised, the window leaves the task bar and waits in the tray.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && tray_ && tray_->isVisible())
        QTimer::singleShot(0, this, &QWidget::hide);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!placed_ && width() > 0) {
        placed_ = true;
        splitter_->setSizes({width() / 4, width() - width() / 4});
    }
}

void CMainFrame::showHelp() {
    const QString page = installedFile(QStringLiteral("help/index.html"));
    if (!QFileInfo::exists(page)) {
        context_.prompter.inform(QStringLiteral("无法打开帮助文件:\r\n%1").arg(page));
        return;
    }
    desktop::openFile(page, context_.prompter);
}

void CMainFrame::showAbout() {
    context_.prompter.notice(QStringLiteral("关于 Halvora人脉"), app::aboutText(),
                             PromptIcon::Information);
}

ContactListView& CMainFrame::contactList() {
    return *contacts_;
}

ContactTabs& CMainFrame::contactTabs() {
    return *detail_;
}
