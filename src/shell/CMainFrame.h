// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "featureapi/FrameServices.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class CClientView2;
class CContactDetailPane;
class CGfxOutBarCtrl;
class CNavTree;
class CRightPanelWnd;
class CScoreBar;
class NoticeHost;
class QAction;
class QMenu;
class QSplitter;
class QSystemTrayIcon;

// The program's main window. It owns the frame's pieces and routes every
// command to the feature that carries it out; the features act.
class CMainFrame : public QMainWindow, public FrameServices {
    Q_OBJECT
  public:
    CMainFrame(AppContext& context, const Session& session, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // What follows a successful login: the login score rule, the start-up
    // notice, the tree builder, the score and the tray icon.
    void startSession();

    // FrameServices
    AppContext& context() override { return context_; }
    const Session& session() const override { return session_; }
    QWidget* window() override { return this; }
    void addCommand(int id, std::function<void()> action) override;
    void setView(int number, QWidget* view) override;
    void switchView(int number) override;
    void onGroupItem(int group, std::function<void(int, const QString&)> action) override;
    void refillGroup(int group) override;
    ContactListView& contactList() override;
    ContactTabs& contactTabs() override;
    // The contact view itself: the list and the detail pane below it.
    CClientView2* contactView() { return contacts_; }
    CContactDetailPane* detailPane() { return detail_; }
    void remindersChanged() override;
    void countsChanged() override;
    bool stopTreeBuild() override;
    bool showContacts(const sql::Statement& filter, int mode, int live) override;
    void addToolWidget(QWidget* widget) override;
    void referenceTableChanged(const QString& table) override;
    void onReferenceTableChange(std::function<void(const QString&)> action) override;
    void showScore() override;
    void showNotice(const QString& text) override;
    void contactsChanged(bool departments = false) override;

    // Routes one command id; returns false when the command was refused by its guard.
    bool runCommand(int id) override;
    QAction* action(int id) const { return actions_.value(id, nullptr); }

    // "资料刷新": the tree is rebuilt and the list loaded again with the node last selected.
    void refreshNavigation();

    // The list the tree last selected.
    sql::Statement currentFilter() const { return filter_; }
    int listMode() const { return mode_; }
    int liveFlag() const { return live_; }
    int currentGroup() const;

    CNavTree* tree() const { return tree_; }
    CGfxOutBarCtrl* outBar() const { return outBar_; }
    CRightPanelWnd* rightPanel() const { return panel_; }
    CScoreBar* scoreBar() const { return scoreBar_; }
    NoticeHost* notices() const { return notices_.get(); }
    QSystemTrayIcon* tray() const { return tray_; }
    QMenu* contactListMenu() const { return contactMenu_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void buildPanes();
    void buildTray();
    QMenu* buildContextMenu(const QList<int>& items, bool contactList);

    void exitProgram();
    // The way out shared by the exit command and the close box: the
    // confirmation, unsaved edits, the paced stop of the tree builder. False to stay.
    bool leave(int stepMs);
    void showHelp();
    void showAbout();
    void onTreeReady(bool ready);
    void onOutBar(int group, int item, const QString& caption);
    // Settles the pane's edits, then stores what the list shows and loads it;
    // nothing is stored when the user stays with unsaved edits.
    bool loadContactList(const sql::Statement& filter, int mode, int live);
    void toggleFromTray();

    AppContext& context_;
    Session session_;
    QHash<int, QAction*> actions_;
    CGfxOutBarCtrl* outBar_ = nullptr;
    CNavTree* tree_ = nullptr;
    CRightPanelWnd* panel_ = nullptr;
    CClientView2* contacts_ = nullptr;
    CContactDetailPane* detail_ = nullptr;
    CScoreBar* scoreBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    QMenu* contactMenu_ = nullptr;
    std::unique_ptr<NoticeHost> notices_;
    std::vector<std::unique_ptr<Feature>> features_;
    QHash<int, std::function<void()>> handlers_;
    QHash<int, std::function<void(int, const QString&)>> groupItems_;
    QList<std::function<void(const QString&)>> referenceWatchers_;

    sql::Statement filter_;
    int mode_ = 0;
    int live_ = 1;
    bool exiting_ = false;
    bool placed_ = false;
    bool firstBuildSeen_ = false;
};
