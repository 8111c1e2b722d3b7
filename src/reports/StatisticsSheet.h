// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/InteractionTotals.h"
#include "reports/SheetWriter.h"

#include <QString>

class Clock;
class ReportModel;

// The ticked rows of an interaction query's results with the query's totals
// and averages below them.
class StatisticsSheet : public SheetWriter {
  public:
    static inline const QString kSheet = QStringLiteral("统计");
    static inline const QString kTitle = QStringLiteral("往来记录统计表");
    static inline const QString kDateCaption = QStringLiteral("统计日期");
    static inline const QString kDone = QStringLiteral("文件已生成!");
    static inline const QString kNoRows = QStringLiteral("请选择所要导出的往来记录!");

    // results: the results list (tick column first, then the fourteen texts).
    StatisticsSheet(const Clock& clock, const ReportModel& results, const InteractionTotals& totals)
        : clock_(clock), results_(results), totals_(totals) {}

    static const QStringList& headers();

    QString sheetName() const override { return kSheet; }
    int steps() const override;
    bool fill(XlsxWorkbook& book, const std::function<void(int)>& advance) override;
    QString doneMessage() const override { return kDone; }
    // Totals under no rows would count rows the file does not hold.
    QString nothingToWrite() const override;

  private:
    const Clock& clock_;
    const ReportModel& results_;
    InteractionTotals totals_;
};
