// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A field of a reference editor's form beside the name: a number typed in
// digits (a post's rank, a level's value and interval), a month or day
// picked from a list (a festival's date), or the tick that makes that month
// and day lunar (stored 0 or 1; the lists then read 正月.., 初一..).
struct RefField {
    enum class Kind { Digits, Month, Day, Lunar };
    Kind kind = Kind::Digits;
    QString column{};       // the table column it writes
    QString caption{};      // label before the field
    int maxLength = 0;      // digits at most (Digits only)
    QString unit{};         // label after the field ("分", "天")
    QString note{};         // a hint beside the field
    QString emptyMessage{}; // shown when left empty; empty text: no check
};

// What one list column shows: a table column, nothing (the tick box's own
// column), or a date joined from two columns as "%s-%s".
struct RefListCell {
    QString column{};
    QString second{};
};

// Every difference between the editors of the small reference tables: one
// entry per table, read by the list window, the edit form and their rules.
struct RefTableDefinition {
    enum class AfterDelete { LowerCount, Reload };

    QString table{};
    QString codeColumn{};
    QString nameColumn{};

    QString listCaption{};
    QString titleFormat{}; // "%d": the number of rows read
    QString columnSpec{};
    QString listQuery{};
    QList<RefListCell> cells{}; // one per list column
    bool hidesEmptyNames = false;

    QString addCaption{};
    QString modifyTitle{};
    QString nameCaption{};
    int nameMaxLength = 20;
    QString emptyNameMessage{};
    bool checksIllegalCharacters = false;
    QList<RefField> fields{};

    // Add appends a row; modify runs this statement (name, fields, code) or,
    // when empty, rewrites the row through the table keyed by its code.
    QString modifyStatement{};

    QStringList guards{}; // in order; every %s is the row's code
    QString deleteStatement{};
    AfterDelete afterDelete = AfterDelete::LowerCount;
    bool doubleClickOpens = true;

    // Positions of the code and the name in a list row.
    int codeCell() const;
    int nameCell() const;
};

namespace reftables {

// The editor of a table ("industry", "sort", "dep", ...); null for others.
const RefTableDefinition* find(const QString& table);
const QList<RefTableDefinition>& all();

} // namespace reftables
