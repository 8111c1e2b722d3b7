// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/SyncState.h"
#include "contacts/ContactRecord.h"
#include "featureapi/Session.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class ContactStore;
class Database;
class Prompter;

namespace exchange {
class ImportCleaner;
}

namespace carddav {

class CardDavClient;

// A contact here that seems to be a card there (same mobile, e-mail, or name
// and unit), to be confirmed before the two are joined.
struct ProposedMatch {
    qint64 code = 0;
    QString localName;
    QString remoteName;
    QString href;
};

// What a sync did, in counts, and why it stopped when it did not finish.
struct SyncReport {
    int uploaded = 0;      // new cards sent
    int updatedRemote = 0; // cards changed there
    int deletedRemote = 0;
    int downloaded = 0; // new contacts here
    int updatedLocal = 0;
    int trashedLocal = 0;
    int matched = 0;
    int conflicts = 0; // both sides changed: waiting in the merge
    QStringList notes; // cards that could not be taken, one line each
    QString error;     // empty when the sync finished
    bool cancelled = false;
    int requests = 0;

    bool ok() const { return error.isEmpty() && !cancelled; }
    // One line for a person: "上传 3, 下载 2, ...".
    QString summary() const;
};

// A contact changed on both sides: the local record stays, the server's
// version waits here for the merge window.
struct SyncConflict {
    qint64 code = 0;
    ContactRecord local;
    ContactRecord remote;
};

// Keeps the live contacts and one CardDAV address book in step. What changed
// is told apart from what differs by the state of the last sync (SyncState):
// a change on one side goes to the other; a change on both sides keeps the
// local record and holds the server's version for a merge; a contact moved to
// the trash is deleted there only once the trash is emptied, and a card
// deleted there moves its contact to the trash. Every step is stored as it is
// done, so a sync cut at any point is finished by the next without
// duplicates.
class SyncEngine {
  public:
    // Which proposed matches to join (one flag each); the others are kept
    // apart. A list of another length cancels the sync before anything is
    // stored of the new cards.
    using Confirm = std::function<QList<bool>(const QList<ProposedMatch>&)>;
    // Told what is being done and how far; false cancels.
    using Progress = std::function<bool(const QString& step, int done, int total)>;

    SyncEngine(Database& db, Prompter& prompter, const Session& session, const Clock& clock,
               CardDavClient& client, const QUrl& book, const QString& user = {});
    ~SyncEngine();

    SyncReport run(const Confirm& confirm, const Progress& progress = {});

    // The contacts changed on both sides, with the server's version.
    QList<SyncConflict> conflicts();
    // The person merged a conflict into record: it is stored here and sent
    // to the server at the next sync, over the version that was merged.
    bool resolve(qint64 code, const ContactRecord& record);

    // The server's card read as a contact; nullopt when it cannot be taken
    // (*why says so).
    std::optional<ContactRecord> read(const QByteArray& card, QString* uid, QString* why) const;
    // The card sent for a contact: the export's vCard with the card's UID.
    static QByteArray cardOf(const ContactRecord& record, const QString& uid);
    // The server's version laid over the local record. Fields that travel as
    // this program's extensions stay as they are here when the card came back
    // without any extension (a phone that drops unknown properties).
    static ContactRecord applyRemote(const ContactRecord& local, const ContactRecord& remote,
                                     const QByteArray& card);
    static QString digest(const ContactRecord& record);

  private:
    struct Remote;
    bool step(const Progress& progress, const QString& what, int done, int total);
    bool loadLocal();
    // The contact as stored (read once per sync); empty after a reported failure.
    ContactRecord record(qint64 code);
    // A contact just written: its record and digest.
    void remember(qint64 code, const ContactRecord& stored);
    // The card states of contacts just written, stored in one go: those in
    // written with their rows' stamp (read for them all at once), those in
    // unstamped as they are (read through their pages next time). Both lists
    // are emptied.
    bool saveWritten(QList<CardState>* written, QList<CardState>* unstamped);
    // A digest of every stored column of the contact's four rows (only: of
    // those contacts alone, empty: of all), by code: tells the contacts
    // untouched since the last sync without reading them through their pages.
    bool readStamps(const QList<qint64>& only, QHash<qint64, QString>* out);
    bool listRemote(QList<Remote>* changed, QStringList* removed, QString* newToken, bool* full);
    bool takeRemote(const QList<Remote>& changed, const Confirm& confirm, const Progress& progress);
    bool takeRemovals(const QStringList& removed);
    bool sendLocal(const Progress& progress);
    bool storeNew(ContactStore& store, const ContactRecord& record, const QString& uid,
                  const QString& href, const QString& etag, QList<CardState>* written);
    bool fail(const QString& why);

    Database& db_;
    Prompter& prompter_;
    Session session_;
    const Clock& clock_;
    CardDavClient& client_;
    QUrl book_;
    QString user_;
    SyncState state_;
    std::unique_ptr<exchange::ImportCleaner> cleaner_;
    SyncReport report_;
    bool deferred_ = false; // something was left for the next sync: keep the old token
    QSet<qint64> liveCodes_;
    QHash<qint64, ContactRecord> live_; // the records read so far
    QHash<qint64, QString> stamps_;
    // The names of the list entries, by code column (in order: the stamps
    // must come out the same in every run) and code, read once per sync.
    QMap<QString, QHash<qint64, QString>> listNames_;
    QHash<qint64, QString> liveDigest_;
    QSet<qint64> trashed_;
};

} // namespace carddav
