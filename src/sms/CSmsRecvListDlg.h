// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sms/CSmsListDlg.h"

// "接收短信管理": the list form of the inbox (smsrecv).
class CSmsRecvListDlg : public CSmsListDlg {
    Q_OBJECT
  public:
    CSmsRecvListDlg(Database& db, Prompter& prompter, QWidget* parent = nullptr)
        : CSmsListDlg(db, prompter, SmsMailbox::Box::Inbox, parent) {
        setObjectName(QStringLiteral("CSmsRecvListDlg"));
    }
};
