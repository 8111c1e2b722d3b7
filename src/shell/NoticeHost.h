// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

class CNoticeWnd;
class QWidget;
class StartupNotice;

// Keeps the notice window to one at a time. The main window holds one host; a
// notice asked for while another is still on screen is dropped, since the
// window is only a passing hint and a queue of them would trail on for minutes.
class NoticeHost {
  public:
    explicit NoticeHost(QWidget* owner);

    bool isOpen() const;
    CNoticeWnd* current() const;

    // Each returns the window it opened, or nullptr when one was already open.
    CNoticeWnd* open(int mode, const QStringList& lines);
    CNoticeWnd* showStartup(const StartupNotice& notice);
    CNoticeWnd* showNotice(const QString& text);

  private:
    QWidget* owner_;
    QPointer<CNoticeWnd> window_;
};
