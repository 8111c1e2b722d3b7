// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quickfind/PinyinReadings.h"
#include "quickfind/QuickMatcher.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

class Database;

namespace quickfind {

// The live contacts as the find box searches them: read once from the stored
// keys, then matched in memory keystroke by keystroke. Before each search it
// checks (two counts and a number) whether the keys changed since, and reads
// them again if so, first filling the keys of contacts that have none.
class QuickFinder {
  public:
    explicit QuickFinder(Database& db) : db_(&db) {}

    struct Hit {
        const Entry* entry;
        Match match;
    };

    // The matches of what was typed, best first: the first limit of them (all
    // when limit < 0); total gets how many match. Empty when the database
    // cannot be read (error has why).
    QList<Hit> find(const QString& typed, int limit, qsizetype* total = nullptr,
                    QString* error = nullptr);

    // Reads the keys again when they changed; false when the database cannot be read.
    bool update(QString* error = nullptr);
    qsizetype size() const { return entries_.size(); } // trashed contacts included

    // Goes on with another connection to the same database: a finder whose
    // keys were read on a thread of its own through a connection of that
    // thread, handed to the thread that searches.
    void rebind(Database& db);

  private:
    bool load(QString* error);
    // Reads the keys written after key; false when they do not account for
    // the keys counted now (a contact was deleted) or cannot be read.
    bool readSince(qint64 key, qint64 keys, QString* error);
    // The entry's unit group (the same unit and department read the same way).
    int groupOf(const QString& key);
    // Puts the live entries in order_ again (all, or after these changed).
    void reorder();
    void reorder(const QList<qsizetype>& changed);
    void ranked();

    Database* db_;
    PinyinReadings readings_;
    QList<Entry> entries_;           // the trashed contacts too, never found
    QHash<qint64, qsizetype> where_; // contact number -> entry
    // The live entries in the order of equal matches (usual pinyin of the
    // name, the name, the number); each entry's place in it (-1 in the
    // trash) and the characters it has (Entry::present), so that a search
    // walks two arrays and sorts only what it shows.
    std::vector<qsizetype> order_;
    std::vector<qint32> rank_;
    std::vector<quint64> present_;
    // Contacts of one unit share its answer: unit group of each entry, and
    // per group the answer of the current search (when its stamp is that search's).
    std::vector<int> group_;
    QHash<QString, int> groups_;
    std::vector<std::optional<Match>> groupMatch_;
    std::vector<quint32> groupStamp_;
    quint32 search_ = 0;
    qint64 keyCount_ = -1; // how many keys there were when read
    qint64 newestKey_ = 0; // and the number of the newest
    QString fileSeen_;     // a file's data version and changes at the last look
    QString serverSeen_;   // a server's snapshot at the last count
    // The previous search, so that typing on searches only its matches.
    std::optional<Query> last_;
    std::vector<qsizetype> lastMatches_;
};

} // namespace quickfind
