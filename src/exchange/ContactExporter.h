// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"
#include "exchange/TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Database;
class Prompter;

namespace exchange {

enum class ExportFormat { VCard, Csv };

// Writes contacts to a file: vCard 4.0 in UTF-8, or a spreadsheet (CSV) with
// one column per field of the five pages, in UTF-8 with a byte order mark (so
// spreadsheet programs read Chinese) or in GB18030. The file appears whole or
// not at all.
class ContactExporter {
  public:
    // Told the contacts written so far and in all; false cancels.
    using Progress = std::function<bool(int done, int total)>;

    ContactExporter(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The contacts by code, read from the live list (liveFlag 1) or the trash (0).
    bool write(const QList<qint64>& codes, int liveFlag, ExportFormat format, Encoding encoding,
               const QString& path, const Progress& progress = {});
    QString error() const { return error_; }

    // The spreadsheet's first row and one contact's row.
    static QStringList csvHeadings();
    static QStringList csvFields(const ContactRecord& record);

  private:
    Database& db_;
    Prompter& prompter_;
    QString error_;
};

} // namespace exchange
