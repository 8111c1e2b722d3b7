// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/StatisticsSheet.h"

#include "db/DateForms.h"
#include "reports/RecordText.h"
#include "reports/XlsxWorkbook.h"
#include "ui/ReportModel.h"

const QStringList& StatisticsSheet::headers() {
    static const QStringList names{
        QStringLiteral("日期"),         QStringLiteral("时间"),         QStringLiteral("往来类型"),
        QStringLiteral("地点"),         QStringLiteral("事由"),         QStringLiteral("级别"),
        QStringLiteral("姓名"),         QStringLiteral("职务"),         QStringLiteral("单位名称"),
        QStringLiteral("对方参加人员"), QStringLiteral("我方参加人员"), QStringLiteral("礼品"),
        QStringLiteral("支出"),         QStringLiteral("收入")};
    return names;
}

QString StatisticsSheet::nothingToWrite() const {
    return results_.checkedRows().isEmpty() ? kNoRows : QString();
}

int StatisticsSheet::steps() const {
    return results_.rowCount();
}

bool StatisticsSheet::fill(XlsxWorkbook& book, const std::function<void(int)>& advance) {
    book.setCell(1, 6, kTitle);
    book.setCell(3, 13, kDateCaption);
    book.setCell(3, 14, dateforms::today(clock_));
    const QStringList& titles = headers();
    for (int c = 0; c < titles.size(); ++c)
        book.setCell(4, c + 1, titles.at(c));

    int row = 5;
    for (int i = 0; i < results_.rowCount(); ++i) {
        advance(i + 1);
        if (!results_.isChecked(i))
            continue;
        QStringList shown;
        for (int c = 1; c <= titles.size(); ++c)
            shown.append(results_.text(i, c));
        const QStringList fields = record::cut(shown);
        // The last two pieces are the money spent and received: numbers.
        for (int c = 0; c < fields.size(); ++c) {
            if (c >= fields.size() - 2)
                book.setNumber(row, c + 1, fields.at(c));
            else
                book.setCell(row, c + 1, fields.at(c));
        }
        ++row;
    }

    // One empty row, then the totals and the averages.
    const int totals = row + 1;
    book.setCell(totals, 1, QStringLiteral("总计"));
    book.setCell(totals, 3, QStringLiteral("时间:"));
    book.setNumber(totals, 4, totals_.timeText());
    book.setCell(totals, 5, QStringLiteral("支出:"));
    book.setNumber(totals, 6, totals_.costText());
    book.setCell(totals, 7, QStringLiteral("收入:"));
    book.setNumber(totals, 8, totals_.incomeText());
    const int averages = row + 2;
    book.setCell(averages, 1, QStringLiteral("平均"));
    book.setCell(averages, 3, QStringLiteral("时间:"));
    book.setNumber(averages, 4, totals_.averageTimeText());
    book.setCell(averages, 5, QStringLiteral("费用:"));
    book.setNumber(averages, 6, totals_.averageCostText());
    return true;
}
