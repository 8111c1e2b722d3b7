// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/AssoList.h"

#include <QDialog>

struct AppContext;
class CDropList;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "关联关系管理": the form of one association, in add or modify mode. Its
// "确定(&O)" saves; a refused check or a failed write keeps it open.
class CAssoEditDlg : public QDialog {
    Q_OBJECT
  public:
    // The form shows edit.values; after OK, edit holds what was saved.
    CAssoEditDlg(AppContext& app, AssoList::Edit& edit, QWidget* parent = nullptr);

    static inline const int kNameLimit = 20;
    static inline const int kRelationLimit = 30;
    static inline const int kCompanyLimit = 120;
    static inline const int kCommentLimit = 200;

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* relationEdit() const { return relation_; }
    QLineEdit* companyEdit() const { return company_; }
    CDropList* dutyList() const { return duty_; }
    CDropList* industryList() const { return industry_; }
    QPlainTextEdit* commentEdit() const { return comment_; }
    QPushButton* chooseButton() const { return choose_; }

    // The values as the controls hold them, cut to the fields' limits.
    AssoValues values() const;

    void accept() override;

  protected:
    // Esc and Enter neither close nor confirm the form.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setValues(const AssoValues& values);
    void choosePerson();
    void focusField(AssoField field);

    AppContext& app_;
    AssoList::Edit& edit_;
    QLineEdit* name_;
    QLineEdit* relation_;
    QLineEdit* company_;
    CDropList* duty_;
    CDropList* industry_;
    QPlainTextEdit* comment_;
    QPushButton* choose_;
};
