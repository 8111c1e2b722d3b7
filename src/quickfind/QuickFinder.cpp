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
// Every contact's keys (the trashed ones too, so that a restore is a change
// like any other), the newest written after a given key number.
const QString kEntries = QStringLiteral(
    "select b.base_code,b.base_name,d.duty_name,b.work_name,b.work_branch_name,b.base_email,"
    "b.base_mobil,b.base_phone,b.work_phone,b.work_fax,"
    "k.findkey_name,k.findkey_unit,k.findkey_branch,k.findkey_digits,b.base_invalid_flag "
    "from base b inner join findkey k on k.findkey_base_code=b.base_code "
    "left join duty d on d.duty_code=b.work_duty_code where k.findkey_code>%ld");

Entry entryOf(const Row& row) {
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
    e.live = row.numberAt(14) == 1;
    e.prepare();
    return e;
}

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
    qint64 contacts = -1;
    qint64 keys = -1;
    qint64 newest = 0;
    if (!db_.queryQuietly(kStamp, [&](const Row& row) {
            contacts = row.numberAt(0);
            keys = row.numberAt(1);
            newest = row.numberAt(2, 0);
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
    if (keys == keyCount_ && newest == newestKey_)
        return true;
    last_.reset();
    lastMatches_.clear();
    // A save rewrites the keys of its contact under a new number: only the
    // rows written since are read. A contact gone for good leaves one key
    // fewer than those rows explain, and everything is read again.
    if (keyCount_ >= 0 && newest > newestKey_ && readSince(newestKey_, keys, error)) {
        keyCount_ = keys;
        newestKey_ = newest;
        return true;
    }
    if (!load(error))
        return false;
    keyCount_ = keys;
    newestKey_ = newest;
    return true;
}

bool QuickFinder::readSince(qint64 key, qint64 keys, QString* error) {
    QList<Entry> changed;
    if (!db_.queryQuietly(sql::format(kEntries, key), [&](const Row& row) {
            changed.append(entryOf(row));
            return true;
        })) {
        if (error)
            *error = db_.lastError();
        return false;
    }
    qint64 added = 0;
    for (const Entry& e : std::as_const(changed))
        added += where_.contains(e.code) ? 0 : 1;
    if (keyCount_ + added != keys)
        return false;
    for (Entry& e : changed) {
        const auto at = where_.constFind(e.code);
        if (at != where_.constEnd()) {
            entries_[*at] = std::move(e);
        } else {
            where_.insert(e.code, entries_.size());
            entries_.append(std::move(e));
        }
    }
    return true;
}

bool QuickFinder::load(QString* error) {
    QList<Entry> entries;
    QHash<qint64, qsizetype> where;
    const bool ok = db_.queryQuietly(sql::format(kEntries, 0), [&](const Row& row) {
        entries.append(entryOf(row));
        where.insert(entries.last().code, entries.size() - 1);
        return true;
    });
    if (!ok) {
        if (error)
            *error = db_.lastError();
        return false;
    }
    entries_ = std::move(entries);
    where_ = std::move(where);
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
        if (!entries_[i].live)
            return;
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
