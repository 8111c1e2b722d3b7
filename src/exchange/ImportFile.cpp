// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ImportFile.h"

#include "exchange/CsvSource.h"
#include "exchange/VCardSource.h"

#include <QBuffer>
#include <QFileInfo>

namespace exchange {

namespace {

// Whether the text begins, after blanks, with a card.
bool startsWithCard(const QByteArray& bytes) {
    return bytes.trimmed().left(11).toUpper() == "BEGIN:VCARD";
}

} // namespace

bool ImportFile::open(const QString& path) {
    path_ = path;
    error_.clear();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("无法打开文件“%1”").arg(path);
        return false;
    }
    const QByteArray sample = file.read(kSample);
    if (sample.trimmed().isEmpty() && file.atEnd()) {
        error_ = QStringLiteral("文件是空的, 没有可导入的人脉");
        return false;
    }
    const Detection d = detectEncoding(sample);
    if (d.binary) {
        error_ = QStringLiteral("文件不是文本文件 (vCard 或 CSV), 无法导入");
        return false;
    }
    encoding_ = d.encoding;
    QByteArray text = sample.mid(d.bomLength);
    if (d.encoding == Encoding::Utf16LE || d.encoding == Encoding::Utf16BE) {
        QStringDecoder decoder = decoderFor(d.encoding);
        text = QString(decoder(text)).toUtf8();
    }
    if (startsWithCard(text)) {
        if (d.encoding == Encoding::Utf16LE || d.encoding == Encoding::Utf16BE) {
            error_ = QStringLiteral("不支持 UTF-16 编码的 vCard 文件, 请存为 UTF-8 后再导入");
            return false;
        }
        format_ = FileFormat::VCard;
        return true;
    }
    format_ = FileFormat::Csv;
    QStringDecoder decoder = decoderFor(d.encoding);
    separator_ = CsvParser::detectSeparator(decoder(sample.mid(d.bomLength)));
    return true;
}

bool ImportFile::preview(Encoding encoding, int rows, QList<QStringList>* out) {
    out->clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("无法打开文件“%1”").arg(path_);
        return false;
    }
    // The preview reads only the sample, so a huge file shows at once.
    QBuffer sample;
    sample.setData(file.read(kSample));
    sample.open(QIODevice::ReadOnly);
    const bool whole = file.atEnd();
    CsvParser parser(sample, encoding, separator_);
    CsvRow row;
    while (out->size() < rows && parser.next(row))
        out->append(row.fields);
    // A cut at the sample's end is not the file's fault.
    if (!parser.error().isEmpty() && (whole || out->isEmpty())) {
        error_ = parser.error();
        return false;
    }
    return true;
}

std::unique_ptr<ContactSource>
ImportFile::vcardSource(std::function<bool(const QString&)> isRelation) const {
    return std::make_unique<VCardSource>(path_, std::move(isRelation));
}

std::unique_ptr<ContactSource> ImportFile::csvSource(Encoding encoding,
                                                     const CsvMapping& mapping) const {
    return std::make_unique<CsvSource>(path_, encoding, separator_, mapping);
}

} // namespace exchange
