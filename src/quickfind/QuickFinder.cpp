// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/QuickFinder.h"

#include "db/Database.h"
#include "quickfind/FindKeys.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <limits>

#include <sqlite3.h>

namespace quickfind {

namespace {

const sql::Statement kStamp("select (select count(*) from base),(select count(*) from findkey),"
                            "(select max(findkey_code) from findkey)");
const sql::Statement kSnapshot("select cast(pg_current_snapshot() as text)");
// Every contact's keys (the trashed ones too, so that a restore is a change
// like any other), the newest written after a given key number.
const QString kEntries = QStringLiteral(
    "select b.base_code,b.base_name,d.duty_name,b.work_name,b.work_branch_name,b.base_email,"
    "b.base_mobil,b.base_phone,b.work_phone,b.work_fax,"
    "k.findkey_name,k.findkey_unit,k.findkey_branch,k.findkey_digits,b.base_invalid_flag "
    "from base b inner join findkey k on k.findkey_base_code=b.base_code "
    "left join duty d on d.duty_code=b.work_duty_code where k.findkey_code>%ld");

// Contacts with the same unit and department, read the same way, are one unit group.
QString groupKeyOf(const Row& row) {
    return row.textAt(3) + u'\x1f' + row.textAt(4) + u'\x1f' + row.textAt(11) + u'\x1f' +
           row.textAt(12);
}

// The order of equal matches.
bool before(const Entry& a, const Entry& b) {
    if (a.sortKey != b.sortKey)
        return a.sortKey < b.sortKey;
    if (a.name != b.name)
        return a.name < b.name;
    return a.code < b.code;
}

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

void QuickFinder::rebind(Database& db) {
    db_ = &db;
    // What the other connection saw of the file says nothing of this one's:
    // the next search counts the keys once.
    fileSeen_.clear();
    serverSeen_.clear();
    last_.reset();
    lastMatches_.clear();
}

bool QuickFinder::update(QString* error) {
    // A file says by itself whether anyone wrote to it since: another
    // connection's commit changes its data version, this one's its count of
    // changes. Only then are the keys counted.
    if (sqlite3* file = db_->fileHandle()) {
        qint64 version = -1;
        db_->queryQuietly("PRAGMA data_version", [&](const Row& row) {
            version = row.numberAt(0);
            return false;
        });
        const QString seen =
            QStringLiteral("%1 %2").arg(version).arg(sqlite3_total_changes64(file));
        if (version >= 0 && seen == fileSeen_ && !entries_.isEmpty())
            return true;
        fileSeen_ = seen;
    } else {
        // A server: counting the rows costs a scan of each table. Its
        // snapshot (the transactions that wrote, done or under way) stays
        // the same while nobody writes anywhere on it; only then is the count
        // left out, so someone typing pays one short look per key.
        QString snapshot;
        db_->queryQuietly(kSnapshot, [&](const Row& row) {
            snapshot = row.textAt(0);
            return false;
        });
        if (!snapshot.isEmpty() && snapshot == serverSeen_ && !entries_.isEmpty())
            return true;
        serverSeen_ = snapshot;
    }
    qint64 contacts = -1;
    qint64 keys = -1;
    qint64 newest = 0;
    if (!db_->queryQuietly(kStamp, [&](const Row& row) {
            contacts = row.numberAt(0);
            keys = row.numberAt(1);
            newest = row.numberAt(2, 0);
            return false;
        })) {
        if (error)
            *error = db_->lastError();
        return false;
    }
    if (contacts != keys) {
        if (findkeys::fillMissing(*db_, readings_, error) < 0)
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

int QuickFinder::groupOf(const QString& key) {
    const auto at = groups_.constFind(key);
    if (at != groups_.constEnd())
        return *at;
    const int group = int(groups_.size());
    groups_.insert(key, group);
    groupMatch_.emplace_back();
    groupStamp_.push_back(0);
    return group;
}

bool QuickFinder::readSince(qint64 key, qint64 keys, QString* error) {
    QList<Entry> changed;
    QStringList groupKeys;
    if (!db_->queryQuietly(sql::format(kEntries, key), [&](const Row& row) {
            changed.append(entryOf(row));
            groupKeys.append(groupKeyOf(row));
            return true;
        })) {
        if (error)
            *error = db_->lastError();
        return false;
    }
    qint64 added = 0;
    for (const Entry& e : std::as_const(changed))
        added += where_.contains(e.code) ? 0 : 1;
    if (keyCount_ + added != keys)
        return false;
    QList<qsizetype> places;
    for (qsizetype i = 0; i < changed.size(); ++i) {
        Entry& e = changed[i];
        const int group = groupOf(groupKeys.at(i));
        const auto at = where_.constFind(e.code);
        qsizetype place = 0;
        if (at != where_.constEnd()) {
            place = *at;
            entries_[place] = std::move(e);
        } else {
            place = entries_.size();
            where_.insert(e.code, place);
            entries_.append(std::move(e));
            group_.push_back(0);
        }
        group_[std::size_t(place)] = group;
        places.append(place);
    }
    reorder(places);
    return true;
}

bool QuickFinder::load(QString* error) {
    QList<Entry> entries;
    QHash<qint64, qsizetype> where;
    std::vector<int> group;
    groups_.clear();
    groupMatch_.clear();
    groupStamp_.clear();
    const bool ok = db_->queryQuietly(sql::format(kEntries, 0), [&](const Row& row) {
        entries.append(entryOf(row));
        where.insert(entries.last().code, entries.size() - 1);
        group.push_back(groupOf(groupKeyOf(row)));
        return true;
    });
    if (!ok) {
        if (error)
            *error = db_->lastError();
        return false;
    }
    entries_ = std::move(entries);
    where_ = std::move(where);
    group_ = std::move(group);
    reorder();
    return true;
}

void QuickFinder::reorder() {
    order_.clear();
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].live)
            order_.push_back(i);
    }
    std::sort(order_.begin(), order_.end(),
              [this](qsizetype a, qsizetype b) { return before(entries_[a], entries_[b]); });
    ranked();
}

void QuickFinder::reorder(const QList<qsizetype>& changed) {
    // A few saves move their entries; many, and everything is sorted again.
    if (changed.size() > 256) {
        reorder();
        return;
    }
    const QSet<qsizetype> moved(changed.begin(), changed.end());
    std::erase_if(order_, [&moved](qsizetype i) { return moved.contains(i); });
    for (qsizetype i : moved) {
        if (!entries_[i].live)
            continue;
        const auto at =
            std::lower_bound(order_.begin(), order_.end(), i, [this](qsizetype a, qsizetype b) {
                return before(entries_[a], entries_[b]);
            });
        order_.insert(at, i);
    }
    ranked();
}

void QuickFinder::ranked() {
    rank_.assign(std::size_t(entries_.size()), -1);
    for (std::size_t k = 0; k < order_.size(); ++k)
        rank_[std::size_t(order_[k])] = qint32(k);
    present_.resize(std::size_t(entries_.size()));
    for (qsizetype i = 0; i < entries_.size(); ++i)
        present_[std::size_t(i)] = entries_[i].present;
}

QList<QuickFinder::Hit> QuickFinder::find(const QString& typed, int limit, qsizetype* total,
                                          QString* error) {
    if (total)
        *total = 0;
    const Query query(typed);
    if (query.isEmpty() || !update(error))
        return {};
    const bool narrowing = last_ && last_->narrows(query);
    // Each tier keeps its best limit (by rank, the order of equal matches)
    // in a heap whose top is the worst kept; the rest are only counted.
    constexpr int kTiers = int(Tier::Email) + 1;
    struct Kept {
        qint32 rank;
        qsizetype entry;
        Match match;
        bool operator<(const Kept& other) const { return rank < other.rank; }
    };
    std::array<std::vector<Kept>, kTiers> tiers;
    const std::size_t keep = limit < 0 ? std::numeric_limits<std::size_t>::max() : limit;
    std::vector<qsizetype> matched;
    matched.reserve(narrowing ? lastMatches_.size() : std::size_t(entries_.size()) / 4);
    if (++search_ == 0) {
        std::fill(groupStamp_.begin(), groupStamp_.end(), 0);
        search_ = 1;
    }
    auto consider = [&](qsizetype i) {
        const qint32 rank = rank_[std::size_t(i)];
        if (rank < 0 || !query.admits(present_[std::size_t(i)]))
            return;
        const Entry& e = entries_[i];
        std::optional<Match> m = matchName(e, query);
        if (!m) {
            const auto group = std::size_t(group_[std::size_t(i)]);
            if (groupStamp_[group] != search_) {
                groupMatch_[group] = matchUnit(e, query);
                groupStamp_[group] = search_;
            }
            m = groupMatch_[group];
        }
        if (!m)
            m = matchOther(e, query);
        if (!m)
            return;
        matched.push_back(i);
        std::vector<Kept>& tier = tiers[std::size_t(m->tier)];
        if (tier.size() < keep) {
            tier.push_back({rank, i, *m});
            if (limit >= 0)
                std::push_heap(tier.begin(), tier.end());
        } else if (keep > 0 && rank < tier.front().rank) {
            std::pop_heap(tier.begin(), tier.end());
            tier.back() = {rank, i, *m};
            std::push_heap(tier.begin(), tier.end());
        }
    };
    if (narrowing) {
        for (qsizetype i : lastMatches_)
            consider(i);
    } else {
        for (qsizetype i = 0; i < entries_.size(); ++i)
            consider(i);
    }
    last_ = query;
    if (total)
        *total = qsizetype(matched.size());
    lastMatches_ = std::move(matched);
    QList<Hit> hits;
    for (std::vector<Kept>& tier : tiers) {
        std::sort(tier.begin(), tier.end());
        for (const Kept& k : tier) {
            if (std::size_t(hits.size()) == keep)
                return hits;
            hits.append({&entries_[k.entry], k.match});
        }
    }
    return hits;
}

} // namespace quickfind
