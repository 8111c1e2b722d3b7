// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phones/PhoneDirectory.h"
#include "phones/PhoneEntry.h"

#include <QWidget>

class CDropList;
class QLineEdit;
class QPlainTextEdit;

// The page "基本信息" of a phone entry: 名称, 类别, 地址, 联系人, 职务, 手机,
// 电话, 传真, 价格 and 备注. It tells when the user changes a field.
class CPhonePage : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMemoLimit = 100;

    explicit CPhonePage(QWidget* parent = nullptr);

    // Fills the two drop-down lists; the chosen names stay chosen when still listed.
    void setLists(const QStringList& categories, const QStringList& duties);
    PhoneEntry entry() const;
    // Shows an entry; the page counts as unchanged afterwards.
    void setEntry(const PhoneEntry& entry);
    void clear();

    bool isChanged() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }
    // Puts the focus on the field a check refused, its text selected.
    void focusField(PhoneDirectory::Outcome outcome);

    QLineEdit* titleEdit() const { return title_; }
    CDropList* categoryList() const { return category_; }
    CDropList* dutyList() const { return duty_; }
    QPlainTextEdit* memoEdit() const { return memo_; }
    QLineEdit* edit(const QString& name) const;

  signals:
    void edited();

  private:
    QLineEdit* addEdit(const QString& name, int limit);
    void markChanged();

    QLineEdit* title_;
    CDropList* category_;
    QLineEdit* address_;
    QLineEdit* contact_;
    CDropList* duty_;
    QLineEdit* mobile_;
    QLineEdit* phone_;
    QLineEdit* fax_;
    QLineEdit* price_;
    QPlainTextEdit* memo_;
    bool changed_ = false;
    bool filling_ = false;
};
