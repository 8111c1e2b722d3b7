// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;
class Prompter;

namespace exchange {

// A field on which the contacts of a group differ.
struct MergeField {
    QString label;
    QStringList columns;       // its column, or a date's three
    QList<QStringList> values; // per contact of the group, the texts of the columns
    int chosen = 0;            // the contact whose value the survivor keeps
};

// Makes one contact of several: the survivor keeps the chosen value of each
// field, receives the others' interactions, documents and associations (and
// the associations that pointed to them), and the others go to the trash,
// from where "资料还原" brings them back. All in one transaction.
class ContactMerger {
  public:
    ContactMerger(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The five pages of each contact; false after a reported failure.
    bool load(const QList<qint64>& codes, QList<ContactRecord>* records);

    // The fields whose values differ. Each starts with the survivor's value,
    // or the first contact's that has one when the survivor's is empty.
    static QList<MergeField> differences(const QList<ContactRecord>& records, int survivor);
    // The survivor's record with the chosen values.
    static ContactRecord combine(const QList<ContactRecord>& records, int survivor,
                                 const QList<MergeField>& fields);
    // A field's value as the person reads it: a date as "1980-04-12", "(空)".
    static QString shown(const QStringList& values);
    // The values the merge will not keep, "邮件地址“b@x.cn”" each, to be said
    // before it is done.
    static QStringList dropped(const QList<MergeField>& fields);
    // What fillEmpty leaves out: the incoming values of fields that already
    // hold another value.
    static QStringList notFilled(const ContactRecord& existing, const ContactRecord& incoming);
    // The existing record with its empty fields filled from the incoming one
    // (a date only when all three of its parts are empty).
    static ContactRecord fillEmpty(const ContactRecord& existing, const ContactRecord& incoming);

    // The merge; false after a reported failure (nothing changed). An
    // association between the merged contacts would point the survivor at
    // itself: it is deleted, and counted in removedSelfAssociations().
    bool merge(qint64 survivor, const ContactRecord& record, const QList<qint64>& others);
    // The same inside a transaction the caller holds.
    bool mergeWithin(qint64 survivor, const ContactRecord& record, const QList<qint64>& others);

    int removedSelfAssociations() const { return removedSelfAssociations_; }

  private:
    Database& db_;
    Prompter& prompter_;
    int removedSelfAssociations_ = 0;
};

} // namespace exchange
