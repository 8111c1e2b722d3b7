// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/DocumentQuery.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "ui/ReportModel.h"

#include <QFileInfo>

namespace {}

sql::Statement DocumentQuery::statement(const QString& keyword, const QString& category) {
    if (!keyword.isEmpty() && !category.isEmpty())
        return sql::format(kBoth, sql::kAnyText, keyword, sql::kAnyText, category);
    if (!category.isEmpty())
        return sql::format(kCategoryOnly, category);
    if (!keyword.isEmpty())
        return sql::format(kKeywordOnly, sql::kAnyText, keyword, sql::kAnyText);
    return sql::Statement(kAll);
}

bool DocumentQuery::fetch(const QString& keyword, const QString& category,
                          QList<QStringList>& rows) {
    rows.clear();
    return db_.query(statement(keyword, category), [&rows](const Row& row) {
        rows.append({QString::number(row.number(QStringLiteral("doc_code"))),
                     row.text(QStringLiteral("doc_title")),
                     row.text(QStringLiteral("docsort_name")),
                     row.text(QStringLiteral("doc_keyword"))});
        return true;
    });
}

QStringList DocumentQuery::categories() {
    QStringList names;
    db_.query(sql::Statement(kCategories), [&names](const Row& row) {
        names.append(row.textAt(0));
        return true;
    });
    return names;
}

QString DocumentQuery::fileToOpen(ReportModel& list, int row) {
    if (row < 0 || row >= list.rowCount()) {
        prompter_.inform(kNoRow);
        return {};
    }
    list.setChecked(row, true);
    const QString path = Lookups(db_).docFileName(list.text(row, 0).toLongLong());
    if (path.isEmpty()) {
        prompter_.inform(kNoFileName);
        return {};
    }
    if (!QFileInfo::exists(path)) {
        prompter_.inform(text::format(kMissingFile, path));
        return {};
    }
    return path;
}
