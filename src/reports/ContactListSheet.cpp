// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ContactListSheet.h"

#include "db/Database.h"
#include "db/DateForms.h"
#include "db/Lookups.h"
#include "reports/RecordText.h"
#include "reports/TickedRecords.h"
#include "reports/XlsxWorkbook.h"
#include "ui/ReportModel.h"

const QStringList& ContactListSheet::headers() {
    static const QStringList names{QStringLiteral("姓名"),     QStringLiteral("性别"),
                                   QStringLiteral("职务"),     QStringLiteral("区号"),
                                   QStringLiteral("电话"),     QStringLiteral("手机"),
                                   QStringLiteral("单位名称"), QStringLiteral("单位地址")};
    return names;
}

std::optional<QString> ContactListSheet::text(const QString& code) {
    QString record = Lookups::kMissing;
    const bool ok = reads_.query(sql::format(kStatement, code), [&record](const Row& row) {
        record = record::join(fieldsOf(row, 0));
        return false;
    });
    if (!ok)
        return std::nullopt;
    return record;
}

QStringList ContactListSheet::fieldsOf(const Row& row, int first) {
    auto at = [&](int i) { return row.textAt(first + i); };
    return {at(0), at(1), at(2), at(7), at(3), at(4), at(5), at(6)};
}

TickedRecords::Reader ContactListSheet::reader() {
    return TickedRecords::reader(db_, kBatchStatement,
                                 [](const Row& r) { return record::cut(fieldsOf(r, 1)); });
}

int ContactListSheet::steps() const {
    return list_.rowCount();
}

bool ContactListSheet::fill(XlsxWorkbook& book, const std::function<void(int)>& advance) {
    book.setCell(1, 4, kTitle);
    book.setCell(3, 8, text::format(kDate, dateforms::today(clock_)));
    const QStringList& titles = headers();
    for (int c = 0; c < titles.size(); ++c)
        book.setCell(4, c + 1, titles.at(c));

    int row = 5;
    return TickedRecords::walk(
        list_, reader(),
        [&](const TickedRecords::Record& cells) {
            for (int c = 0; c < cells.size(); ++c)
                book.setCell(row, c + 1, cells.at(c));
            ++row;
        },
        advance);
}
