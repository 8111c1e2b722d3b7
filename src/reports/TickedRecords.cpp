// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/TickedRecords.h"

#include "db/Database.h"
#include "reports/RepeatedQuery.h"
#include "ui/ReportModel.h"

#include <QList>
#include <memory>
#include <utility>

sql::Statement TickedRecords::codeList(const QStringList& codes) {
    QStringList marks;
    QList<text::Arg> args;
    for (const QString& code : codes) {
        marks.append(QStringLiteral("%s"));
        args.append(text::toArg(code));
    }
    return sql::formatArgs(marks.join(u','), args, {});
}

TickedRecords::Reader TickedRecords::reader(Database& db, const QString& batchTemplate,
                                            const std::function<Record(const Row&)>& recordOf) {
    auto reads = std::make_shared<RepeatedQuery>(db);
    return [reads, batchTemplate, recordOf](const sql::Statement& codes) {
        QHash<QString, Record> records;
        records.reserve(codes.values().size());
        if (!reads->query(sql::format(batchTemplate, codes), [&](const Row& row) {
                records.insert(row.textAt(0), recordOf(row));
                return true;
            }))
            return std::optional<QHash<QString, Record>>();
        return std::optional(std::move(records));
    };
}

bool TickedRecords::walk(const ReportModel& list, const Reader& read,
                         const std::function<void(const Record&)>& write,
                         const std::function<void(int)>& advance) {
    QList<std::pair<int, QString>> batch; // list row, code
    bool ended = false;
    int walked = 0; // rows whose progress step was given
    auto walkTo = [&](int rows) {
        while (walked < rows)
            advance(++walked);
    };
    auto flush = [&]() {
        if (batch.isEmpty() || ended)
            return true;
        QStringList codes;
        for (const auto& item : std::as_const(batch))
            codes.append(item.second);
        const std::optional<QHash<QString, Record>> records = read(codeList(codes));
        if (!records)
            return false;
        for (const auto& [row, code] : std::as_const(batch)) {
            walkTo(row + 1);
            const auto found = records->constFind(code);
            if (found == records->constEnd()) {
                ended = true;
                break;
            }
            write(*found);
        }
        batch.clear();
        return true;
    };
    for (int i = 0; i < list.rowCount() && !ended; ++i) {
        if (!list.isChecked(i))
            continue;
        batch.append({i, list.key(i)});
        if (batch.size() == kBatch && !flush())
            return false;
    }
    if (!flush())
        return false;
    if (!ended)
        walkTo(list.rowCount());
    return true;
}
