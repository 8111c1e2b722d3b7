// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace exchange {

// What to do with an incoming contact that is already there (same mobile
// number, e-mail address, or name in the same unit).
enum class DuplicatePolicy {
    Skip,  // leave the known contact as it is
    Merge, // fill the known contact's empty fields from the incoming one
    Add,   // store the incoming one as a new contact all the same
};

// One line of the summary: where in the file, whose, and what happened.
struct ImportLine {
    int line = 0;
    QString name;
    QString text;
};

struct ImportSummary {
    int imported = 0;
    int merged = 0;
    int skipped = 0; // duplicates left alone
    int refused = 0;
    QList<ImportLine> refusals;   // line and reason
    QList<ImportLine> duplicates; // skipped or merged, with the contact they repeat
    QList<ImportLine> notes;      // values cut or left out
    int unlisted = 0;             // lines beyond what the lists keep
    bool cancelled = false;
    // Why nothing was imported (an unreadable file, a database failure); empty otherwise.
    QString error;

    bool stored() const { return !cancelled && error.isEmpty(); }
};

} // namespace exchange
