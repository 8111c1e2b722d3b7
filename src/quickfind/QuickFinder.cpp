// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/QuickFinder.h"

#include "db/Database.h"
#include "quickfind/FindKeys.h"

#include <algorithm>

#include <sqlite3.h>

namespace quickfind {

namespace {

const sql::Statement kStamp("select (select count(*) from base),(select count(*) from findkey),"
                            "(select max(findkey_code) from findkey)");
const sql::Statement kEntries(
    "select b.base_code,b.base_name,d.duty_name,b.work_name,b.work_branch_name,b.base_email,"
    "b.base_mobil,b.base_phone,b.work_phone,b.work_fax,"
    "k.findkey_name,k.findkey_unit,k.findkey_branch,k.findkey_digits "
    "from base b inner join findkey k on k.findkey_base_code=b.base_code "
    "left join duty d on d.duty_code=b.work_duty_code where b.base_invalid_flag=1");

} // namespace

bool QuickFinder::update(QString* error) {
    // A file says by itself whether anyone wrote to it since: another
    // connection's commit changes its data version, this one's its count of
    // changes. Only then are the keys counted.
    if (sqlite3* file = db_.fileHandle()) {
        qint64 version = -1;
        db_.queryQuietly("PRAGMA data_version", [&](const Row& row) {
            version = row.numberAt(0);
            return false;
        });
        const QString seen =
            QStringLiteral("%1 %2").arg(version).arg(sqlite3_total_changes64(file));
        if (version >= 0 && seen == fileSeen_ && !entries_.isEmpty())
            return true;
        fileSeen_ = seen;
    }
    QString stamp;
    qint64 contacts = -1;
    qint64 keys = -1;
    if (!db_.queryQuietly(kStamp, [&](const Row& row) {
            contacts = row.numberAt(0);
            keys = row.numberAt(1);
            stamp = QStringLiteral("%1 %2").arg(keys).arg(row.numberAt(2, 0));
            return false;
        })) {
        if (error)
            *error = db_.lastError();
        return false;
    }
    if (contacts != keys) {
        if (findkeys::fillMissing(db_, readings_, error) < 0)
            return false;
        return update(error);
    }
    return stamp == stamp_ || (load(error) && (stamp_ = stamp, true));
}

bool QuickFinder::load(QString* error) {
    QList<Entry> entries;
    const bool ok = db_.queryQuietly(kEntries, [&](const Row& row) {
        Entry e;
        e.code = row.numberAt(0);
        e.name = row.textAt(1);
        e.post = row.textAt(2);
        e.unit = row.textAt(3);
        e.branch = row.textAt(4);
        e.email = row.textAt(5);
        e.numbers = {row.textAt(6), row.textAt(7), row.textAt(8), row.textAt(9)};
        e.nameTokens = PinyinReadings::decode(e.name, row.textAt(10));
        e.unitTokens = PinyinReadings::decode(e.unit, row.textAt(11));
        e.branchTokens = PinyinReadings::decode(e.branch, row.textAt(12));
        e.digits = row.textAt(13).toLatin1();
        e.prepare();
        entries.append(std::move(e));
        return true;
    });
    if (!ok) {
        if (error)
            *error = db_.lastError();
        return false;
    }
    entries_ = std::move(entries);
    last_.reset();
    lastMatches_.clear();
    return true;
}

QList<QuickFinder::Hit> QuickFinder::find(const QString& typed, int limit, qsizetype* total,
                                          QString* error) {
    if (total)
        *total = 0;
    const Query query(typed);
    if (query.isEmpty() || !update(error))
        return {};
    const bool narrowing = last_ && last_->narrows(query);
    QList<Hit> hits;
    QList<qsizetype> matched;
    hits.reserve(narrowing ? lastMatches_.size() : entries_.size());
    matched.reserve(hits.capacity());
    auto consider = [&](qsizetype i) {
        if (auto m = match(entries_[i], query)) {
            hits.append({&entries_[i], *m});
            matched.append(i);
        }
    };
    if (narrowing) {
        for (qsizetype i : std::as_const(lastMatches_))
            consider(i);
    } else {
        for (qsizetype i = 0; i < entries_.size(); ++i)
            consider(i);
    }
    last_ = query;
    lastMatches_ = std::move(matched);
    if (total)
        *total = hits.size();
    const auto better = [](const Hit& a, const Hit& b) {
        if (a.match.tier != b.match.tier)
            return a.match.tier < b.match.tier;
        if (a.entry->sortKey != b.entry->sortKey)
            return a.entry->sortKey < b.entry->sortKey;
        if (a.entry->name != b.entry->name)
            return a.entry->name < b.entry->name;
        return a.entry->code < b.entry->code;
    };
    if (limit >= 0 && limit < hits.size()) {
        std::partial_sort(hits.begin(), hits.begin() + limit, hits.end(), better);
        hits.resize(limit);
    } else {
        std::sort(hits.begin(), hits.end(), better);
    }
    return hits;
}

} // namespace quickfind
