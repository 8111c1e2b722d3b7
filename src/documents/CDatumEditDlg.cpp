// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CDatumEditDlg.h"

#include "featureapi/AppContext.h"

CDatumEditDlg::CDatumEditDlg(AppContext& app, qint64 userCode, DatumList::Edit& edit,
                             FileOpener& opener, FileChooser chooser, QWidget* parent)
    : CDocForm(app, DocKind::MyData, edit.mode, DatumStore(app.db, app.prompter).categories(),
               opener, std::move(chooser), parent),
      userCode_(userCode), edit_(edit), store_(app.db, app.prompter) {
    start(edit.values);
}

bool CDatumEditDlg::save(DocValues& values) {
    if (!store_.save(edit_.mode, userCode_, values))
        return false;
    edit_.values = values;
    return true;
}
