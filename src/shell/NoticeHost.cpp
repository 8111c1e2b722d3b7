// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/NoticeHost.h"

#include "interactions/StartupNotice.h"
#include "ui/CNoticeWnd.h"

NoticeHost::NoticeHost(QWidget* owner) : owner_(owner) {}

bool NoticeHost::isOpen() const {
    return window_ && !window_->isFinished();
}

CNoticeWnd* NoticeHost::current() const {
    return isOpen() ? window_.data() : nullptr;
}

CNoticeWnd* NoticeHost::open(int mode, const QStringList& lines) {
    if (isOpen())
        return nullptr;
    window_ = new CNoticeWnd(mode, lines, owner_);
    window_->start();
    return window_;
}

CNoticeWnd* NoticeHost::showStartup(const StartupNotice& notice) {
    return open(notice.mode(), notice.lines());
}

CNoticeWnd* NoticeHost::showNotice(const QString& text) {
    return open(1, {text});
}
