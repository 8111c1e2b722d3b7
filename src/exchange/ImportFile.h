// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/ContactSource.h"
#include "exchange/CsvMapping.h"
#include "exchange/CsvParser.h"
#include "exchange/TextEncoding.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace exchange {

enum class FileFormat { VCard, Csv };

// A file chosen for import: what it is, as far as its first bytes tell.
class ImportFile {
  public:
    // How much of the file the guesses look at.
    static constexpr qint64 kSample = 1 << 20;

    // False with error() when the file cannot be read, is empty, holds binary
    // data, or is a vCard in UTF-16.
    bool open(const QString& path);
    QString error() const { return error_; }
    QString path() const { return path_; }
    FileFormat format() const { return format_; }
    // The spreadsheet's encoding as detected, and its separator.
    Encoding detectedEncoding() const { return encoding_; }
    QChar separator() const { return separator_; }

    // The first records of a spreadsheet read in an encoding, for the preview
    // and the first guess of the mapping; false with error() on a bad file.
    bool preview(Encoding encoding, int rows, QList<QStringList>* out);

    std::unique_ptr<ContactSource>
    vcardSource(std::function<bool(const QString&)> isRelation) const;
    std::unique_ptr<ContactSource> csvSource(Encoding encoding, const CsvMapping& mapping) const;

  private:
    QString path_;
    QString error_;
    FileFormat format_ = FileFormat::Csv;
    Encoding encoding_ = Encoding::Utf8;
    QChar separator_ = u',';
};

} // namespace exchange
