#pragma once

#include "reference/RefTable.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class RefRecordForm;

// The form that adds a row to a reference table or renames one: the name,
// and the table's other fields (a post's rank, a level's value and interval,
// a festival's month and day).
class CRefEditDlg : public QDialog {
    Q_OBJECT
  public:
    CRefEditDlg(RefRecordForm& form, const RefRecord& start, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return name_; }
    // The widget of one of the table's other fields (a QLineEdit or a QComboBox).
    QWidget* field(int index) const { return fields_.value(index); }
    QStringList fieldValues() const;

  private:
    void onOk();

    RefRecordForm& form_;
    QLineEdit* name_ = nullptr;
    QList<QWidget*> fields_;
};
