// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AdminExport.h"

#include "db/Database.h"
#include "db/Lookups.h"
#include "exchange/ContactExporter.h"
#include "tools/AdminSchema.h"
#include "tools/StderrPrompter.h"

#include <QTextStream>

using namespace exchange;

namespace {

const QString kAllLive =
    QStringLiteral("select base_code from base where base_invalid_flag=1 order by base_code");
const QString kUsersLive = QStringLiteral("select base_code from base where base_invalid_flag=1 "
                                          "and base_user_code=%ld order by base_code");

int usage(QTextStream& err) {
    err << "用法: mavor-admin export [--user NAME] [--format vcard|csv] "
           "[--encoding utf8|gb18030] PATH FILE\n";
    return 2;
}

} // namespace

int adminExport(QStringList args, QTextStream& out, QTextStream& err) {
    QHash<QString, QString> options;
    QStringList paths;
    if (!adminschema::splitOptions(
            args,
            {QStringLiteral("--user"), QStringLiteral("--format"), QStringLiteral("--encoding")},
            &options, &paths))
        return usage(err);
    const QString user = options.value(QStringLiteral("--user"));
    const QString format = options.value(QStringLiteral("--format"), QStringLiteral("vcard"));
    const QString encodingName =
        options.value(QStringLiteral("--encoding"), QStringLiteral("utf8"));
    Encoding encoding;
    if (paths.size() != 2 || (format != u"vcard" && format != u"csv") ||
        !parseEncoding(encodingName, &encoding) ||
        (encoding != Encoding::Utf8 && encoding != Encoding::Gb18030) ||
        (format == u"vcard" && encoding != Encoding::Utf8))
        return usage(err);

    StderrPrompter prompter;
    Database db(&prompter);
    if (!adminschema::openCurrent(db, paths.at(0), "export", err))
        return 1;
    sql::Statement statement(kAllLive);
    if (!user.isEmpty()) {
        const qint64 code = Lookups(db).userCode(user);
        if (code < 0) {
            err << "export: 用户“" << user << "”不存在\n";
            return 1;
        }
        statement = sql::format(kUsersLive, code);
    }
    QList<qint64> codes;
    if (!db.query(statement, [&](const Row& row) {
            codes << row.numberAt(0, 0);
            return true;
        })) {
        err << "export: " << db.lastError() << "\n";
        return 1;
    }
    ContactExporter exporter(db, prompter);
    if (!exporter.write(codes, 1, format == u"csv" ? ExportFormat::Csv : ExportFormat::VCard,
                        encoding, paths.at(1))) {
        err << "export: " << exporter.error() << "\n";
        return 1;
    }
    out << "export: " << paths.at(1) << ": " << codes.size() << " 个人脉\n";
    return 0;
}
