#include "reports/ContactListSheet.h"

#include "db/Database.h"
#include "db/DateForms.h"
#include "db/Lookups.h"
#include "reports/RecordText.h"
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
        record = text::format(kRecord, row.textAt(0), row.textAt(1), row.textAt(2), row.textAt(7),
                              row.textAt(3), row.textAt(4), row.textAt(5), row.textAt(6));
        return false;
    });
    if (!ok)
        return std::nullopt;
    return record;
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
    for (int i = 0; i < list_.rowCount(); ++i) {
        advance(i + 1);
        if (!list_.isChecked(i))
            continue;
        const std::optional<QString> record = text(list_.key(i));
        if (!record)
            return false;
        if (*record == Lookups::kMissing)
            break;
        const QStringList fields = record::pieces(*record);
        for (int c = 0; c < fields.size(); ++c)
            book.setCell(row, c + 1, fields.at(c));
        ++row;
    }
    return true;
}
