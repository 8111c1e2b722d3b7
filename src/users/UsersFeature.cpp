#include "users/UsersFeature.h"

#include "app/CPasswordDlg.h"
#include "app/CommandTable.h"
#include "app/PasswordChange.h"
#include "users/CDepManageDlg.h"
#include "users/CUserManageDlg.h"

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
        AppContext& app = frame.context();
        CUserManageDlg dialog(app.db, app.prompter, frame.session().userCode, frame.window());
        dialog.exec();
        if (dialog.changed())
            frame.contactsChanged(true);
    });
    frame.addCommand(commands::DepartmentManagement, [&frame] {
        AppContext& app = frame.context();
        CDepManageDlg dialog(app.db, app.prompter, frame.window());
        dialog.exec();
        if (dialog.changed())
            frame.contactsChanged(true);
    });
}
