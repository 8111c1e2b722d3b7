// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CDocEditDlg.h"

#include "featureapi/AppContext.h"

CDocEditDlg::CDocEditDlg(AppContext& app, DocList::Edit& edit, FileOpener& opener,
                         FileChooser chooser, QWidget* parent)
    : CDocForm(app, DocKind::Contact, edit.mode, DocStore(app.db, app.prompter).categories(),
               opener, std::move(chooser), parent),
      edit_(edit), store_(app.db, app.prompter) {
    start(edit.values);
}

bool CDocEditDlg::save(DocValues& values) {
    if (!store_.save(edit_.mode, edit_.contact, values))
        return false;
    edit_.values = values;
    return true;
}
