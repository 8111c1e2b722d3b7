// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/LabelSheet.h"

#include "db/Database.h"
#include "db/Lookups.h"
#include "reports/RecordText.h"
#include "reports/TickedRecords.h"
#include "reports/XlsxWorkbook.h"
#include "ui/ReportModel.h"

std::optional<QString> LabelSheet::text(const QString& code) {
    QString label = Lookups::kMissing;
    const bool ok = reads_.query(sql::format(kStatement, code), [&label](const Row& row) {
        label = record::join(linesOf(row, 0));
        return false;
    });
    if (!ok)
        return std::nullopt;
    return label;
}

QStringList LabelSheet::linesOf(const Row& row, int first) {
    return {QStringLiteral("邮编:") + row.textAt(first),
            QStringLiteral("地址:") + row.textAt(first + 1), row.textAt(first + 3),
            row.textAt(first + 2) + QStringLiteral("(收)")};
}

int LabelSheet::steps() const {
    return list_.rowCount();
}

bool LabelSheet::fill(XlsxWorkbook& book, const std::function<void(int)>& advance) {
    int row = 1;
    int labels = 0;
    const auto write = [&](const TickedRecords::Record& lines) {
        // Odd labels go to the first column, even ones beside them.
        const int column = ++labels % 2 == 1 ? 1 : 2;
        for (int line = 0; line < lines.size(); ++line) {
            book.setCell(row, column, lines.at(line));
            // An empty row before the recipient.
            row += line == 2 ? 2 : 1;
        }
        // Beside the label just written, or one empty row below the band.
        row += column == 1 ? -5 : 1;
    };
    const auto cut = [](const Row& row) { return record::cut(linesOf(row, 1)); };
    return TickedRecords::walk(list_, TickedRecords::reader(db_, kBatchStatement, cut), write,
                               advance);
}
