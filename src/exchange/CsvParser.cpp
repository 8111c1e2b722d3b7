// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CsvParser.h"

#include <QIODevice>

namespace exchange {

namespace {

constexpr qint64 kChunk = 1 << 16;

} // namespace

CsvParser::CsvParser(QIODevice& device, Encoding encoding, QChar separator)
    : device_(device), encoding_(encoding), decoder_(decoderFor(encoding)), separator_(separator) {}

qint64 CsvParser::position() const {
    return device_.pos();
}

bool CsvParser::fill() {
    if (ended_ || !error_.isEmpty())
        return false;
    const QByteArray bytes = device_.read(kChunk);
    if (bytes.isEmpty()) {
        ended_ = true;
        return false;
    }
    QString text = decoder_(bytes);
    if (decoder_.hasError()) {
        error_ = encoding_ == Encoding::Utf8
                     ? QStringLiteral("文件中有不是 UTF-8 的文字, 请改选 GB18030 编码后再导入")
                     : QStringLiteral("文件中有不是 %1 编码的文字").arg(encodingName(encoding_));
        return false;
    }
    if (text.contains(QChar(0))) {
        error_ = QStringLiteral("文件中含有二进制数据, 不是 CSV 文件");
        return false;
    }
    if (!started_) {
        started_ = true;
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
    }
    buffer_.remove(0, at_);
    at_ = 0;
    buffer_ += text;
    return true;
}

bool CsvParser::next(CsvRow& row) {
    row = CsvRow();
    if (!error_.isEmpty())
        return false;
    QString field;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the field began with a quote
    bool any = false;       // the record has begun
    bool fieldTooLong = false;
    qsizetype kept = 0; // characters kept in the record's fields
    row.line = line_;
    auto endField = [&] {
        if (row.fields.size() < kMaxFields)
            row.fields << field;
        else if (row.problem.isEmpty())
            row.problem = QStringLiteral("第 %1 行的列数超过 %2").arg(row.line).arg(kMaxFields);
        field.clear();
        wasQuoted = false;
        fieldTooLong = false;
    };
    auto append = [&](QChar c) {
        if (field.size() >= kMaxField) {
            if (!fieldTooLong && row.problem.isEmpty())
                row.problem = QStringLiteral("第 %1 行的字段过长 (超过 1 MB)").arg(row.line);
            fieldTooLong = true;
        } else if (kept >= kMaxRecord) {
            if (row.problem.isEmpty())
                row.problem = QStringLiteral("第 %1 行过长 (超过 1 MB)").arg(row.line);
        } else {
            field += c;
            ++kept;
        }
    };
    // The plain characters from at_ on, up to the next one that means something
    // in the state, are taken in one piece: a long field costs no call per character.
    auto appendRun = [&](bool inQuotes) {
        qsizetype end = at_;
        while (end < buffer_.size()) {
            const QChar c = buffer_.at(end);
            if (c == u'"' || c == u'\r' || c == u'\n' || (!inQuotes && c == separator_))
                break;
            ++end;
        }
        const QStringView run = QStringView(buffer_).mid(at_, end - at_);
        at_ = end;
        const qsizetype room = qMin(kMaxField - field.size(), kMaxRecord - kept);
        if (run.size() <= room) {
            field += run;
            kept += run.size();
            return;
        }
        field += run.left(room);
        kept += room;
        append(run.at(room)); // says why the rest is not kept
    };
    for (;;) {
        if (at_ >= buffer_.size() && !fill()) {
            if (!error_.isEmpty())
                return false;
            if (!any)
                return false;
            endField();
            return true;
        }
        const QChar c = buffer_.at(at_++);
        if (quoted) {
            if (c == u'"') {
                if (at_ >= buffer_.size())
                    fill();
                if (at_ < buffer_.size() && buffer_.at(at_) == u'"') {
                    append(c);
                    ++at_;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\r' && at_ >= buffer_.size())
                    fill();
                if (c == u'\n' ||
                    (c == u'\r' && (at_ >= buffer_.size() || buffer_.at(at_) != u'\n')))
                    ++line_;
                append(c);
                appendRun(true);
            }
            continue;
        }
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r') {
                if (at_ >= buffer_.size())
                    fill();
                if (at_ < buffer_.size() && buffer_.at(at_) == u'\n')
                    ++at_;
            }
            ++line_;
            if (!any && field.isEmpty()) {
                row.line = line_; // a blank line: the record starts later
                continue;
            }
            endField();
            return true;
        }
        any = true;
        if (c == separator_) {
            endField();
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
        } else {
            append(c);
            appendRun(false);
        }
    }
}

QChar CsvParser::detectSeparator(const QString& text) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == u'\n' || c == u'\r')
            break;
        comma += c == u',';
        semicolon += c == u';';
        tab += c == u'\t';
    }
    if (tab > comma && tab >= semicolon)
        return u'\t';
    if (semicolon > comma)
        return u';';
    return u',';
}

QString csvRecord(const QStringList& fields, QChar separator) {
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields) {
        const bool quote = f.contains(separator) || f.contains(u'"') || f.contains(u'\n') ||
                           f.contains(u'\r') ||
                           (!f.isEmpty() && (f.front().isSpace() || f.back().isSpace()));
        if (!quote) {
            out << f;
            continue;
        }
        QString q = f;
        q.replace(u'"', QLatin1String("\"\""));
        out << u'"' + q + u'"';
    }
    return out.join(separator) + QLatin1String("\r\n");
}

} // namespace exchange
