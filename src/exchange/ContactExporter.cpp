// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ContactExporter.h"

#include "base/PrivateFiles.h"
#include "contacts/ContactStore.h"
#include "exchange/CsvParser.h"
#include "exchange/ImportTargets.h"
#include "exchange/PartialDate.h"
#include "exchange/VCardWriter.h"

#include <QSaveFile>

namespace exchange {

QStringList ContactExporter::csvHeadings() {
    QStringList out;
    for (const ImportTarget* t : targets::exported())
        out << t->label;
    return out;
}

QStringList ContactExporter::csvFields(const ContactRecord& r) {
    QStringList out;
    for (const ImportTarget* t : targets::exported()) {
        if (t->wholeDate)
            out << sheetDate(
                {r.value(t->columns[0]), r.value(t->columns[1]), r.value(t->columns[2])});
        else
            out << r.value(t->columns.first());
    }
    return out;
}

bool ContactExporter::write(const QList<qint64>& codes, int liveFlag, ExportFormat format,
                            Encoding encoding, const QString& path, const Progress& progress) {
    error_.clear();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("无法写入文件“%1”: %2").arg(path, file.errorString());
        return false;
    }
    // Every contact exported: for the owner only, also in place of an earlier file.
    privatefiles::restrict(file);
    const bool csv = format == ExportFormat::Csv;
    if (csv) {
        const bool bom = encoding == Encoding::Utf8;
        file.write(encode(csvRecord(csvHeadings()), encoding, bom));
    }
    ContactStore store(db_, prompter_);
    int done = 0;
    for (qint64 code : codes) {
        const ContactLoad loaded = store.load(code, liveFlag);
        if (!loaded.complete || loaded.record.isEmpty()) {
            error_ = QStringLiteral("读取人脉 %1 失败").arg(code);
            file.cancelWriting();
            return false;
        }
        const QByteArray bytes = csv ? encode(csvRecord(csvFields(loaded.record)), encoding)
                                     : VCardWriter::card(loaded.record);
        if (file.write(bytes) != bytes.size()) {
            error_ = QStringLiteral("写入文件失败: %1").arg(file.errorString());
            file.cancelWriting();
            return false;
        }
        if (progress && !progress(++done, int(codes.size()))) {
            file.cancelWriting();
            error_ = QStringLiteral("已取消");
            return false;
        }
    }
    if (!file.commit()) {
        error_ = QStringLiteral("写入文件失败: %1").arg(file.errorString());
        return false;
    }
    return true;
}

} // namespace exchange
