// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "reports/ContactQuery.h"

#include <QDialog>

class DateRangeFields;
class QComboBox;
class QLineEdit;

// "资料综合查询": a condition on the contacts from a category and a typed
// text, the owner's department and user, the level, the province and a range
// of interaction dates.
class CQueryAllDlg : public QDialog {
    Q_OBJECT
  public:
    CQueryAllDlg(ContactQuery& query, const Clock& clock, QWidget* parent = nullptr);

    ContactQueryForm form() const;
    // The condition built when the form was confirmed.
    sql::Statement condition() const { return condition_; }

    QComboBox* category() const { return category_; }
    QLineEdit* information() const { return information_; }
    QComboBox* department() const { return department_; }
    QComboBox* user() const { return user_; }
    QComboBox* level() const { return level_; }
    QComboBox* province() const { return province_; }
    DateRangeFields* dates() const { return dates_; }

    void accept() override;

  private:
    ContactQuery& query_;
    QComboBox* category_;
    QLineEdit* information_;
    QComboBox* department_;
    QComboBox* user_;
    QComboBox* level_;
    QComboBox* province_;
    DateRangeFields* dates_;
    sql::Statement condition_;
};
