// SPDX-License-Identifier: GPL-3.0-or-later
#include "users/UsersFeature.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "featureapi/CommandTable.h"
#include "login/CPasswordDlg.h"
#include "login/PasswordChange.h"
#include "users/CDepManageDlg.h"
#include "users/CUserManageDlg.h"
#include "users/UserList.h"

namespace {

// On a team's server only the administrator changes users and departments:
// they are the people who sign in there. Says so to anyone else.
bool administratorsOnly(FrameServices& frame) {
    AppContext& app = frame.context();
    if (!app.db.isServer() ||
        Lookups(app.db).userName(frame.session().userCode) == UserList::kAdministrator)
        return true;
    app.prompter.inform(QStringLiteral("团队模式下, 用户和部门由系统管理员 (admin) 管理。"));
    return false;
}

} // namespace

void UsersFeature::install(FrameServices& frame) {
    frame.addCommand(commands::ChangePassword, [&frame] {
        AppContext& app = frame.context();
        PasswordChange change(app.db, app.settings, app.prompter, frame.session().userCode);
        CPasswordDlg dialog(change, frame.window());
        dialog.exec();
    });
    // After a change the department node is built again (and the list shows
    // the contacts' departments as they now are).
    frame.addCommand(commands::UserManagement, [&frame] {
        if (!administratorsOnly(frame))
            return;
        AppContext& app = frame.context();
        CUserManageDlg dialog(app.db, app.prompter, frame.session().userCode, frame.window());
        dialog.exec();
        if (dialog.changed())
            frame.contactsChanged(true);
    });
    frame.addCommand(commands::DepartmentManagement, [&frame] {
        if (!administratorsOnly(frame))
            return;
        AppContext& app = frame.context();
        CDepManageDlg dialog(app.db, app.prompter, frame.window());
        dialog.exec();
        if (dialog.changed())
            frame.contactsChanged(true);
    });
}
