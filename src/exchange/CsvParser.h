// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/TextEncoding.h"

#include <QChar>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

class QIODevice;

namespace exchange {

// One record of a CSV file.
struct CsvRow {
    int line = 0; // where it starts in the file (1-based)
    QStringList fields;
    QString problem; // why the row cannot be used (a field too long); empty when whole
};

// Reads RFC 4180 records one by one from a file of any size: quoted fields
// with doubled quotes, separators and line breaks inside quotes, CRLF, LF or
// CR line ends. Lenient where spreadsheets are: a quote inside an unquoted
// field is kept as text. Blank lines are passed over.
class CsvParser {
  public:
    // Caps on one record, in characters: past one the record is refused and
    // the rest of it is read without being kept, so memory follows the cap.
    static constexpr qsizetype kMaxField = 1 << 20;
    static constexpr qsizetype kMaxFields = 1000;
    static constexpr qsizetype kMaxRecord = 1 << 20;

    CsvParser(QIODevice& device, Encoding encoding, QChar separator = u',');

    // The next record; false at the end or on an error that ends the file.
    bool next(CsvRow& row);
    // Why reading stopped early: binary data, or text that is not in the encoding.
    QString error() const { return error_; }
    qint64 position() const;

    // The separator the first line uses most: comma, semicolon or tab.
    static QChar detectSeparator(const QString& text);

  private:
    bool fill();

    QIODevice& device_;
    Encoding encoding_;
    QStringDecoder decoder_;
    QChar separator_;
    QString buffer_;
    qsizetype at_ = 0;
    bool started_ = false;
    bool ended_ = false;
    int line_ = 1;
    QString error_;
};

// Writes one record: fields quoted when they hold the separator, a quote, a
// line break or blanks at either end; records end with CRLF.
QString csvRecord(const QStringList& fields, QChar separator = u',');

} // namespace exchange
