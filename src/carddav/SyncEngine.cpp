// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/SyncEngine.h"

#include "carddav/CardDavClient.h"
#include "contacts/ContactFields.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Row.h"
#include "exchange/ContactMerger.h"
#include "exchange/DuplicateFinder.h"
#include "exchange/ImportCleaner.h"
#include "exchange/VCardMapper.h"
#include "exchange/VCardParser.h"
#include "exchange/VCardWriter.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QUuid>

namespace carddav {

namespace {

const QString kLive =
    QStringLiteral("select base_code, base_invalid_flag from base order by base_code");
const QString kToTrash =
    QStringLiteral("update base set base_invalid_flag=0 \t\t\t\twhere base_code=%ld");
const QString kExtensionPrefix = QStringLiteral("X-MAVOR-");

QString v(const ContactRecord& r, const char* column) {
    return r.value(QString::fromLatin1(column));
}

} // namespace

struct SyncEngine::Remote {
    QString href;
    QString etag;
    QByteArray data; // empty: fetched when taken
};

QString SyncReport::summary() const {
    QStringList parts;
    auto add = [&](const char* what, int n) {
        if (n > 0)
            parts << QStringLiteral("%1 %2").arg(QString::fromUtf8(what)).arg(n);
    };
    add("上传", uploaded);
    add("更新服务器", updatedRemote);
    add("删除服务器", deletedRemote);
    add("下载", downloaded);
    add("更新本地", updatedLocal);
    add("移入回收站", trashedLocal);
    add("配对", matched);
    add("待合并", conflicts);
    return parts.isEmpty() ? QStringLiteral("两边已经一致") : parts.join(QStringLiteral(", "));
}

SyncEngine::SyncEngine(Database& db, Prompter& prompter, const Session& session, const Clock& clock,
                       CardDavClient& client, const QUrl& book, const QString& user)
    : db_(db), prompter_(prompter), session_(session), clock_(clock), client_(client), book_(book),
      user_(user), state_(db) {}

SyncEngine::~SyncEngine() = default;

QString SyncEngine::digest(const ContactRecord& record) {
    return QString::fromLatin1(
        QCryptographicHash::hash(exchange::VCardWriter::card(record), QCryptographicHash::Sha1)
            .toHex());
}

QByteArray SyncEngine::cardOf(const ContactRecord& record, const QString& uid) {
    QByteArray card = exchange::VCardWriter::card(record);
    const qsizetype end = card.lastIndexOf("END:VCARD");
    card.insert(end, "UID:" + uid.toUtf8() + "\r\n");
    return card;
}

std::optional<ContactRecord> SyncEngine::read(const QByteArray& data, QString* uid,
                                              QString* why) const {
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    exchange::VCardParser parser(buffer);
    exchange::VCardCard card;
    if (!parser.next(card)) {
        *why = parser.error().isEmpty() ? QStringLiteral("不是名片") : parser.error();
        return std::nullopt;
    }
    if (!card.problem.isEmpty()) {
        *why = card.problem;
        return std::nullopt;
    }
    if (const exchange::VCardProperty* p = card.first(QStringLiteral("UID")))
        *uid = p->value.trimmed();
    const exchange::VCardMapper mapper(
        [this](const QString& name) { return cleaner_->isRelation(name); });
    exchange::IncomingContact incoming = mapper.map(card);
    cleaner_->clean(incoming);
    if (!incoming.refusal.isEmpty()) {
        *why = incoming.refusal;
        return std::nullopt;
    }
    return incoming.record;
}

ContactRecord SyncEngine::applyRemote(const ContactRecord& local, const ContactRecord& remote,
                                      const QByteArray& card) {
    ContactRecord out = remote;
    if (card.contains("\n" + kExtensionPrefix.toLatin1()))
        return out;
    // The card lost every extension on its way: keep what only they carry.
    const QByteArray ours = exchange::VCardWriter::card(local);
    for (const FieldSpec& field : contactFields()) {
        for (const QString& column : field.columns()) {
            const QByteArray name = exchange::VCardMapper::extensionName(column).toLatin1();
            if (ours.contains("\n" + name + ":"))
                out.setValue(column, local.value(column));
        }
    }
    return out;
}

bool SyncEngine::fail(const QString& why) {
    if (db_.inTransaction())
        db_.rollback();
    report_.error = why;
    return false;
}

bool SyncEngine::step(const Progress& progress, const QString& what, int done, int total) {
    if (progress && !progress(what, done, total)) {
        report_.cancelled = true;
        return false;
    }
    return true;
}

bool SyncEngine::loadLocal() {
    live_.clear();
    listNames_.clear();
    liveCodes_.clear();
    liveDigest_.clear();
    trashed_.clear();
    if (!db_.queryQuietly(sql::Statement(kLive), [&](const Row& row) {
            if (row.numberAt(1) == 0)
                trashed_.insert(row.numberAt(0));
            else
                liveCodes_.insert(row.numberAt(0));
            return true;
        }))
        return fail(QStringLiteral("读取人脉失败: %1").arg(db_.lastError()));
    if (!readStamps({}, &stamps_))
        return fail(QStringLiteral("读取人脉失败: %1").arg(db_.lastError()));
    for (qint64 code : std::as_const(liveCodes_)) {
        // A contact whose rows are as they were at the last sync is not read.
        const auto known = state_.cards().constFind(code);
        if (known != state_.cards().constEnd() && !known->stamp.isEmpty() &&
            known->stamp == stamps_.value(code)) {
            liveDigest_.insert(code, known->digest);
            continue;
        }
        const ContactRecord& r = record(code);
        if (report_.error.size())
            return false;
        liveDigest_.insert(code, digest(r));
    }
    return true;
}

ContactRecord SyncEngine::record(qint64 code) {
    const auto it = live_.constFind(code);
    if (it != live_.constEnd())
        return *it;
    const ContactLoad loaded = ContactStore(db_, prompter_).load(code, 1, false);
    if (!loaded.complete) {
        fail(QStringLiteral("读取人脉失败: %1").arg(db_.lastError()));
        return {};
    }
    live_.insert(code, loaded.record);
    return loaded.record;
}

void SyncEngine::remember(qint64 code, const ContactRecord& stored) {
    live_.insert(code, stored);
    liveCodes_.insert(code);
    liveDigest_.insert(code, digest(stored));
}

bool SyncEngine::saveWritten(QList<CardState>* written, QList<CardState>* unstamped) {
    QList<qint64> codes;
    for (const CardState& c : std::as_const(*written))
        codes << c.code;
    QHash<qint64, QString> fresh;
    if (!codes.isEmpty() && !readStamps(codes, &fresh))
        return false;
    for (CardState& c : *written) {
        c.stamp = fresh.value(c.code);
        stamps_.insert(c.code, c.stamp);
    }
    if (!state_.saveAll(*written + *unstamped))
        return false;
    written->clear();
    unstamped->clear();
    return true;
}

bool SyncEngine::readStamps(const QList<qint64>& only, QHash<qint64, QString>* out) {
    static const QList<QPair<QString, QString>> kTables = {
        {QStringLiteral("base"), QStringLiteral("base_code")},
        {QStringLiteral("extend"), QStringLiteral("extend_base_code")},
        {QStringLiteral("home"), QStringLiteral("home_base_code")},
        {QStringLiteral("society"), QStringLiteral("society_base_code")}};
    // A code stands for the name its list gives it now: a renamed entry
    // changes the stamp of every contact that shows it.
    if (listNames_.isEmpty()) {
        QHash<QString, QHash<qint64, QString>> lists;
        for (const QString& nameColumn : ContactStore::shownNames()) {
            const QString list = nameColumn.chopped(5); // "sort_name": sort
            if (lists.contains(list))
                continue;
            QHash<qint64, QString>& names = lists[list];
            // Program-built from the fixed list of code columns.
            if (!db_.queryQuietly(
                    sql::Statement(QStringLiteral("select %1_code, %1_name from %1").arg(list)),
                    [&](const Row& row) {
                        names.insert(row.numberAt(0), row.textAt(1));
                        return true;
                    }))
                return false;
        }
        const QHash<QString, QString>& shown = ContactStore::shownNames();
        for (auto it = shown.cbegin(); it != shown.cend(); ++it)
            listNames_.insert(it.key(), lists.value(it.value().chopped(5)));
    }
    // Every contact in one pass per table, or the ones asked for, 500 to a statement.
    QList<QStringList> groups;
    for (qsizetype from = 0; from < only.size(); from += 500) {
        QStringList numbers;
        for (qint64 code : only.mid(from, 500))
            numbers << QString::number(code);
        groups << numbers;
    }
    if (only.isEmpty())
        groups << QStringList();
    QHash<qint64, QByteArray> raw;
    for (const QStringList& group : std::as_const(groups))
        for (const auto& [table, key] : kTables) {
            QString text = QStringLiteral("select * from %1").arg(table);
            // Program-built from the codes, whole numbers only.
            if (!group.isEmpty())
                text += QStringLiteral(" where %1 in (%2)").arg(key, group.join(u','));
            const sql::Statement statement(text);
            int keyAt = -1;
            QList<QPair<int, const QHash<qint64, QString>*>> coded;
            if (!db_.queryQuietly(statement, [&](const Row& row) {
                    if (keyAt < 0) {
                        keyAt = row.indexOf(key);
                        for (auto it = listNames_.cbegin(); it != listNames_.cend(); ++it) {
                            if (const int at = row.indexOf(it.key()); at >= 0)
                                coded.append({at, &it.value()});
                        }
                    }
                    QByteArray& bytes = raw[row.numberAt(keyAt)];
                    bytes += table.toLatin1();
                    for (int i = 0; i < row.columnCount(); ++i)
                        bytes += row.textAt(i).toUtf8() + '\x1f';
                    for (const auto& [at, names] : coded)
                        bytes += names->value(row.numberAt(at)).toUtf8() + '\x1f';
                    return true;
                }))
                return false;
        }
    for (auto it = raw.cbegin(); it != raw.cend(); ++it)
        out->insert(it.key(), QString::fromLatin1(
                                  QCryptographicHash::hash(*it, QCryptographicHash::Sha1).toHex()));
    return true;
}

bool SyncEngine::listRemote(QList<Remote>* changed, QStringList* removed, QString* newToken,
                            bool* full) {
    Changes changes;
    bool invalid = false;
    *full = state_.token().isEmpty();
    if (client_.changesSince(book_, state_.token(), &changes, &invalid)) {
        *newToken = changes.token;
        for (const RemoteCard& c : changes.changed)
            changed->append({c.href, c.etag, {}});
        *removed = changes.removed;
    } else {
        if (client_.lastStatus() == 0 || client_.lastStatus() == 401)
            return fail(client_.error());
        // No token offered or the old one forgotten: the whole listing.
        *full = true;
        newToken->clear();
        QList<RemoteCard> all;
        if (!client_.list(book_, &all))
            return fail(client_.error());
        for (const RemoteCard& c : all)
            changed->append({c.href, c.etag, {}});
    }
    if (*full) {
        QSet<QString> present;
        for (const Remote& r : *changed)
            present.insert(r.href);
        removed->clear();
        for (const CardState& c : state_.cards()) {
            // An upload never confirmed is not a card deleted there.
            if (!c.etag.isEmpty() && !present.contains(c.href))
                removed->append(c.href);
        }
    }
    // Cards at the version last seen changed nowhere.
    QList<Remote> out;
    for (const Remote& r : *changed) {
        const CardState* known = state_.byHref(r.href);
        if (!known || known->etag != r.etag)
            out << r;
    }
    *changed = out;
    if (*full && changed->size() > 100) {
        // Most of the book is wanted: all its cards in one answer, where a
        // multiget per hundred would follow (and a server that finds each card
        // of a multiget by going through the book pays that per card). A card
        // changed since the listing comes at its newer version; one the answer
        // lacks, or a book too large for one answer, goes by multiget.
        QList<RemoteCard> all;
        if (!client_.fetchAll(book_, &all) && client_.lastStatus() == 401)
            return fail(client_.error());
        QHash<QString, qsizetype> at;
        for (qsizetype i = 0; i < changed->size(); ++i)
            at.insert(client_.resolve(changed->at(i).href).path(), i);
        for (const RemoteCard& card : std::as_const(all)) {
            const auto it = at.constFind(client_.resolve(card.href).path());
            if (it == at.constEnd())
                continue;
            Remote& r = (*changed)[*it];
            r.data = card.data;
            if (!card.etag.isEmpty())
                r.etag = card.etag;
        }
    }
    return true;
}

bool SyncEngine::storeNew(ContactStore& store, const ContactRecord& record, const QString& uid,
                          const QString& href, const QString& etag, QList<CardState>* written) {
    const qint64 code = store.writeNew(record, session_, clock_);
    if (code <= 0)
        return false;
    const ContactLoad stored = store.load(code, 1, false);
    CardState c;
    c.code = code;
    c.uid = uid;
    c.href = href;
    c.etag = etag;
    remember(code, stored.record);
    c.digest = liveDigest_.value(code);
    ++report_.downloaded;
    written->append(c);
    return true;
}

bool SyncEngine::takeRemote(const QList<Remote>& changed, const Confirm& confirm,
                            const Progress& progress) {
    // The contacts here no card stands for, for matching new cards.
    exchange::DuplicateIndex unlinked;
    for (qint64 code : std::as_const(liveCodes_)) {
        if (state_.cards().contains(code))
            continue;
        const ContactRecord r = record(code);
        unlinked.add(code, v(r, "base_name"), v(r, "base_mobil"), v(r, "base_email"),
                     v(r, "work_name"));
    }
    struct Pending {
        QString href, etag, uid;
        QByteArray data;
        ContactRecord record;
        qint64 match = 0;
    };
    QList<Pending> fresh;
    ContactStore store(db_, prompter_);
    // The reference tables stand still while the sync holds the window.
    store.rememberCodes();
    constexpr int kBatch = 100;
    for (qsizetype from = 0; from < changed.size(); from += kBatch) {
        if (!step(progress, QStringLiteral("正在下载服务器上的变化"), int(from),
                  int(changed.size())))
            return false;
        QStringList hrefs;
        QHash<QString, QString> listedEtags;
        QList<RemoteCard> cards;
        for (const Remote& r : changed.mid(from, kBatch)) {
            if (!r.data.isEmpty()) {
                cards << RemoteCard{r.href, r.etag, r.data};
                continue;
            }
            hrefs << r.href;
            listedEtags.insert(r.href, r.etag);
        }
        QList<RemoteCard> fetched;
        if (!hrefs.isEmpty() && !client_.fetch(book_, hrefs, &fetched))
            return fail(client_.error());
        cards += fetched;
        if (!db_.beginQuietly())
            return fail(db_.lastError());
        // The states of the batch, stored with it.
        QList<CardState> written, unstamped;
        for (const RemoteCard& card : cards) {
            const QString etag = card.etag.isEmpty() ? listedEtags.value(card.href) : card.etag;
            QString uid, why;
            const std::optional<ContactRecord> remote = read(card.data, &uid, &why);
            if (!remote) {
                report_.notes << QStringLiteral("%1: %2").arg(card.href, why);
                continue;
            }
            const CardState* known = state_.byHref(card.href);
            if (!known) {
                Pending p{card.href, etag, uid, card.data, *remote, 0};
                p.match = unlinked.match(v(*remote, "base_name"), v(*remote, "base_mobil"),
                                         v(*remote, "base_email"), v(*remote, "work_name"));
                fresh << p;
                continue;
            }
            CardState c = *known;
            if (trashed_.contains(c.code)) {
                deferred_ = true; // taken once the contact is restored
                continue;
            }
            if (!liveCodes_.contains(c.code)) {
                // Deleted here for good while changed there: the change wins.
                if (!state_.forget(c.code))
                    return fail(db_.lastError());
                Pending p{card.href, etag, uid, card.data, *remote, 0};
                fresh << p;
                continue;
            }
            if (c.etag.isEmpty()) {
                // Our own upload, cut before it was confirmed: only its tag is new.
                c.etag = etag;
                unstamped << c;
                continue;
            }
            const ContactRecord local = record(c.code);
            const ContactRecord merged = applyRemote(local, *remote, card.data);
            const bool localChanged = liveDigest_.value(c.code) != c.digest;
            if (localChanged && digest(merged) != liveDigest_.value(c.code)) {
                // Both sides changed: nothing is overwritten, the merge decides.
                c.remote = card.data;
                c.remoteEtag = etag;
                ++report_.conflicts;
                deferred_ = true;
            } else {
                if (digest(merged) != liveDigest_.value(c.code)) {
                    if (!store.writeChanges(c.code, merged))
                        return fail(db_.lastError());
                    ++report_.updatedLocal;
                }
                const ContactLoad stored = store.load(c.code, 1, false);
                c.etag = etag;
                remember(c.code, stored.record);
                c.digest = liveDigest_.value(c.code);
                c.remote.clear();
                c.remoteEtag.clear();
                written << c;
                continue;
            }
            unstamped << c;
        }
        if (!saveWritten(&written, &unstamped))
            return fail(state_.error());
        if (!db_.commit())
            return fail(db_.lastError());
    }

    // New cards that look like contacts here wait for the person's word.
    QList<ProposedMatch> proposals;
    QList<int> proposalOf;
    for (int i = 0; i < fresh.size(); ++i) {
        if (fresh[i].match > 0) {
            proposals << ProposedMatch{fresh[i].match, v(record(fresh[i].match), "base_name"),
                                       v(fresh[i].record, "base_name"), fresh[i].href};
            proposalOf << i;
        }
    }
    QList<bool> joined;
    if (!proposals.isEmpty() && confirm) {
        joined = confirm(proposals);
        if (joined.size() != proposals.size()) {
            report_.cancelled = true;
            return false;
        }
    }
    QSet<qint64> taken;
    for (int k = 0; k < proposals.size(); ++k) {
        Pending& p = fresh[proposalOf[k]];
        if (!joined.value(k) || taken.contains(p.match))
            p.match = 0;
        else
            taken.insert(p.match);
    }
    if (!db_.beginQuietly())
        return fail(db_.lastError());
    int done = 0;
    QList<CardState> written, unstamped;
    for (const Pending& p : fresh) {
        if (++done % 200 == 0) {
            if (!saveWritten(&written, &unstamped))
                return fail(state_.error());
            if (!db_.commit())
                return fail(db_.lastError());
            if (!step(progress, QStringLiteral("正在保存新的人脉"), done, int(fresh.size())))
                return false;
            if (!db_.beginQuietly())
                return fail(db_.lastError());
        }
        const QString uid =
            p.uid.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : p.uid;
        if (p.match == 0) {
            if (!storeNew(store, p.record, uid, p.href, p.etag, &written))
                return fail(db_.lastError());
            continue;
        }
        // Joined: the contact here keeps its values and takes the card's for
        // its empty fields; the result goes back at once.
        const ContactRecord local = record(p.match);
        const ContactRecord joinedRecord = exchange::ContactMerger::fillEmpty(local, p.record);
        if (!store.writeChanges(p.match, joinedRecord))
            return fail(db_.lastError());
        const ContactLoad stored = store.load(p.match, 1, false);
        CardState c;
        c.code = p.match;
        c.uid = uid;
        c.href = p.href;
        c.etag = p.etag;
        remember(p.match, stored.record);
        // Differs from any digest, and the rows are read again: sent below,
        // or by the next sync after a cut.
        c.digest = QStringLiteral("joined");
        unstamped << c;
        ++report_.matched;
    }
    if (!saveWritten(&written, &unstamped))
        return fail(state_.error());
    if (!db_.commit())
        return fail(db_.lastError());
    return true;
}

bool SyncEngine::takeRemovals(const QStringList& removed) {
    if (!db_.beginQuietly())
        return fail(db_.lastError());
    QList<qint64> forgotten;
    for (const QString& href : removed) {
        const CardState* known = state_.byHref(href);
        if (!known)
            continue;
        const qint64 code = known->code;
        // A contact changed here since outlives its card: it goes back as new.
        if (liveCodes_.contains(code) && liveDigest_.value(code) == known->digest) {
            if (!db_.executeQuietly(sql::format(kToTrash, code)))
                return fail(db_.lastError());
            liveCodes_.remove(code);
            trashed_.insert(code);
            ++report_.trashedLocal;
        }
        forgotten << code;
    }
    if (!state_.forgetAll(forgotten))
        return fail(db_.lastError());
    return db_.commit() || fail(db_.lastError());
}

bool SyncEngine::sendLocal(const Progress& progress) {
    // Emptied from the trash here: deleted there.
    QList<CardState> gone, changed, unconfirmed;
    for (const CardState& c : state_.cards()) {
        if (!liveCodes_.contains(c.code) && !trashed_.contains(c.code))
            gone << c;
        else if (liveCodes_.contains(c.code) && c.remote.isEmpty() && c.etag.isEmpty())
            unconfirmed << c;
        else if (liveCodes_.contains(c.code) && c.remote.isEmpty() &&
                 liveDigest_.value(c.code) != c.digest)
            changed << c;
    }
    QList<qint64> fresh;
    for (qint64 code : std::as_const(liveCodes_)) {
        if (!state_.cards().contains(code))
            fresh << code;
    }
    std::sort(fresh.begin(), fresh.end());
    const int total = int(gone.size() + changed.size() + unconfirmed.size() + fresh.size());
    // What the server confirmed is stored a hundred cards at a time, and
    // whenever the sending stops. A cut loses at most those: the next sync
    // sends them again, and a server that has them already refuses the
    // upload (the card is read back) or the update (its own version is ours).
    QList<CardState> confirmed;
    QList<qint64> forgotten;
    auto store = [&](bool now) {
        if (!now && confirmed.size() + forgotten.size() < 100)
            return true;
        const bool own = !db_.inTransaction();
        if ((own && !db_.beginQuietly()) || !state_.forgetAll(forgotten) ||
            !state_.saveAll(confirmed) || (own && !db_.commit())) {
            if (db_.inTransaction())
                db_.rollback();
            report_.error = QStringLiteral("保存同步记录失败: %1").arg(state_.error());
            return false;
        }
        confirmed.clear();
        forgotten.clear();
        return true;
    };
    // An upload a cut left unconfirmed is sent again; if it had arrived, the
    // server refuses the second one and the card there is ours.
    auto upload = [&](CardState c) {
        QString etag;
        if (client_.put(c.href, cardOf(record(c.code), c.uid), {}, &etag)) {
            c.etag = etag;
        } else if (client_.conflict()) {
            QList<RemoteCard> there;
            if (!client_.fetch(book_, {c.href}, &there) || there.isEmpty())
                return fail(client_.error());
            c.etag = there.first().etag;
        } else {
            return fail(client_.error());
        }
        // A server that gives no tag on PUT: the next sync reads the card back.
        if (c.etag.isEmpty())
            deferred_ = true;
        c.stamp = stamps_.value(c.code);
        confirmed << c;
        return store(false);
    };
    auto send = [&]() {
        int done = 0;
        for (const CardState& c : gone) {
            if (!step(progress, QStringLiteral("正在删除服务器上的名片"), done++, total))
                return false;
            if (client_.remove(c.href, c.etag)) {
                ++report_.deletedRemote;
            } else {
                if (!client_.conflict())
                    return fail(client_.error());
                // Changed there meanwhile: the card stays and comes back here.
                deferred_ = true;
            }
            forgotten << c.code;
            if (!store(false))
                return false;
        }
        for (CardState c : changed) {
            if (!step(progress, QStringLiteral("正在更新服务器上的名片"), done++, total))
                return false;
            QString etag;
            if (!client_.put(c.href, cardOf(record(c.code), c.uid), c.etag, &etag)) {
                if (!client_.conflict())
                    return fail(client_.error());
                deferred_ = true; // changed there meanwhile: the next sync sees both
                continue;
            }
            c.etag = etag;
            c.digest = liveDigest_.value(c.code);
            c.stamp = stamps_.value(c.code);
            confirmed << c;
            if (!store(false))
                return false;
            ++report_.updatedRemote;
        }
        for (const CardState& c : unconfirmed) {
            if (!step(progress, QStringLiteral("正在上传人脉"), done++, total))
                return false;
            if (!upload(c))
                return false;
        }
        // The new cards are written down before any is sent: a cut in
        // between leaves unconfirmed uploads, not second cards.
        QList<CardState> announced;
        for (qint64 code : fresh) {
            CardState c;
            c.code = code;
            c.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            c.href = book_.path() + c.uid + QStringLiteral(".vcf");
            c.digest = liveDigest_.value(code);
            announced << c;
        }
        if (!state_.saveAll(announced))
            return fail(QStringLiteral("保存同步记录失败: %1").arg(state_.error()));
        for (const CardState& c : std::as_const(announced)) {
            if (!step(progress, QStringLiteral("正在上传人脉"), done++, total))
                return false;
            if (!upload(c))
                return false;
            ++report_.uploaded;
        }
        return true;
    };
    const bool sent = send();
    return store(true) && sent;
}

SyncReport SyncEngine::run(const Confirm& confirm, const Progress& progress) {
    report_ = SyncReport();
    deferred_ = false;
    const int before = client_.requests();
    auto finish = [&]() {
        report_.requests = client_.requests() - before;
        return report_;
    };
    cleaner_ = std::make_unique<exchange::ImportCleaner>(db_);
    if (!cleaner_->isReady()) {
        fail(QStringLiteral("参考表读取失败: %1").arg(db_.lastError()));
        return finish();
    }
    if (!state_.load(book_, user_)) {
        fail(QStringLiteral("读取同步记录失败: %1").arg(db_.lastError()));
        return finish();
    }
    if (!step(progress, QStringLiteral("正在读取本地人脉"), 0, 0) || !loadLocal())
        return finish();
    QList<Remote> changed;
    QStringList removed;
    QString token;
    bool full = false;
    if (!step(progress, QStringLiteral("正在询问服务器"), 0, 0) ||
        !listRemote(&changed, &removed, &token, &full) || !takeRemote(changed, confirm, progress) ||
        !takeRemovals(removed) || !sendLocal(progress))
        return finish();
    if (!deferred_ && !token.isEmpty()) {
        // Our own uploads come back as changes since this token, at the version known.
        if (!state_.saveToken(token))
            fail(db_.lastError());
    }
    step(progress, QStringLiteral("同步完成"), 1, 1);
    report_.cancelled = false;
    return finish();
}

QList<SyncConflict> SyncEngine::conflicts() {
    QList<SyncConflict> out;
    cleaner_ = std::make_unique<exchange::ImportCleaner>(db_);
    if (!state_.load(book_, user_))
        return out;
    ContactStore store(db_, prompter_);
    for (const CardState& c : state_.cards()) {
        if (c.remote.isEmpty())
            continue;
        QString uid, why;
        const std::optional<ContactRecord> remote = read(c.remote, &uid, &why);
        const ContactLoad local = store.load(c.code, 1, false);
        if (!remote || !local.complete)
            continue;
        out << SyncConflict{c.code, local.record, applyRemote(local.record, *remote, c.remote)};
    }
    return out;
}

bool SyncEngine::resolve(qint64 code, const ContactRecord& record) {
    if (!state_.load(book_, user_) || !state_.cards().contains(code))
        return false;
    CardState c = state_.cards().value(code);
    ContactStore store(db_, prompter_);
    if (!db_.beginQuietly())
        return false;
    if (!store.writeChanges(code, record))
        return fail(db_.lastError());
    c.etag = c.remoteEtag;
    c.digest = QStringLiteral("merged"); // sent at the next sync, over the merged version
    c.stamp.clear();
    c.remote.clear();
    c.remoteEtag.clear();
    if (!state_.save(c))
        return fail(db_.lastError());
    return db_.commit();
}

} // namespace carddav
