#include "users/UsersFeature.h"

#include "app/CPasswordDlg.h"
#include "app/CommandTable.h"
#include "app/PasswordChange.h"

void UsersFeature::install(FrameServices& frame) {
    frame.addCommand(commands::ChangePassword, [&frame] {
        AppContext& app = frame.context();
        PasswordChange change(app.db, app.settings, app.prompter, frame.session().userCode);
        CPasswordDlg dialog(change, frame.window());
        dialog.exec();
    });
}
