// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/InteractionQuery.h"

#include <QDialog>
#include <optional>

class Clock;
class DateRangeFields;
class QComboBox;
class QLineEdit;

// "往来查询": which of the user's contacts and which dates the interaction
// list covers.
class CCommQueryDlg : public QDialog {
    Q_OBJECT
  public:
    CCommQueryDlg(InteractionQuery& query, const QStringList& provinces, const QStringList& levels,
                  const Clock& clock, QWidget* parent = nullptr);

    InteractionQueryForm form() const;
    // The conditions built when the form was confirmed.
    InteractionConditions conditions() const { return conditions_; }

    QLineEdit* field(const QString& objectName) const;
    QComboBox* province() const { return province_; }
    QComboBox* level() const { return level_; }
    DateRangeFields* dates() const { return dates_; }

    void accept() override;

  private:
    InteractionQuery& query_;
    QLineEdit* name_;
    QLineEdit* mobile_;
    QLineEdit* phone_;
    QLineEdit* workName_;
    QLineEdit* workAddress_;
    QLineEdit* workPhone_;
    QComboBox* province_;
    QComboBox* level_;
    DateRangeFields* dates_;
    InteractionConditions conditions_;
};
