#pragma once

#include "app/AppContext.h"
#include "app/Session.h"

#include <QMainWindow>

// The program's main window. It routes commands to the features; the features act.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame(AppContext& context, const Session& session, QWidget* parent = nullptr);

    const Session& session() const { return session_; }

    // The exit command: confirmed and paced, then the message loop ends with 0.
    void exitProgram();
    void showHelp();
    void changePassword();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();

    AppContext& context_;
    Session session_;
    bool exiting_ = false;
};
