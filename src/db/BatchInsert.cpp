// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/BatchInsert.h"

#include "db/Database.h"
#include "db/TableCopy.h"

#include <QSqlError>
#include <algorithm>
#include <optional>

namespace {

// Values in one insert statement on a server (its limit is 65535).
constexpr int kServerValues = 20000;

} // namespace

BatchInsert::BatchInsert(Database& db, const QString& table, const QStringList& columns)
    : db_(db), table_(table), columns_(columns),
      perStatement_(db.isServer()
                        ? std::max(1, std::min<int>(500, kServerValues / int(columns.size())))
                        : 1) {}

BatchInsert::~BatchInsert() = default;

QString BatchInsert::text(int rows) const {
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns_.size());
    const QString row = u'(' + marks.join(u',') + u')';
    QStringList all;
    all.fill(row, rows);
    return QStringLiteral("insert into %1(%2) values %3")
        .arg(tablecopy::quoted(table_), tablecopy::quoted(columns_), all.join(u','));
}

bool BatchInsert::add(const QVariantList& row, QString* error) {
    pending_.append(row);
    return flush(false, error);
}

bool BatchInsert::finish(QString* error) {
    return flush(true, error);
}

bool BatchInsert::flush(bool all, QString* error) {
    const qsizetype width = columns_.size();
    auto fail = [&](const QSqlQuery& q) {
        if (error)
            *error = table_ + QStringLiteral(": ") + Database::describe(q.lastError());
        return false;
    };
    while (pending_.size() >= width * perStatement_ || (all && !pending_.isEmpty())) {
        const int count = std::min<int>(perStatement_, int(pending_.size() / width));
        if (count == perStatement_ && !full_) {
            full_ = std::make_unique<QSqlQuery>(db_.connection());
            if (!full_->prepare(text(perStatement_))) {
                const bool failed = fail(*full_);
                full_.reset();
                return failed;
            }
        }
        // The last, shorter statement of a server's rows is prepared once, on its own.
        std::optional<QSqlQuery> tail;
        if (count != perStatement_) {
            tail.emplace(db_.connection());
            if (!tail->prepare(text(count)))
                return fail(*tail);
        }
        QSqlQuery& q = tail ? *tail : *full_;
        for (qsizetype i = 0; i < count * width; ++i)
            q.bindValue(int(i), pending_.at(i));
        if (!q.exec())
            return fail(q);
        q.finish();
        pending_.remove(0, count * width);
        rows_ += count;
    }
    return true;
}
