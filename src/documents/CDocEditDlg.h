// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/CDocForm.h"
#include "documents/DocList.h"
#include "documents/DocStore.h"

// "文档管理": the form of one document of a contact, in add or modify mode.
class CDocEditDlg : public CDocForm {
    Q_OBJECT
  public:
    // Shows edit.values (modify) or today (add); after OK, edit holds what was saved.
    CDocEditDlg(AppContext& app, DocList::Edit& edit, FileOpener& opener, FileChooser chooser,
                QWidget* parent = nullptr);

  protected:
    bool save(DocValues& values) override;
    std::optional<DocField> failedField() const override { return store_.failedField(); }

  private:
    DocList::Edit& edit_;
    DocStore store_;
};
