// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sms/CSmsListDlg.h"

// "短信发送管理": the list form of the outbox (smssend), with each message's status.
class CSmsSendListDlg : public CSmsListDlg {
    Q_OBJECT
  public:
    CSmsSendListDlg(Database& db, Prompter& prompter, QWidget* parent = nullptr)
        : CSmsListDlg(db, prompter, SmsMailbox::Box::Outbox, parent) {
        setObjectName(QStringLiteral("CSmsSendListDlg"));
    }
};
