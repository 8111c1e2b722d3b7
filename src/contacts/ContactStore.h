// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactCodes.h"
#include "contacts/ContactRecord.h"
#include "db/Statement.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

class Clock;
class Database;
class Prompter;
class Row;
class ProgressHandle;
struct Session;
enum class ContactPage;
namespace quickfind {
class PinyinReadings;
}

// What a load gives the detail pane.
struct ContactLoad {
    // The values of every page that loaded. A page whose statement found no row,
    // or that loading never reached, has no keys: its controls stay empty.
    ContactRecord record;
    // False when loading stopped at a page (a database error or a post without
    // its row, already reported): the pane shows what loaded and hands the
    // contact to no further tab.
    bool complete = false;
    // The stored state of every page as loaded, read with the values, for the save.
    QString stamp;
};

// Reads and writes the four rows of one contact (base, extend, home, society).
// New contacts and edits are written in one transaction each; any failure
// rolls everything back, so a contact is stored whole or not at all.
class ContactStore {
  public:
    ContactStore(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The add sheet's save: all four rows for the session's user, dated today.
    // The new base_code, or -1 after a reported failure (nothing stored).
    qint64 insertNew(const ContactRecord& record, const Session& session, const Clock& clock);

    // The contact whose base_invalid_flag is liveFlag; the family, social and
    // extended pages load whatever the flag. Without stamped, the stamp for a
    // later save is not read (a reader that never saves over it).
    ContactLoad load(qint64 code, int liveFlag, bool stamped = true);

    // The detail pane's save of contact code. The owner, the trash flag, the
    // dates and the visit count are never touched; a missing family, extended
    // or social row is created. progress (may be null) goes 1, 40, 60, 80, 90, 100.
    bool save(qint64 code, const ContactRecord& record, ProgressHandle* progress);
    // The same save, refused when another user saved the contact since it was
    // loaded (its stamp then differs from loadedStamp): nothing is written, the
    // user is told, and changedMeanwhile() holds with currentStamp() the state
    // found, so that a second save, made knowingly, goes through. After a
    // successful save currentStamp() is the state written.
    bool save(qint64 code, const ContactRecord& record, ProgressHandle* progress,
              const QString& loadedStamp);
    bool changedMeanwhile() const { return changedMeanwhile_; }
    QString currentStamp() const { return currentStamp_; }

    static inline const QString kChangedMeanwhile = QStringLiteral(
        "这条人脉资料在您修改期间已被其他用户修改并保存, 您的修改没有保存, 仍在屏幕上。\r\n\r\n"
        "要以您的修改为准, 请再保存一次; 要看对方的修改, 请不保存并重新选择这条资料。");

    // The same two writes inside a transaction the caller holds, for work that
    // stores many contacts at once (an import, a merge): nothing is committed or
    // rolled back here. writeNew gives the new base_code or -1 (reported).
    qint64 writeNew(const ContactRecord& record, const Session& session, const Clock& clock);
    bool writeChanges(qint64 code, const ContactRecord& record);
    // The code columns of the four rows, each with the name column of the
    // list the pages show it from ("base_sort_code": "sort_name", of the
    // table sort): a list entry renamed changes what a contact shows.
    static const QHash<QString, QString>& shownNames();
    // Looks each list name up once for the store's life: only for work in one
    // transaction, while no reference table can change.
    void rememberCodes() { remembered_ = true; }

  private:
    bool writeNewRows(const ContactRecord& record, const Session& session, const Clock& clock,
                      qint64* newCode);
    bool insertExtend(qint64 code, const ContactRecord& record, qint64 degree);
    bool insertHome(qint64 code, const ContactRecord& record, const QHash<QString, qint64>& codes);
    bool insertSociety(qint64 code, const ContactRecord& record);
    bool writeEdits(qint64 code, const ContactRecord& record, ProgressHandle* progress);
    // The find box's keys of a contact whose name, unit or numbers were just written.
    bool renewFindKeys(qint64 code);
    bool updateHome(qint64 code, const ContactRecord& record, const QHash<QString, qint64>& codes);
    bool updateExtend(qint64 code, const ContactRecord& record, qint64 degree);

    // Runs the one statement that reads a contact: use sees its single row.
    // False when it failed (lastError() has the text; nothing is reported).
    bool readContact(qint64 code, int liveFlag, const std::function<void(const Row&)>& use);
    // The pages of that row that show (texts: its fields); false when
    // loading stopped at a page (a post without its entry, already reported).
    bool copyPages(const Row& row, const QStringList& texts, ContactRecord& record);
    // Every column the pages show, as stored now, in one text (ok false when
    // the statement failed).
    QString readStamp(qint64 code, bool* ok);

    ContactCodes lookups();

    Database& db_;
    Prompter& prompter_;
    bool remembered_ = false;
    bool changedMeanwhile_ = false;
    QString currentStamp_;
    QHash<QString, qint64> codes_;
    // Made at the first contact written, kept for the next ones.
    std::shared_ptr<quickfind::PinyinReadings> readings_;
};
