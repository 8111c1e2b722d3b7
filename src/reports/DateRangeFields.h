// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/DateRange.h"

#include <QWidget>

class Clock;
class QComboBox;

// The six date lists of the query forms (start and end: year, month, day),
// each with an empty first entry for "not chosen".
class DateRangeFields : public QWidget {
    Q_OBJECT
  public:
    explicit DateRangeFields(const Clock& clock, QWidget* parent = nullptr);

    DateFields value() const;

    // 0..2 start year, month, day; 3..5 end year, month, day.
    QComboBox* list(int index) const { return lists_[index]; }

  private:
    QComboBox* lists_[6];
};
