// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/CDocForm.h"
#include "documents/DatumList.h"
#include "documents/DatumStore.h"

// "我的资料管理": the form of one my-data item, in add or modify mode. Saving
// makes the user its owner.
class CDatumEditDlg : public CDocForm {
    Q_OBJECT
  public:
    CDatumEditDlg(AppContext& app, qint64 userCode, DatumList::Edit& edit, FileOpener& opener,
                  FileChooser chooser, QWidget* parent = nullptr);

  protected:
    bool save(DocValues& values) override;
    std::optional<DocField> failedField() const override { return store_.failedField(); }

  private:
    qint64 userCode_;
    DatumList::Edit& edit_;
    DatumStore store_;
};
