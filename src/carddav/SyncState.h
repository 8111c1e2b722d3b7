// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

class Database;

namespace carddav {

// What the last sync left of one contact's card (table davcard).
struct CardState {
    qint64 code = 0;
    QString uid;
    QString href;
    QString etag;      // empty: an upload was started and not yet confirmed
    QString digest;    // of the contact as stored after the last sync
    QString stamp;     // of its rows then (SyncEngine::readStamps)
    QByteArray remote; // the server's version when both sides changed, to be merged
    QString remoteEtag;
};

// The table of cards and the book's row. Each write stands alone (or in the
// caller's transaction), so a sync cut anywhere leaves a state the next one
// continues from.
class SyncState {
  public:
    explicit SyncState(Database& db) : db_(db) {}

    // Reads the book's token and every card; a book other than the one last
    // synced starts afresh (its cards forgotten). False on a database failure.
    bool load(const QUrl& book, const QString& user);
    QString token() const { return token_; }
    bool saveToken(const QString& token);

    const QHash<qint64, CardState>& cards() const { return cards_; }
    const CardState* byHref(const QString& href) const;
    bool save(const CardState& card);
    bool forget(qint64 code);
    // Many at once: one delete and a few inserts for them all, in the
    // caller's transaction or in one of their own.
    bool saveAll(const QList<CardState>& cards);
    bool forgetAll(const QList<qint64>& codes);

    QString error() const;

  private:
    bool deleteCodes(const QList<qint64>& codes);
    void keep(const CardState& card);
    void drop(qint64 code);

    Database& db_;
    QUrl book_;
    QString token_;
    QHash<qint64, CardState> cards_;
    QHash<QString, qint64> hrefs_;
    QString batchError_;
};

} // namespace carddav
