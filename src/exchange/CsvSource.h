// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ContactSource.h"
#include "exchange/CsvMapping.h"
#include "exchange/CsvParser.h"

#include <QFile>
#include <memory>

namespace exchange {

// The contacts of a spreadsheet, row by row, through a mapping of its columns.
// A row with another number of columns than the first is refused: its values
// would land in the wrong fields.
class CsvSource : public ContactSource {
  public:
    CsvSource(const QString& path, Encoding encoding, QChar separator, const CsvMapping& mapping);

    bool next(IncomingContact& contact) override;
    QString error() const override { return error_; }
    qint64 position() const override { return parser_ ? parser_->position() : 0; }
    qint64 size() const override { return file_.size(); }

    // One row through the mapping (the columns of the first row given).
    static IncomingContact map(const CsvRow& row, const CsvMapping& mapping,
                               const QStringList& headings);

  private:
    QFile file_;
    std::unique_ptr<CsvParser> parser_;
    CsvMapping mapping_;
    QStringList headings_;
    qsizetype width_ = -1;
    QString error_;
};

} // namespace exchange
