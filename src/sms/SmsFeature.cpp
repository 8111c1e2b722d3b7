// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SmsFeature.h"

#include "contacts/CClientView2.h"
#include "featureapi/CommandTable.h"
#include "sms/CSmsComposeDlg.h"
#include "sms/CSmsRecvListDlg.h"
#include "sms/CSmsSendListDlg.h"
#include "sms/SmsQueue.h"

void SmsFeature::install(FrameServices& frame) {
    frame.addCommand(commands::SendSms, [&frame] {
        AppContext& app = frame.context();
        SmsQueue queue(app.db, app.prompter, app.clock);
        queue.run(frame.contactList().rows(),
                  [&] { return CSmsComposeDlg::compose(app.prompter, frame.window()); });
    });
    frame.addCommand(commands::SmsOutbox, [&frame] {
        CSmsSendListDlg dialog(frame.context().db, frame.context().prompter, frame.window());
        dialog.exec();
    });
    frame.addCommand(commands::SmsInbox, [&frame] {
        CSmsRecvListDlg dialog(frame.context().db, frame.context().prompter, frame.window());
        dialog.exec();
    });
}
