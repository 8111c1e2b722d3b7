#pragma once

#include "app/AppContext.h"
#include "app/Session.h"
#include "contacts/ListHost.h"
#include "db/Statement.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

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
class CMainFrame : public QMainWindow, public ListHost {
    Q_OBJECT
  public:
    CMainFrame(AppContext& context, const Session& session, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // What follows a successful login: the login score rule, the start-up
    // notice, the tree builder, the score and the tray icon.
    void startSession();

    const Session& session() const { return session_; }

    // Routes one command id; returns false when the command was refused by its guard.
    bool runCommand(int id);
    QAction* action(int id) const { return actions_.value(id, nullptr); }

    // Services other features ask of the main window.
    void showScore() override;
    void showNotice(const QString& text) override;
    void refreshTree() override;
    void rebuildDepartments() override;
    void refreshNavigation();
    void switchView(int number);
    void refillGroup(int group);

    // The list the tree last selected.
    sql::Statement currentFilter() const { return filter_; }
    int listMode() const { return mode_; }
    int liveFlag() const { return live_; }
    int currentGroup() const;

    CNavTree* tree() const { return tree_; }
    CClientView2* contactView() const { return contacts_; }
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
    // The way out shared by the exit command and the close box: unsaved edits,
    // the confirmation, the paced stop of the tree builder. False to stay.
    bool leave(int stepMs);
    void addContacts();
    void showHelp();
    void showAbout();
    void changePassword();
    void onTreeSelection(const sql::Statement& filter, int mode, int live);
    void onTreeReady(bool ready);
    void onOutBar(int group, int item, const QString& caption);
    void loadContactList(const sql::Statement& filter, int mode);
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

    sql::Statement filter_;
    int mode_ = 0;
    int live_ = 1;
    bool adding_ = false;
    bool exiting_ = false;
    bool placed_ = false;
};
