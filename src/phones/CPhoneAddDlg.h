// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CPhonePage;
class PhoneDirectory;
class Prompter;

// "常用电话管理 - 增加": the page in one tab "基本信息"; 确定 checks and appends
// the entry, then empties the page and closes.
class CPhoneAddDlg : public QDialog {
    Q_OBJECT
  public:
    CPhoneAddDlg(PhoneDirectory& directory, qint64 userCode, QWidget* parent = nullptr);

    CPhonePage* page() const { return page_; }
    void accept() override;

    // The add loop with this form; the number of entries added.
    static int run(PhoneDirectory& directory, Prompter& prompter, qint64 userCode, QWidget* parent);

  private:
    PhoneDirectory& directory_;
    qint64 userCode_;
    CPhonePage* page_;
};
