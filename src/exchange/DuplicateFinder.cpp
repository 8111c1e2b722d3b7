// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/DuplicateFinder.h"

#include "db/Database.h"
#include "exchange/DuplicateKeys.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace exchange {

namespace {

const QString kLiveContacts =
    QStringLiteral("select base_code,base_name,base_mobil,base_email,work_name,base_lastmodi_date "
                   "from base where base_invalid_flag=1 order by base_code");

bool readLive(Database& db, const std::function<void(const DuplicateMember&)>& each) {
    DuplicateMember m;
    return db.query(sql::Statement(kLiveContacts), [&](const Row& row) {
        m.code = row.numberAt(0, 0);
        m.name = row.textAt(1);
        m.mobile = row.textAt(2);
        m.email = row.textAt(3);
        m.unit = row.textAt(4);
        m.lastDate = row.textAt(5);
        each(m);
        return true;
    });
}

// Union-find over member positions.
class Sets {
  public:
    explicit Sets(qsizetype n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    qsizetype root(qsizetype i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    void join(qsizetype a, qsizetype b) {
        a = root(a);
        b = root(b);
        if (a != b)
            parent_[std::max(a, b)] = std::min(a, b);
    }

  private:
    std::vector<qsizetype> parent_;
};

} // namespace

QList<DuplicateGroup> DuplicateFinder::group(const QList<DuplicateMember>& members) {
    const qsizetype n = members.size();
    Sets sets(n);
    // For each key: the first member that had it, and whether a second came.
    struct Seen {
        qsizetype first;
        bool shared;
    };
    QHash<QString, Seen> mobiles, emails, nameUnits;
    mobiles.reserve(n);
    emails.reserve(n);
    auto note = [&](QHash<QString, Seen>& seen, const QString& key, qsizetype i) {
        if (key.isEmpty())
            return;
        auto it = seen.find(key);
        if (it == seen.end()) {
            seen.insert(key, {i, false});
        } else {
            it->shared = true;
            sets.join(it->first, i);
        }
    };
    for (qsizetype i = 0; i < n; ++i) {
        const DuplicateMember& m = members.at(i);
        note(mobiles, duplicates::mobileKey(m.mobile), i);
        note(emails, duplicates::emailKey(m.email), i);
        note(nameUnits, duplicates::nameUnitKey(m.name, m.unit), i);
    }
    QHash<qsizetype, qsizetype> groupOfRoot;
    QList<DuplicateGroup> groups;
    std::vector<qsizetype> sizes(n, 0);
    for (qsizetype i = 0; i < n; ++i)
        ++sizes[sets.root(i)];
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype r = sets.root(i);
        if (sizes[r] < 2)
            continue;
        auto it = groupOfRoot.find(r);
        if (it == groupOfRoot.end()) {
            it = groupOfRoot.insert(r, groups.size());
            groups.append(DuplicateGroup());
        }
        groups[*it].members.append(members.at(i));
    }
    auto reasons = [&](QHash<QString, Seen>& seen, const QString& what) {
        for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
            if (!it->shared)
                continue;
            const DuplicateMember& m = members.at(it->first);
            QString shown = what == u"同名同单位" ? m.name.trimmed() + u'/' + m.unit.trimmed()
                            : what == u"手机"     ? duplicates::mobileKey(m.mobile)
                                                  : m.email.trimmed();
            groups[groupOfRoot.value(sets.root(it->first))].reasons << what + u' ' + shown;
        }
    };
    reasons(mobiles, QStringLiteral("手机"));
    reasons(emails, QStringLiteral("邮件"));
    reasons(nameUnits, QStringLiteral("同名同单位"));
    for (DuplicateGroup& g : groups)
        g.reasons.sort();
    return groups;
}

bool DuplicateFinder::find(Database& db, QList<DuplicateGroup>* groups) {
    QList<DuplicateMember> members;
    if (!readLive(db, [&](const DuplicateMember& m) { members.append(m); }))
        return false;
    *groups = group(members);
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    std::stable_sort(
        groups->begin(), groups->end(), [&](const DuplicateGroup& a, const DuplicateGroup& b) {
            return collator.compare(a.members.first().name, b.members.first().name) < 0;
        });
    return true;
}

bool DuplicateIndex::load(Database& db) {
    return readLive(
        db, [&](const DuplicateMember& m) { add(m.code, m.name, m.mobile, m.email, m.unit); });
}

qint64 DuplicateIndex::match(const QString& name, const QString& mobile, const QString& email,
                             const QString& unit) const {
    if (const QString k = duplicates::mobileKey(mobile); !k.isEmpty() && mobiles_.contains(k))
        return mobiles_.value(k);
    if (const QString k = duplicates::emailKey(email); !k.isEmpty() && emails_.contains(k))
        return emails_.value(k);
    if (const QString k = duplicates::nameUnitKey(name, unit);
        !k.isEmpty() && nameUnits_.contains(k))
        return nameUnits_.value(k);
    return 0;
}

void DuplicateIndex::add(qint64 code, const QString& name, const QString& mobile,
                         const QString& email, const QString& unit) {
    // The first contact with a key keeps it: an incoming duplicate is matched
    // to the contact that was there before it.
    auto keep = [code](QHash<QString, qint64>& index, const QString& key) {
        if (!key.isEmpty() && !index.contains(key))
            index.insert(key, code);
    };
    keep(mobiles_, duplicates::mobileKey(mobile));
    keep(emails_, duplicates::emailKey(email));
    keep(nameUnits_, duplicates::nameUnitKey(name, unit));
    names_.insert(code, name);
}

} // namespace exchange
