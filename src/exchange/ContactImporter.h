// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ImportSummary.h"
#include "featureapi/Session.h"

#include <functional>

class Clock;
class Database;
class Prompter;

namespace exchange {

class ContactSource;
class ImportCleaner;

// Stores the contacts of an import file in one transaction: each gets its four
// rows for the session's user and department, dated today, with the empty-name
// rows for the lists left empty. A refused contact is listed with its line and
// reason; an unreadable file, a database failure or a cancel keeps nothing.
class ContactImporter {
  public:
    // Told the bytes read and the file's size now and then; false cancels.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    // Most lines kept in each list of the summary.
    static constexpr int kMostListed = 2000;

    ContactImporter(Database& db, Prompter& prompter, const Session& session, const Clock& clock)
        : db_(db), prompter_(prompter), session_(session), clock_(clock) {}

    ImportSummary run(ContactSource& source, ImportCleaner& cleaner, DuplicatePolicy policy,
                      const Progress& progress = {});

  private:
    Database& db_;
    Prompter& prompter_;
    Session session_;
    const Clock& clock_;
};

} // namespace exchange
