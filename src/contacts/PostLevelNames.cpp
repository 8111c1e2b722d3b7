// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/PostLevelNames.h"

#include "db/Database.h"
#include "db/Lookups.h"

namespace {

const QString kPostNames = QStringLiteral("select duty_code as code,duty_name as name from duty");
const QString kLevelNames = QStringLiteral("select sort_code as code,sort_name as name from sort");

bool readNames(Database& db, const QString& statement, QHash<qint64, QString>& names) {
    names.clear();
    return db.query(sql::format(statement), [&](const Row& row) {
        // No code ever equals NULL, so such a row can never be found by code.
        if (row.isNull(QStringLiteral("code")))
            return true;
        const qint64 code = row.number(QStringLiteral("code"));
        // The lookup by code reads the first matching row; keep the first one too.
        if (!names.contains(code))
            names.insert(code, row.text(QStringLiteral("name"), Lookups::kMissing));
        return true;
    });
}

} // namespace

bool PostLevelNames::load(Database& db) {
    const bool posts = readNames(db, kPostNames, posts_);
    const bool levels = readNames(db, kLevelNames, levels_);
    return posts && levels;
}

QString PostLevelNames::post(qint64 dutyCode) const {
    return posts_.value(dutyCode, Lookups::kMissing);
}

QString PostLevelNames::level(qint64 sortCode) const {
    return levels_.value(sortCode, Lookups::kMissing);
}
