// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"

#include <QList>
#include <QStringList>
#include <optional>

class Clock;
class Database;

// The entries of the pages' lists. A statement-filled list that cannot be read
// gives nothing: the page then shows fillFailure() (when it names one) and
// stays usable with what it has.
class ContactLists {
  public:
    explicit ContactLists(Database& db) : db_(db) {}

    // This year and the 99 before it, newest first, as "%d".
    static QStringList years(const Clock& clock);
    // "01".."12" and "01".."31".
    static QStringList months();
    static QStringList days();

    // The entries of any list source (Fixed lists hold theirs in FieldSpec::items
    // and give nothing here). The database's own error text is not shown: the
    // page's message stands for it.
    std::optional<QStringList> entries(ListSource source, const Clock& clock);

    // The order in which a page fills its lists when it opens (months and days
    // need no filling order: they never fail). A page stops filling after a
    // failure only where stopsAfterFailure() says so.
    static QList<ListSource> fillOrder(ContactPage page);
    // The extended page leaves its year list empty when its degrees fail.
    static bool stopsAfterFailure(ContactPage page, ListSource failed);
    // The message ("提示", information icon) a page shows when filling source
    // fails; empty when the page shows none for it.
    static QString fillFailure(ContactPage page, ListSource source);

  private:
    std::optional<QStringList> column(const QString& statement);

    Database& db_;
};
