// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "users/UserForm.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// "用户增加" / "用户修改": name, password twice, department and manager mark.
class CUserEditDlg : public QDialog {
    Q_OBJECT
  public:
    struct Start {
        QString name;
        QString department;
        bool manager = false;
    };

    CUserEditDlg(UserForm& form, const Start& start, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* passwordEdit() const { return password_; }
    QLineEdit* againEdit() const { return again_; }
    QComboBox* departmentList() const { return department_; }
    QCheckBox* managerBox() const { return manager_; }

    static inline const QString kNote =
        QStringLiteral("用户名及密码长度不超过12位;如果不设置密码,则密码使用470316");

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void onOk();

    UserForm& form_;
    QLineEdit* name_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* again_ = nullptr;
    QComboBox* department_ = nullptr;
    QCheckBox* manager_ = nullptr;
};
