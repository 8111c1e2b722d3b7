// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reference/RefTable.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class RefRecordForm;

// The form that adds a row to a reference table or renames one: the name,
// and the table's other fields (a post's rank, a level's value and interval,
// a festival's month and day, and whether those are lunar).
class CRefEditDlg : public QDialog {
    Q_OBJECT
  public:
    CRefEditDlg(RefRecordForm& form, const RefRecord& start, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return name_; }
    // The widget of one of the table's other fields (a QLineEdit, a QComboBox
    // or a QCheckBox).
    QWidget* field(int index) const { return fields_.value(index); }
    // The values as stored: digits, "01".."31" for a month or day, "0"/"1" for a tick.
    QStringList fieldValues() const;

  private:
    void onOk();
    // Shows the month and day lists by their lunar names or as digits.
    void showDateNames(bool lunarNames);

    RefRecordForm& form_;
    QLineEdit* name_ = nullptr;
    QList<QWidget*> fields_;
};
