#pragma once

#include "app/AppContext.h"

#include <QMainWindow>

// The program's main window. It routes commands to the features; the features act.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(AppContext& context, QWidget* parent = nullptr);

    // The exit command: confirmed and paced, then the message loop ends with 0.
    void exitProgram();
    void showHelp();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();

    AppContext& context_;
    bool exiting_ = false;
};
